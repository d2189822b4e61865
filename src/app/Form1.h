#pragma once

// The main window: the trainer editor, the menus, the notes line, and while no ROM is open a page that says how
// to begin, with the recent ROMs. It owns the session of the open ROM, opens the About window, and the overworld
// editor, the Trainer Parties window, the Maps window and the Pokémon window as windows of their own beside it, each
// once. They all show the one open file: a save in one is shown in the others, closing the ROM or the program asks once
// for each window with unsaved edits, and a party picked in Trainer Parties and a trainer picked on the Maps window
// follow each other. It starts the user's emulator on the ROM.

#include "app/RomSession.h"
#include "history/SaveHistory.h"
#include "rom/WindowPlace.h"
#include "trainers/PartyPlaceReader.h"
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
class Form7;
class Form6;
class PictureBook;
class QComboBox;
class QLineEdit;
class QUndoStack;
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
    Form7* difficultyWindow() const;
    Form6* pokemonWindow() const;

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
    void mnuClose_Click();
    void mnuGuide_Click();
    void mnuCreatePatch_Click();
    void mnuApplyPatch_Click();
    void mnuProperties_Click();
    void mnuSave_Click();
    void mnuPlay_Click();
    void mnuEmulator_Click();
    void mnuBattle_Click();
    void mnuParties_Click();
    void mnuMaps_Click();
    void mnuDifficulty_Click();
    void mnuPokemon_Click();
    void mnuAbout_Click();

signals:
    // A save, an undo or a redo changed the ROM's history of saves.
    void historyChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Opening a ROM.
    void resetView();
    void openPath(const QString& path);
    void switchEditorOn();
    // The menu entries and the form that need an open ROM.
    void enableRomActions(bool on);
    void fillLists(const Bytes& image, const PartyTable& parties);
    // Says once, when a ROM opens, how many of the roster's parties and names another tool moved.
    void noteChangedRom(const Bytes& image, const PartyTable& parties);

    // The pick lists.
    void pokemon(const Bytes& image);
    void attack(const Bytes& image);
    void item(const Bytes& image);
    void item2();
    void item3();

    // Where the party windows say each party is fought, from the maps of the image they show.
    PartyPlaceReader placeReader() const;

    // The recent ROMs, in File > Open Recent and on the start page.
    void showRecent();
    void showRecentMenu(const QStringList& paths);
    void showNotes(const QString& notes);

    // PatchMenus.cpp: the original the open ROM's patches start from, kept for it; empty when none is kept or its
    // file is gone. choosePatchOriginal asks for one and keeps it.
    QString patchOriginal() const;
    QString choosePatchOriginal();

    // Test in Emulator: an emulator chosen the first time.
    QString firstEmulator();

    // Windows.cpp: the windows beside this one.
    // A window of its own that locks this one while it is open.
    void showLocking(QWidget* window);
    // Shows a window beside this one, raised and active.
    void showBeside(QWidget* window);
    // The actions of this window whose keys work in the others too.
    QList<QAction*> sharedActions() const;
    // The file as it is now, for a window about to show it; nothing, after a box that says why, when it cannot
    // be read.
    std::optional<Bytes> readForWindow();
    // Trainer Parties and the Maps window on the file as it is now, opened or raised; false when it cannot be read.
    bool showParties();
    bool showMaps();
    bool showPokemon();
    // Asks once in each window with unsaved edits, the question ending in purpose: Save, Discard or Cancel;
    // false when the user cancels.
    bool settleAll(const QString& purpose = {});
    // Closes the windows of the open ROM, whose edits are settled.
    void closeRomWindows();
    // After a save in origin: every other window shows the file as it is now.
    void followSave(QObject* origin);
    // A party picked in one window is shown in the other, where that one has no unsaved edits.
    void followParty(int classNumber, int partyNumber, QObject* origin);
    // Edit > Undo and Redo of window: its own unsaved edits first, then the ROM's saves.
    void installUndo(QWidget* window, QUndoStack* steps, const EditActions& edit);
    // A line on the status bar of this window and of window, when it has one.
    void showStatus(const QString& text, QWidget* window);

    // SaveUndo.cpp: the open ROM's history of saves, read again after every save, undo and redo; the label of
    // the save the next undo (back) or redo takes, empty when none; the undo or redo of a save, from window.
    void refreshHistory();
    QString nextSave(bool back) const;
    void stepSaves(bool back, QWidget* window);

    std::unique_ptr<Ui::Form1> ui;
    RomSession m_session;
    PictureBook* m_pictures = nullptr;
    QPointer<Form2> m_about;
    QPointer<Form3> m_overworld;
    QPointer<Form4> m_parties;
    QPointer<Form5> m_maps;
    QPointer<Form6> m_pokemon;
    SaveHistory m_history;
    QPointer<Form7> m_difficulty;
    // Set while one window follows another's pick, so that the pick does not come back.
    bool m_following = false;
};
