#pragma once

// The overworld battle editor: the six fixed wild battles of the open ROM, their species and levels.
// A window of its own, so it stays usable while the main window is disabled; it tells the main window
// when it closes.

#include "app/RomSession.h"
#include "overworld/OverworldBattle.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

namespace Ui {
class Form3;
}
class QComboBox;
class QLineEdit;

class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(RomSession& session);
    ~Form3() override;

    QComboBox* speciesBox(int battle) const;
    QLineEdit* levelBox(int battle) const;

    // Reads the six battles into the controls; a battle whose bytes cannot be read is not saved later.
    void loadBattles();

public slots:
    void Command1_Click();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool oversave();

    std::unique_ptr<Ui::Form3> ui;
    RomSession& m_session;
    // The bytes as loaded; a species list without a selection writes its loaded byte back.
    std::array<std::optional<BattleValues>, OverworldBattleCount> m_loaded;
};
