// File > Save ROM: the form's values go back into the ROM where the selected trainer's groups were found;
// then the roster is read again from the file. Edits are never lost without a question.

#include "rom/DisplayText.h"
#include "rom/FailureBox.h"
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
    if (record.prizeAmount) {
        record.prizeAmount = static_cast<std::uint8_t>(byteBoxValue(ui->itemquant));
    }
    return record;
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
    const auto saved =
        writeTrainer(m_rom, rosterIndex, *m_loaded, recordFromControls(*m_loaded), saveLabel(name.toStdString()));
    if (!saved) {
        showFailure(this, saved.failure());
        return false;
    }
    QMessageBox::information(
        this, QStringLiteral("Tavrik"), QStringLiteral("Data for ") + name + QStringLiteral(" saved successfully!"));
    m_saveNote.clear();
    const BankSaved& bank = *saved;
    if (!bank.relocations.empty()) {
        const std::string owner = name.isEmpty() ? std::string("This trainer") : name.toStdString();
        m_saveNote = QString::fromStdString(relocationNote(owner, bank.relocations.front()));
    } else if (bank.repack) {
        m_saveNote = QString::fromStdString(repackNote(*bank.repack));
    }
    m_keepSaveNote = true;
    // The form now matches the file; the roster is read again, and the caller picks what to load.
    m_loaded.reset();
    m_loadedIndex = -1;
    const QSignalBlocker blocker(ui->trainerlst);
    ui->trainerlst->clear();
    trainersave();
    updateState();
    return true;
}

void TrainerForm::trainersave()
{
    if (m_rom.profile == nullptr) {
        return;
    }
    const auto image = m_rom.readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return;
    }
    trainer(*image, readPartyTable(*image, *m_rom.profile));
}

bool TrainerForm::mayLeaveTrainer()
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
