#pragma once

// The Maps window: every map of the ROM in a list, the selected one drawn with its trainers and Pokémon outlined,
// and beside it its trainers, the Pokémon that stand on it, its grass and water Pokémon, its fishing and the battles
// its scripts start. The Pokémon that stand on it, the wild Pokémon and the super rod's of the selected map and the
// Old and Good Rods' are edited and saved together. A window of its own beside the main window, showing the same file:
// it tells the main window when it saved and which trainer the user picked, follows the saves of the others, and asks
// for Trainer Parties when a trainer is activated. Resizable, its size kept from one run to the next.

#include "battles/SpecialMoves.h"
#include "maps/MapSave.h"
#include "rom/EditHistory.h"
#include "trainers/PartyTable.h"

#include <QWidget>
#include <memory>
#include <optional>

namespace Ui {
class Form5;
}
class MapDrawing;
class MapView;
class PictureBook;
class PokemonGrid;
class QListWidgetItem;
class QStatusBar;
class QStringListModel;
class QUndoStack;
class QTreeWidget;
class QTreeWidgetItem;

class Form5 : public QWidget
{
    Q_OBJECT

public:
    // The maps of rom, which stays open while the window is shown, with the pictures of pictures.
    Form5(RomTarget rom, PictureBook* pictures);
    ~Form5() override;

    MapView* mapView() const;
    QTreeWidget* trainerList() const;
    PokemonGrid* staticCells() const;
    QStatusBar* statusBar() const;
    // The steps of the unsaved edits, which Edit > Undo and Redo walk before the ROM's saves.
    QUndoStack* editSteps() const;

    // Fills the list of maps from image, keeping the selected map where it can.
    void loadMaps(const Bytes& image);
    // Selects a map as a click in the list does; a row that is no map is not selected.
    void selectMap(int id);
    int selectedMap() const { return m_map; }
    // Selects the first map object that fights this party, on its map; when none does, the notes say where the
    // party is fought, or that no map uses it.
    void selectTrainer(int classNumber, int partyNumber);
    bool hasUnsavedChanges() const;
    // Asks once what to do with unsaved edits, the question ending in purpose (" before testing in mgba-qt"):
    // Save writes them, Discard shows the map as loaded again; false when the user cancels.
    bool settleEdits(const QString& purpose = {});
    // Shows image, which another window's save left in the file. Edits of Pokémon that save did not change are
    // kept; edits of ones it changed are kept or dropped at the user's word.
    void followSave(const Bytes& image);

public slots:
    void cmdSave_Click();

signals:
    // The file now holds this window's edits.
    void saved();
    // A trainer was picked in the list or on the picture: its party.
    void trainerPicked(int classNumber, int partyNumber);
    // A trainer was activated: its party, to be opened in Trainer Parties.
    void openParty(int classNumber, int partyNumber);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The Pokémon of the selected map as the controls show them: the standing ones, then grass and water.
    struct ShownMap
    {
        std::vector<WildSlot> statics;
        std::array<QString, 2> rates;
        std::array<std::vector<WildSlot>, 2> wild;
        std::array<bool, 2> blank{};
        // The Fishing tab: the super rod's slot count; the super, Old and Good Rods' cells; a group made the map's own.
        int fishCount = 0;
        std::array<std::vector<WildSlot>, 3> rods;
        bool ownGroup = false;
        bool operator==(const ShownMap&) const = default;
    };
    ShownMap shownMap() const;
    void showMapEdits(const ShownMap& shown);

