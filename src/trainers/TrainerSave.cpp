// File > Save ROM: the form's values go back into the ROM where the selected trainer's groups were found;
// then the roster is read again from the file. Edits are never lost without a question.

#include "history/SaveSettings.h"
#include "rom/DisplayText.h"
#include "rom/FailureBox.h"
#include "trainers/CustomMovesEditor.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerForm.h"
#include "ui_TrainerForm.h"

#include <QLocale>
#include <QMessageBox>
#include <QSignalBlocker>

namespace {

// The byte a list stands for, or the loaded byte when the list has no selection.
std::optional<std::uint8_t> listByte(const QComboBox* list, int offset, std::optional<std::uint8_t> loaded)
{
    if (!loaded || list->currentIndex() < 0) {
        return loaded;
    }
    return static_cast<std::uint8_t>(list->currentIndex() + offset);
}

} // namespace

TrainerRecord TrainerForm::recordFromControls(const LoadedTrainer& loaded) const
{
    TrainerRecord record = loaded.record;
    if (record.name) {
        record.name = ui->namebox->text().toStdString();
    }
    if (record.party) {
        record.party = ui->partyrows->members();
    }
    record.specialMove = listByte(ui->attacklst, 1, loaded.record.specialMove);
    record.specialMoveUser = loaded.record.specialMoveUser ? m_specialMoveUser : std::nullopt;
    record.prizeItem = listByte(ui->itemlst, 1, loaded.record.prizeItem);
    if (record.champion) {
        const std::vector<QComboBox*> lists = championLists();
        std::uint8_t* bytes[] = {&record.champion->first,
                                 &record.champion->bulbasaur,
                                 &record.champion->charmander,
                                 &record.champion->otherwise};
        for (std::size_t k = 0; k < lists.size(); ++k) {
            *bytes[k] = listByte(lists[k], 1, *bytes[k]).value_or(*bytes[k]);
        }
    }
    if (record.prizeAmount) {
        record.prizeAmount = static_cast<std::uint8_t>(byteBoxValue(ui->itemquant));
    }
    if (record.customMoves) {
        record.customMoves = ui->customMovesEditor->moves();
    }
    return record;
}

TrainerRecord TrainerForm::shownRecord() const
{
    return m_loaded ? recordFromControls(*m_loaded) : TrainerRecord{};
}

void TrainerForm::showRecord(const TrainerRecord& record)
{
    if (!m_loaded) {
        return;
    }
    LoadedTrainer shown = *m_loaded;
    shown.record = record;
    m_filling = true;
    applyTrainer(m_loadedIndex, shown);
    m_filling = false;
    updateState();
}

bool TrainerForm::hasUnsavedChanges() const
{
    if (!m_loaded) {
        return false;
    }
    TrainerRecord shown = recordFromControls(*m_loaded);
    // Blanks around a name are not stored: the field is padded with the game's blank.
    if (shown.name) {
        shown.name = trimBlanks(*shown.name);
    }
    return shown != m_loaded->record;
}

// Writes the trainer the form shows, which is the selected one unless the selection is just moving on.
bool TrainerForm::saveTrainer()
{
    const int rosterIndex = m_loadedIndex;
    if (m_rom.profile == nullptr || rosterIndex < 0 || rosterIndex >= RosterSize) {
        return false;
    }
    if (!m_loaded) {
        showFailure(this,
                    {FailureNumber::NotLoaded,
                     "The data of this trainer could not be read from the ROM, so it is not saved. "
                     "Nothing was written."});
        return false;
    }
    const QString name = ui->namebox->text().trimmed();
    const auto written = writeTrainer(m_rom,
                                      rosterIndex,
                                      *m_loaded,
                                      recordFromControls(*m_loaded),
                                      saveLabel(name.toStdString()),
                                      windowSaveOptions());
    if (!written) {
        showFailure(this, written.failure());
        return false;
    }
    QMessageBox::information(
        this, QStringLiteral("Tavrik"), QStringLiteral("Data for ") + name + QStringLiteral(" saved successfully!"));
    // The form now matches the file; the roster is read again, and the caller picks what to load.
    m_loaded.reset();
    m_loadedIndex = -1;
    {
        const QSignalBlocker blocker(ui->trainerlst);
        ui->trainerlst->clear();
        trainersave();
    }
    const std::string owner = name.isEmpty() ? std::string("This trainer") : name.toStdString();
    m_saveNote =
        QString::fromStdString(bankSavedNote(owner, written.value(), m_bankRoom)) + checksumNote(written->commit);
    m_keepSaveNote = true;
    updateState();
    emit saved();
    return true;
}

void TrainerForm::trainersave()
{
    // The file was written (a save, an undo): the moves' sources are read again with the next trainer.
    m_movesSource.reset();
    if (m_rom.profile == nullptr) {
        return;
    }
    const auto image = m_rom.readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return;
    }
    const PartyTable parties = readPartyTable(*image, *m_rom.profile);
    m_bankRoom = bankRoom(*image, *m_rom.profile, parties);
    trainer(*image, parties);
}

bool TrainerForm::mayLeaveTrainer(const QString& purpose)
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    const QString name = ui->trainerlst->item(m_loadedIndex)->text().trimmed();
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to %1%2?").arg(name, purpose),
                             QStringLiteral("Your changes to this trainer are not in the ROM yet."))) {
    case QMessageBox::Save:
        return saveTrainer();
    case QMessageBox::Discard:
        m_loaded.reset();
        updateState();
        m_edits->reset();
        return true;
    default:
        return false;
    }
}

namespace {

// Each field the user edited (shown differs from was) that the file still holds as loaded (now equals was) is taken
// into now; conflict tells whether an edited field changed in the file meanwhile.
template <typename T> void mergeEdit(const T& was, const T& shown, T& now, bool& conflict)
{
    if (shown == was) {
        return;
    }
    conflict = conflict || now != was;
    now = shown;
}

} // namespace

void TrainerForm::followSave()
{
    if (m_rom.profile == nullptr) {
        return;
    }
    const bool edited = hasUnsavedChanges();
    const std::optional<LoadedTrainer> was = m_loaded;
    const TrainerRecord shown = edited ? recordFromControls(*m_loaded) : TrainerRecord{};
    const QString name = edited ? ui->trainerlst->item(m_loadedIndex)->text().trimmed() : QString();
    reloadTrainer();
    if (!edited || !m_loaded) {
        return;
    }
    TrainerRecord merged = m_loaded->record;
    bool conflict = false;
    mergeEdit(was->record.name, shown.name, merged.name, conflict);
    mergeEdit(was->record.party, shown.party, merged.party, conflict);
    mergeEdit(was->record.specialMove, shown.specialMove, merged.specialMove, conflict);
    mergeEdit(was->record.specialMoveUser, shown.specialMoveUser, merged.specialMoveUser, conflict);
    mergeEdit(was->record.prizeItem, shown.prizeItem, merged.prizeItem, conflict);
    mergeEdit(was->record.prizeAmount, shown.prizeAmount, merged.prizeAmount, conflict);
    mergeEdit(was->record.champion, shown.champion, merged.champion, conflict);
    // Custom moves the file no longer has a readable table for are not edited any more.
    if (merged.customMoves) {
        mergeEdit(was->record.customMoves, shown.customMoves, merged.customMoves, conflict);
    }
    if (conflict && askKeepOrReload(this, name) != QMessageBox::Yes) {
        return;
    }
    // Kept as one step, which an undo takes back to the file.
    showRecord(merged);
}
