#pragma once

// The trainer editor of the main window: the roster of the twelve gym leaders and Elite Four members, the
// selected trainer's name, party, prize and special move, the load of a picked trainer and its save. It reads
// and writes the open ROM through its target; the main window hosts it and shows its notes.

#include "battles/SpecialMoves.h"
#include "rom/EditHistory.h"
#include "rom/RomTarget.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyPlaceReader.h"
#include "trainers/PartyRules.h"
#include "trainers/TrainerRecord.h"

#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>

namespace Ui {
class TrainerForm;
}
class CustomMovesEditor;
class PartyRows;
class PictureBook;
class QComboBox;
class QLineEdit;
class QListWidget;
class QUndoStack;

class TrainerForm : public QWidget
{
    Q_OBJECT

public:
    explicit TrainerForm(QWidget* parent = nullptr);
    ~TrainerForm() override;

    PartyRows* partyRows() const;
    // The party row controls, member 1..6.
    QComboBox* speciesBox(int member) const;
    QLineEdit* levelBox(int member) const;
    QListWidget* roster() const;
    QComboBox* moveList() const;
    // The champion's four move lists (Red and Blue), filled like the special move's.
    std::vector<QComboBox*> championLists() const;
    QComboBox* itemList() const;
    // Yellow's custom moves of the trainer's party.
    CustomMovesEditor* customMovesEditor() const;
    // The steps of the unsaved edits, which Edit > Undo and Redo walk before the ROM's saves.
    QUndoStack* editSteps() const;

    // The pictures of the members and the trainer.
    void setPictureBook(PictureBook* book);
    // Where the party line says the trainer's party is fought.
    void setPlaceReader(PartyPlaceReader reader);
    // Switched off and emptied, without a ROM.
    void resetView();
    // The ROM to read and write from now on; its version decides which frames show.
    void switchOn(const RomTarget& rom);
    // Fills trainerlst from image, whose parties are read already.
    void trainer(const Bytes& image, const PartyTable& parties);
    // Reads the selected trainer afresh from the file, as after the other windows wrote to it.
    void reloadTrainer();
    // File > Save ROM: writes the loaded trainer; true when it was written.
    bool saveTrainer();
    // True when the form differs from the trainer as loaded.
    bool hasUnsavedChanges() const;
    // Asks what to do with unsaved edits before they would be lost, the question ending in purpose (" before
    // testing in mgba-qt"); false when the user cancels.
    bool mayLeaveTrainer(const QString& purpose = {});
    // Reads the file again after another window saved into it. Edits of what that save did not change are kept;
    // edits of what it changed are kept or dropped at the user's word.
    void followSave();

    // When the file was written and how long it was.
    struct FileStamp
    {
        std::filesystem::file_time_type written;
        std::size_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };

signals:
    // The file now holds the form's edits.
    void saved();
    // The notes under the form: what is left alone, what moved, and the warnings.
    void notesChanged(const QString& notes);
    void modifiedChanged(bool modified);

private:
    void trainersave();
    void trainerlst_Click(int rosterIndex);
    void loadTrainer(int rosterIndex);
    void applyTrainer(int rosterIndex, const LoadedTrainer& loaded);
    // Where the party line says the game fights the trainer's party.
    QString placeLine(const TrainerClass& trainer) const;
    void Nopoke();
    void drawPortrait();
    // The special-move user list names the members as the rows stand.
    void followMembers();
    // Offers to move what the game gives members by number with them before member (from 1) is removed.
    void memberRemoving(int member);

    TrainerRecord recordFromControls(const LoadedTrainer& loaded) const;
    // The trainer as the form shows it, and the form showing a record of the loaded trainer.
    TrainerRecord shownRecord() const;
    void showRecord(const TrainerRecord& record);
    QString placementNote(int rosterIndex, const LoadedTrainer& loaded) const;
    QStringList warnings();
    void updateState();
    // Each member's four moves under the party, as the rows and the special move stand.
    void showMemberMoves();
    // The champion's moves of a record in their lists, greyed with the reason where the code is not the game's.
    void showChampion(const TrainerRecord& record);
    // Yellow's custom moves of a record, greyed with the reason where the table does not read.
    void showCustomMoves(const TrainerRecord& record);

    std::unique_ptr<Ui::TrainerForm> ui;
    RomTarget m_rom;
    PictureBook* m_pictures = nullptr;
    PartyPlaceReader m_placeReader;
    // Set while a whole form is filled, so that the notes are worked out once at the end.
    bool m_filling = false;
    // What the loader read for the selected trainer; a list left without a selection (a byte the list has no
    // entry for) saves this value back unchanged. Empty when nothing could be read.
    std::optional<LoadedTrainer> m_loaded;
    int m_loadedIndex = -1;
    // The user byte as the form has it: the list may show no entry for it.
    std::optional<std::uint8_t> m_specialMoveUser;
    // The moves the game gives members of this party by their place, and which member each needs.
    std::vector<LostMove> m_memberMoves;
    QString m_placementNote;
    // Where the last save moved the party's list; shown until the user picks another trainer (the save itself
    // loads one, which keeps it).
    QString m_saveNote;
    bool m_keepSaveNote = false;
    // The trainer bank's room as the last save left it.
    BankRoom m_bankRoom;
    QUndoStack* m_steps;
    std::unique_ptr<EditHistory<TrainerRecord>> m_edits;
    // What the moves under the party are computed from, where each party is fought, and the file as it was when
    // they were read: a trainer load reads them again only when the file was written since.
    SpeciesData m_species;
    SpecialMoves m_specialMoves;
    // The rival's two starters the champion's code names, as the ROM names them.
    QStringList m_championStarters;
    PartyPlaceLookup m_places;
    std::optional<FileStamp> m_movesSource;
};
