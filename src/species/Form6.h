#pragma once

// The Pokémon window: the 151 species in Pokédex order with a filter, and for the picked one its picture, base
// stats, types, catch rate, base experience, growth rate, level-1 moves, TM/HM checklist, evolutions and learnset,
// and the maps and parties it is met in; a tab of the 165 moves. Every species and move may be edited before one
// save, which writes them all. A learnset keeps the order the ROM holds: the game walks it in that order, so an
// entry behind a higher one is marked with what that means, and only "Sort by level" re-sorts it. A window of its
// own beside the main window, showing the same file: it tells the main window when it saved, follows the saves of
// the others, and asks for the Maps window or Trainer Parties when a place it is met in is activated.

#include "rom/EditHistory.h"
#include "rom/RomTarget.h"
#include "species/ByteLists.h"
#include "species/SpeciesEdit.h"
#include "trainers/BankLayout.h"

#include <QWidget>
#include <memory>
#include <vector>

class PictureBook;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QUndoStack;

class Form6 : public QWidget
{
    Q_OBJECT

public:
    // The species of rom, which stays open while the window is shown, with the pictures of pictures.
    Form6(RomTarget rom, PictureBook* pictures);
    ~Form6() override;

    QStatusBar* statusBar() const;
    // The steps of the unsaved edits, which Edit > Undo and Redo walk before the ROM's saves.
    QUndoStack* editSteps() const;

    // Fills the list and the tabs from image, keeping the picked species where it can.
    void loadSpecies(const Bytes& image);
    // Picks a species by its Pokédex number, as a click in the list does.
    void selectNumber(int number);
    int selectedNumber() const { return m_number; }
    bool hasUnsavedChanges() const;
    // Asks once what to do with unsaved edits, the question ending in purpose: Save writes them, Discard shows the
    // species as loaded again; false when the user cancels.
    bool settleEdits(const QString& purpose = {});
    // Shows image, which another window's save left in the file. Edits of entries that save did not change are
    // kept; edits of ones it changed are kept or dropped at the user's word.
    void followSave(const Bytes& image);

public slots:
    void cmdSave_Click();

signals:
    // The file now holds this window's edits.
    void saved();
    // A place the picked species is met in was activated: a map to show, or a party to open.
    void openMap(int id);
    void openParty(int classNumber, int partyNumber);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Everything the window lets the user edit, as the controls show it: records by Pokédex number, lists by their
    // index in the table, moves 1..165 at 0..164.
    struct Shown
    {
        std::vector<BaseStats> stats;
        std::vector<EvosMoves> lists;
        std::vector<Move> moves;
        bool operator==(const Shown&) const = default;
    };

    // Form6Build.cpp: the controls.
    void buildSpeciesPage(QWidget* page);
    QWidget* buildStatsBox();
    QWidget* buildListsBox();
    void buildMovesPage(QWidget* page);
    void restoreSettings();
    void saveSettings();

    // Form6.cpp: the list and the picked species.
    void fillSpeciesList();
    void applyFilter();
    void pickFirstShown();
    void speciesPicked(QListWidgetItem* current);
    void showSpecies();
    void fillNames();
    void fillMetIn(const Bytes& image, const PartyTable& parties);
    void showMetIn();
    void metInActivated(QListWidgetItem* item);
    QString speciesName(int species) const;
    // The record and list of the picked species, or nullptr when they cannot be edited.
    BaseStats* pickedStats();
    EvosMoves* pickedList();
    int pickedListIndex() const;

    // Form6Fields.cpp: the fields of the record.
    void showRecord();
    void recordEdited();
    void machineToggled(QListWidgetItem* item);

    // Form6Lists.cpp: the evolutions and the learnset.
    void showEvolutions();
    void showLearnset();
    void markLists();
    void evolutionEdited(int row);
    void addEvolution(int index);
    void removeEvolution(int row);
    void learnedEdited(int row);
    void addLearned(int index);
    void removeLearned(int row);
    void sortLearnset();

    // Form6Moves.cpp: the Moves tab.
    void fillMovesTable();
    void showMoveRow(int row);
    int moveCell(int row, int column) const;
    void setMoveCell(int row, int column, int value);

    // Form6Save.cpp: the edits, the notes and the save.
    Shown shown() const { return m_work; }
    void showEdits(const Shown& state);
    SpeciesEdits edits() const;
    void updateState();
    QStringList problemNotes() const;
    void showBankRoom();
    bool save();
    bool mayLeave(const QString& purpose = {});

    RomTarget m_rom;
    PictureBook* m_pictures;
    SpeciesData m_data;
    Shown m_loaded;
    Shown m_work;
    // The names the lists show: species by byte (0..190), moves by byte - 1, items by byte - 1, types by byte.
    QStringList m_speciesNames;
    QStringList m_moveNames;
    QStringList m_itemNames;
    QStringList m_typeNames;
    QStringList m_machineNames;
    // The same as the pick lists' shared models.
    ByteNames m_typeList;
    ByteNames m_growthList;
    ByteNames m_moveList;
    ByteNames m_addMoveList;
    ByteNames m_itemList;
    ByteNames m_speciesList;
    ByteNames m_addSpeciesList;
    ByteNames m_kindList;
    // The Moves tab is filled when first shown.
    bool m_movesShown = false;
    // Where each species byte is met: a map (party 0) or a class's party. The texts are made for the species shown.
    struct MetPlace
    {
        int number = 0;
        int party = 0;
    };
    std::vector<std::vector<MetPlace>> m_metIn;
    GameVersion m_mapsVersion = GameVersion::Red;
    QStringList m_classNames;
    BankRoom m_room;
    // The picked Pokédex number, 0 for none.
    int m_number = 0;
    // Set while the controls are filled, so that filling them is not taken for an edit.
    bool m_filling = false;
    // The notes of the last save, shown until the next edit or load.
    QString m_note;

    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_speciesPage = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_title = nullptr;
    std::vector<QLineEdit*> m_statBoxes;
    std::vector<QComboBox*> m_typeBoxes;
    QComboBox* m_growth = nullptr;
    std::vector<QComboBox*> m_levelOneMoves;
    QListWidget* m_machines = nullptr;
    QTableWidget* m_evolutions = nullptr;
    QTableWidget* m_learnset = nullptr;
    QPushButton* m_sort = nullptr;
    QListWidget* m_metInList = nullptr;
    QTableWidget* m_moves = nullptr;
    QLabel* m_notes = nullptr;
    QLabel* m_bankRoom = nullptr;
    QPushButton* m_save = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QUndoStack* m_steps;
    std::unique_ptr<EditHistory<Shown>> m_edits;
};
