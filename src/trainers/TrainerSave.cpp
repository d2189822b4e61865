// File > Save ROM: the form's values go back into the ROM where the selected trainer's groups were found;
// then the roster is read again from the file and the first trainer reloaded. Edits are never lost
// without a question.

#include "app/Form1.h"
#include "rom/DisplayText.h"
#include "rom/FailureBox.h"
#include "trainers/InputFilters.h"
#include "ui_Form1.h"

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

TrainerRecord Form1::recordFromControls(const LoadedTrainer& loaded) const
{
    TrainerRecord record = loaded.record;
    if (record.name) {
        record.name = ui->namebox->text().toStdString();
    }
    for (int member = 1; record.party && member <= static_cast<int>(record.party->size()); ++member) {
        PartyMember& values = (*record.party)[static_cast<std::size_t>(member - 1)];
        values.level = static_cast<std::uint8_t>(byteBoxValue(levelBox(member)));
        values.species = *listByte(speciesBox(member), 0, values.species);
    }
    record.specialMove = listByte(ui->attacklst, 1, loaded.record.specialMove);
    record.specialMoveUser = listByte(ui->pkmnno, 0, loaded.record.specialMoveUser);
    record.prizeItem = listByte(ui->itemlst, 1, loaded.record.prizeItem);
    if (record.prizeAmount) {
        record.prizeAmount = static_cast<std::uint8_t>(byteBoxValue(ui->itemquant));
    }
    return record;
}

bool Form1::hasUnsavedChanges() const
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

void Form1::mnuSave_Click()
{
    if (ui->trainerlst->currentRow() >= 0 && saveTrainer()) {
        ui->trainerlst->setCurrentRow(0);
    }
}

// Writes the trainer the form shows, which is the selected one unless the selection is just moving on.
bool Form1::saveTrainer()
{
    const int rosterIndex = m_loadedIndex;
    if (!m_session.loaded() || rosterIndex < 0 || rosterIndex >= RosterSize) {
        return false;
    }
    if (!m_loaded) {
        showFailure(this,
                    {FailureNumber::NotLoaded,
                     "The data of this trainer could not be read from the ROM, so it is not saved. "
                     "Nothing was written."});
        return false;
    }
    const TrainerRecord record = recordFromControls(*m_loaded);
    if (auto failure = writeTrainer(m_session.target(), rosterIndex, *m_loaded, record)) {
        showFailure(this, *failure);
        return false;
    }
    QMessageBox::information(this,
                             QStringLiteral("Tavrik"),
                             QStringLiteral("Data for ") + ui->namebox->text().trimmed() +
                                 QStringLiteral(" saved successfully!"));
    // The form now matches the file; the roster is read again, and the caller picks what to load.
    m_loaded.reset();
    m_loadedIndex = -1;
    const QSignalBlocker blocker(ui->trainerlst);
    ui->trainerlst->clear();
    trainersave();
    updateState();
    return true;
}

void Form1::trainersave()
{
    if (m_session.profile == nullptr) {
        return;
    }
    const auto image = m_session.target().readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return;
    }
    trainer(*image);
}

bool Form1::mayLeaveTrainer()
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    const QString name = ui->trainerlst->item(m_loadedIndex)->text().trimmed();
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to %1?").arg(name),
                             QStringLiteral("Your changes to this trainer are not in the ROM yet."))) {
    case QMessageBox::Save:
        return saveTrainer();
    case QMessageBox::Discard:
        m_loaded.reset();
        updateState();
        return true;
    default:
        return false;
    }
}
