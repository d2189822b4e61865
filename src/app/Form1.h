#pragma once

// The main window: the trainer editor, the menus, the notes line, and while no ROM is open a page that says how
// to begin, with the recent ROMs. It owns the session of the open ROM, opens the About window, the overworld
// editor, the Trainer Parties window and the Maps window as windows of their own, one editor at a time, and starts
// the user's emulator on the ROM.

#include "app/RomSession.h"
#include "trainers/PartyTable.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

namespace Ui {
class Form1;
}
class Form2;
class Form3;
class Form4;
class Form5;
class PictureBook;
class QComboBox;
class QLineEdit;
class TrainerForm;

class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    const RomSession& session() const { return m_session; }
    TrainerForm* trainerForm() const;
    Form2* aboutWindow() const;
    Form3* overworldWindow() const;
    Form4* partiesWindow() const;
    Form5* mapsWindow() const;

    // The party row controls of the trainer form, member 1..6.
    QComboBox* speciesBox(int member) const;
    QLineEdit* levelBox(int member) const;

    // Opens the ROM at path as File > Open ROM does after its dialog: the way in from the command line
    // and from a drop.
    void openRomFile(const QString& path);
    // True when the trainer form differs from the trainer as loaded.
    bool hasUnsavedChanges() const;

public slots:
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuPlay_Click();
    void mnuEmulator_Click();
    void mnuBattle_Click();
    void mnuParties_Click();
    void mnuMaps_Click();
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
    void fillLists(const Bytes& image, const PartyTable& parties);
    // Says once, when a ROM opens, how many of the roster's parties and names another tool moved.
    void noteChangedRom(const Bytes& image, const PartyTable& parties);

    // The pick lists.
    void pokemon(const Bytes& image);
    void attack(const Bytes& image);
    void item(const Bytes& image);
    void item2();
    void item3();

    // The recent ROMs, in File > Open Recent and on the start page.
    void showRecent();
    void showRecentMenu(const QStringList& paths);
    void showNotes(const QString& notes);

    // Test in Emulator: the trainer's edits settled first, an emulator chosen the first time.
    bool settleEdits();
    QString firstEmulator();

    // A window of its own that locks this one while it is open.
    void showLocking(QWidget* window);
    // The file as it is now, for a window about to show it; nothing, after a box that says why, when it cannot
    // be read.
    std::optional<Bytes> readForWindow();
    // Trainer Parties and the Maps window on the file as it is now; false when it cannot be read.
    bool showParties();
    bool showMaps();

    std::unique_ptr<Ui::Form1> ui;
    RomSession m_session;
    PictureBook* m_pictures = nullptr;
    QPointer<Form2> m_about;
    QPointer<Form3> m_overworld;
    QPointer<Form4> m_parties;
    QPointer<Form5> m_maps;
};
