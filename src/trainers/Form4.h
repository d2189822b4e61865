#pragma once

// The Trainer Parties window: every trainer class of the game with its parties in a tree, the selected
// party's members in the rows the main window uses, and the class's prize money. A list two classes share
// shows once, under the first of them with both names, and an edit changes it for both. A window of its
// own beside the main window, showing the same file: it tells the main window when it saved, and follows the
// saves of the others. Resizable, with a splitter between the tree and the party; its size is kept from one run
// to the next.

#include "battles/SpecialMoves.h"
#include "rom/EditHistory.h"
#include "rom/RomTarget.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyPlaceReader.h"
#include "trainers/PartyRules.h"
#include "trainers/PartyWrite.h"

#include <QWidget>
#include <memory>

namespace Ui {
class Form4;
}
class CustomMovesEditor;
class PartyRows;
class PictureBook;
class QStatusBar;
class QUndoStack;
class QTreeWidget;
class QTreeWidgetItem;

class Form4 : public QWidget
{
    Q_OBJECT

public:
    // The parties of rom, which stays open while the window is shown, with the pictures of pictures.
    Form4(RomTarget rom, PictureBook* pictures);
    ~Form4() override;

    PartyRows* partyRows() const;
    QTreeWidget* partyTree() const;
    // A row for each member: its name and level, its four moves, the moves the game writes itself.
    QTreeWidget* partyMoves() const;
    QStatusBar* statusBar() const;
    // Yellow's custom moves of the selected party.
    CustomMovesEditor* customMovesEditor() const;
    // The steps of the unsaved edits, which Edit > Undo and Redo walk before the ROM's saves.
    QUndoStack* editSteps() const;
    // The item of a class (partyNumber 0) or of one of its parties.
    QTreeWidgetItem* item(int classNumber, int partyNumber) const;

    // Where the tree says each party is fought; without it, the place column stays empty.
    void setPlaceReader(PartyPlaceReader reader);
    // Fills the lists and the tree from image, keeping the selection where it can.
    void loadParties(const Bytes& image);
    // Selects a party (or a class, with partyNumber 0), as a click in the tree does.
    void selectParty(int classNumber, int partyNumber);
    bool hasUnsavedChanges() const;
    // Asks once what to do with unsaved edits, the question ending in purpose (" before testing in mgba-qt"):
    // Save writes them, Discard shows the party as loaded again; false when the user cancels.
    bool settleEdits(const QString& purpose = {});
    // Shows image, which another window's save left in the file. Edits of a party or money that save did not
    // change are kept; edits of one it changed are kept or dropped at the user's word.
    void followSave(const Bytes& image);

public slots:
    void cmdSave_Click();

signals:
    // The file now holds this window's edits.
    void saved();
    // The user picked a party.
    void partyPicked(int classNumber, int partyNumber);
    // Show on Map: the map of the trainer who fights this party, or of the script that starts its battle.
    void showOnMap(int classNumber, int partyNumber);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The party, money and custom moves as the controls show them.
    struct ShownParty
    {
        std::vector<PartyMember> members;
        QString money;
        std::vector<CustomMove> customMoves;
        bool operator==(const ShownParty&) const = default;
    };
    ShownParty shownParty() const;
    void showParty(const ShownParty& shown);

    void restoreSize();
    void saveSize();
    void fillTree();
    // The place of a party of list, for every class that shares it.
    QString placeOf(const PartyList& list, int partyNumber) const;
    // Hides the classes and parties whose class, members and place do not hold the filter's text.
    void applyFilter();
    void partytree_Click(QTreeWidgetItem* current);
    void showSelection();
    void drawPortrait();
    bool saveParty();
    bool mayLeaveParty(const QString& purpose = {});
    void showOnMapClicked();
    void updateState();
    void showBankRoom();
    QString selectionName() const;
    // The selected party, or the class alone: "ROCKY party 1".
    QString editsName() const;
    QString memberMoves(int member) const;
    bool customEdited() const;
    // The game's own moves with the custom moves as the editor has them.
    SpecialMoves shownSpecialMoves() const;
    // The custom moves' member lists name the members as the rows stand.
    void followMembers();
    // The moves, PP and stats of the members as the rows stand, the game's own moves in bold.
    void showPartyMoves();
    // The moves table's rows grow to show their texts wrapped.
    void wrapPartyMoves();

    std::unique_ptr<Ui::Form4> ui;
    RomTarget m_rom;
    PictureBook* m_pictures;
    Bytes m_image;
    PartyTable m_table;
    QStringList m_classNames;
    QStringList m_speciesNames;
    QStringList m_moveNames;
    // Whether the custom moves table ends where the game finds it, and the selected party's moves as loaded.
    bool m_customReadable = false;
    std::vector<CustomMove> m_loadedCustom;
    SpeciesData m_species;
    SpecialMoves m_specialMoves;
    PartyPlaceReader m_placeReader;
    PartyPlaceLookup m_places;
    BankRoom m_room;
    // The selection: a class, and one of its parties or 0 for the class alone.
    int m_class = 0;
    int m_party = 0;
    LoadedBank m_loaded;
    std::vector<PartyMember> m_loadedMembers;
    QString m_saveNote;
    QUndoStack* m_steps;
    std::unique_ptr<EditHistory<ShownParty>> m_edits;
};
