// File > Save ROM: the form's values go back into the ROM at the selected trainer's positions; then the
// roster is read again from the file and the first trainer reloaded.

#include "app/Form1.h"
#include "rom/FailureBox.h"
#include "trainers/InputFilters.h"
#include "trainers/TrainerLayout.h"
#include "ui_Form1.h"

#include <QMessageBox>

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

TrainerRecord Form1::recordFromControls(const TrainerRecord& loaded) const
{
    TrainerRecord record = loaded;
    record.name = ui->namebox->text().toStdString();
    for (int member = 1; member <= static_cast<int>(record.party.size()); ++member) {
        PartyMember& values = record.party[static_cast<std::size_t>(member - 1)];
        values.level = static_cast<std::uint8_t>(byteBoxValue(levelBox(member)));
        values.species = *listByte(speciesBox(member), 0, values.species);
    }
    record.specialMove = listByte(ui->attacklst, 1, loaded.specialMove);
    record.specialMoveUser = listByte(ui->pkmnno, 0, loaded.specialMoveUser);
    record.prizeItem = listByte(ui->itemlst, 1, loaded.prizeItem);
    if (loaded.prizeAmount) {
        record.prizeAmount = static_cast<std::uint8_t>(byteBoxValue(ui->itemquant));
    }
    return record;
}

void Form1::mnuSave_Click()
{
    const int rosterIndex = ui->trainerlst->currentRow();
    if (!m_session.loaded() || rosterIndex < 0 || rosterIndex >= RosterSize) {
        return;
    }
    if (!m_loaded || m_loadedIndex != rosterIndex) {
        showFailure(this,
                    {FailureNumber::NotLoaded,
                     "The data of this trainer could not be read from the ROM, so it is not saved. "
                     "Nothing was written."});
        return;
    }
    const TrainerRecord record = recordFromControls(*m_loaded);
    if (auto failure = writeTrainer(m_session.path, *m_session.profile, rosterIndex, record)) {
        showFailure(this, *failure);
        return;
    }
    QMessageBox::information(this,
                             QStringLiteral("Tavrik"),
                             QStringLiteral("Data for ") + ui->namebox->text().trimmed() +
                                 QStringLiteral(" saved successfully!"));
    ui->trainerlst->clear();
    if (trainersave()) {
        ui->trainerlst->setCurrentRow(0);
    }
}

bool Form1::trainersave()
{
    if (m_session.profile == nullptr) {
        return false;
    }
    auto file = RomFile::open(m_session.path, RomFile::Mode::Read);
    if (!file) {
        showFailure(this, file.failure());
        return false;
    }
    m_session.file.emplace(std::move(file.value()));
    const auto roster = readRoster(*m_session.file, *m_session.profile);
    if (!roster) {
        showFailure(this, roster.failure());
        return false;
    }
    for (const std::string& entry : *roster) {
        ui->trainerlst->addItem(QString::fromStdString(entry));
    }
    return true;
}