    void restoreSettings();
    void saveSettings();
    void fillMapList();
    bool matchesFilter(const QListWidgetItem* item) const;
    void applyFilter();
    // Enter in the filter: the keys go to the list, on the first map the filter keeps unless the selected one is.
    void pickFirstShown();
    void maplist_Click(QListWidgetItem* current);
    void showMap();
    // Form5Map.cpp: the picture and the lists of the selected map.
    void drawMap(const MapRow& row, const MapRow& objects);
    void fillTrainers(const MapRow& objects);
    void fillStatics(const MapRow& objects);
    void fillWild(const MapRow& row);
    void fillScripts();
    void showTabs();
    QString membersOf(int classNumber, int partyNumber) const;
    // Each member of a party on a line of its own with its four moves as the battle starts; empty without the party.
    QString battlersOf(int classNumber, int partyNumber) const;
    // The wild slots' captions: each slot's chance, and in its tooltip the moves at its level as the slots stand.
    void captionWild();
    QString className(int classNumber) const;
    // The marker of a map object, or -1.
    int markerOf(int object) const;
    void markerClicked(int marker);
    // Selects the trainer of a map object in the list, on its tab; false when it lists no such object.
    bool chooseTrainer(int object);
    void trainerChosen();
    void trainerActivated(QTreeWidgetItem* item);
    void scriptActivated(QListWidgetItem* item);
    void staticChosen(int cell);
    void zoomTo(int zoom);
    void rateTyped(bool water);

    // Form5Fishing.cpp: the Fishing tab.
    struct FishingShown
    {
        int map = -1;
        FishingEdits edits;
        int count = 0;
        std::vector<WildSlot> superCells;
        std::vector<WildSlot> oldCells;
        std::vector<WildSlot> goodCells;
        std::optional<std::vector<WildSlot>> superRod;
        std::optional<WildSlot> oldRod;
        std::optional<std::vector<WildSlot>> goodRod;
    };
    void buildFishing();
    void fillFishing(const MapRow& row);
    void fishCountChanged(int count);
    std::optional<std::vector<WildSlot>> editedSuperRod() const;
    FishingEdits editedFishing() const;
    QString superRodText() const;
    void showFishing();
    QStringList fishingWarnings();
    // What the tab shows and was loaded, to be kept over another window's save; whether the rods its edits touch
    // still read as they did.
    FishingShown fishingShown() const;
    bool fishingKept(const FishingShown& was) const;

    // Form5Save.cpp: the edits, the notes and the save.
    std::optional<WildArea> editedArea(bool water) const;
    MapEdits editedMap() const;
    void updateState();
    QStringList wildNotes() const;
    QStringList warnings();
    void showWildRoom();
    // The name Tavrik gives map id.
    QString mapTitle(int id) const;
    bool saveMap();
    bool mayLeaveMap(const QString& purpose = {});

    std::unique_ptr<Ui::Form5> ui;
    RomTarget m_rom;
    PictureBook* m_pictures;
    // The image the lists and the picture show; the drawing reads it, so a new image wants a new drawing.
    Bytes m_image;
    std::unique_ptr<MapDrawing> m_drawing;
    MapTable m_table;
    PartyTable m_parties;
    SpeciesData m_speciesData;
    SpecialMoves m_specialMoves;
    QStringList m_moveNames;
    QStringList m_classNames;
    QStringListModel* m_species;
    // The selected map id, -1 for none.
    int m_map = -1;
    // The objects marked on the picture, in marker order: their place in the map's list, from 1.
    std::vector<int> m_marked;
    // The selected map's Pokémon objects as loaded, static cell k showing the k-th.
    std::vector<MapObject> m_statics;
    // The wild areas as loaded, when this window may edit them.
    std::optional<WildArea> m_grass;
    std::optional<WildArea> m_water;
    // The selected map's super rod as loaded (empty for a map without a row), when this window may edit it.
    std::optional<std::vector<WildSlot>> m_superRod;
    // Why it may not; empty when it may.
    QString m_superRodNote;
    // Make This Map's Own was pressed for the selected map.
    bool m_ownGroup = false;
    // The super rod's four cells as last shown: fewer slots, then more again, bring back what they showed.
    std::vector<WildSlot> m_superRodCells;
    // The Old and Good Rods as loaded, when this window may edit them.
    std::optional<WildSlot> m_oldRod;
    std::optional<std::vector<WildSlot>> m_goodRod;
    // Whether the objects and wild Pokémon of the selected map may be edited here; else why not.
    QString m_readOnly;
    // Why the picture is bare or blank; empty when it shows the map with its people.
    QString m_drawNote;
    // The notes of the last save, or where a party asked for is fought: shown until another map is selected.
    QString m_note;
    QUndoStack* m_steps;
    std::unique_ptr<EditHistory<ShownMap>> m_edits;
};
