#pragma once

// The main window: the trainer roster, the trainer form, the menus. It owns the session of the open ROM
// and opens the About window and the overworld editor as windows of their own.

#include "app/RomSession.h"
#include "trainers/TrainerRecord.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

namespace Ui {
class Form1;
}
class Form2;
class Form3;
class QComboBox;
class QLineEdit;

class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    const RomSession& session() const { return m_session; }
    Form2* aboutWindow() const;
    Form3* overworldWindow() const;

    // The party row controls, member 1..6.
    QComboBox* speciesBox(int member) const;
    QLineEdit* levelBox(int member) const;

public slots:
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuBattle_Click();
    void mnuAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Opening a ROM.
    void resetView();
    void switchEditorOn();
    bool fillLists();

    // The roster and the pick lists (each returns false after showing why it failed).
    bool trainer();
    bool trainersave();
    bool pokemon();
    bool attack();
    bool item();
    void item2();
    void item3();

    // Loading a trainer.
    void trainerlst_Click(int rosterIndex);
    void applyTrainer(int rosterIndex, const TrainerRecord& record);
    void showRows(int rows);
    void Nopoke() { showRows(0); }
    void Ipoke() { showRows(1); }
    void IIpoke() { showRows(2); }
    void IIIpoke() { showRows(3); }
    void IVpoke() { showRows(4); }
    void Vpoke() { showRows(5); }
    void VIpoke() { showRows(6); }

    // Saving a trainer.
    TrainerRecord recordFromControls(const TrainerRecord& loaded) const;

    std::unique_ptr<Ui::Form1> ui;
    RomSession m_session;
    // What the loader read for the selected trainer; a list left without a selection (a byte the
    // list has no entry for) saves this value back unchanged. Empty when the read failed.
    std::optional<TrainerRecord> m_loaded;
    int m_loadedIndex = -1;
    QPointer<Form2> m_about;
    QPointer<Form3> m_overworld;
};
