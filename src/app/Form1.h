#pragma once

// The main window: the trainer roster, the trainer form, the menus. It owns the session of the open ROM
// and opens the About window and the overworld editor as windows of their own.

#include "app/RomSession.h"
#include "trainers/TrainerRecord.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

namespace Ui {
class Form1;
}
class Form2;
class Form3;
class QComboBox;
class QAction;
class QLabel;
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

    // Opens the ROM at path as File > Open ROM does after its dialog: the way in from the command line
    // and from a drop.
    void openRomFile(const QString& path);
    // True when the form differs from the trainer as loaded.
    bool hasUnsavedChanges() const;

public slots:
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuBattle_Click();
    void mnuAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Opening a ROM.
    void resetView();
    void openPath(const QString& path);
    void switchEditorOn();
    void fillLists(const Bytes& image);

    // The roster and the pick lists.
    void trainer(const Bytes& image);
    void trainersave();
    void pokemon(const Bytes& image);
    void attack(const Bytes& image);
    void item(const Bytes& image);
    void item2();
    void item3();

    // Loading a trainer.
    void trainerlst_Click(int rosterIndex);
    void loadTrainer(int rosterIndex);
    void applyTrainer(int rosterIndex, const LoadedTrainer& loaded);
    void showRows(int rows);
    void Nopoke() { showRows(0); }
    void Ipoke() { showRows(1); }
    void IIpoke() { showRows(2); }
    void IIIpoke() { showRows(3); }
    void IVpoke() { showRows(4); }
    void Vpoke() { showRows(5); }
    void VIpoke() { showRows(6); }

    // Saving a trainer.
    TrainerRecord recordFromControls(const LoadedTrainer& loaded) const;
    bool saveTrainer();
    // Asks what to do with unsaved edits before they would be lost; false when the user cancels.
    bool mayLeaveTrainer();

    // The notes under the form: what the ROM keeps elsewhere or where Tavrik leaves it alone, and the
    // warnings about values the game cannot use.
    QString placementNote(int rosterIndex, const LoadedTrainer& loaded) const;
    QStringList warnings();
    void updateState();

    std::unique_ptr<Ui::Form1> ui;
    QLabel* m_notes = nullptr;
    // Beside level box and species list k - 1.
    std::array<QAction*, 6> m_levelWarnings{};
    std::array<QLabel*, 6> m_speciesWarnings{};
    // Set while a whole form or all lists are filled, so that the notes are worked out once at the end.
    bool m_filling = false;
    RomSession m_session;
    // What the loader read for the selected trainer; a list left without a selection (a byte the
    // list has no entry for) saves this value back unchanged. Empty when nothing could be read.
    std::optional<LoadedTrainer> m_loaded;
    int m_loadedIndex = -1;
    QString m_placementNote;
    QPointer<Form2> m_about;
    QPointer<Form3> m_overworld;
};
