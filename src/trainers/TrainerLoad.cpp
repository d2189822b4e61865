// The roster fill and the loader: a trainer picked in the roster is read from the ROM, found where the
// game finds it, and shown in the form. A group that is not in place stays disabled and empty.

#include "app/Form1.h"
#include "rom/DisplayText.h"
#include "rom/FailureBox.h"
#include "trainers/TrainerLayout.h"
#include "ui_Form1.h"

#include <QSignalBlocker>

namespace {

// A byte the list has no entry for selects nothing; the save then keeps the byte as it is.
int listIndexFor(int index, const QComboBox* list)
{
    return index >= 0 && index < list->count() ? index : -1;
}

// Sets a number box's text without the validator, which would turn an empty box into "0".
void setBoxText(QLineEdit* box, const QString& text)
{
    const QSignalBlocker blocker(box);
    box->setText(text);
}

} // namespace

void Form1::trainer(const Bytes& image)
{
    if (!m_session.loaded()) {
        return;
    }
    for (const std::string& entry : readRoster(image, *m_session.profile)) {
        ui->trainerlst->addItem(QString::fromStdString(entry));
    }
}

void Form1::showRows(int rows)
{
    for (int member = 1; member <= 6; ++member) {
        const bool shown = member <= rows;
        speciesBox(member)->setVisible(shown);
        levelBox(member)->setVisible(shown);
        // A hidden row's level box is emptied, and an empty number box reads "0". Member 1's level is
        // never emptied.
        if (!shown && member >= 2) {
            levelBox(member)->setText(QStringLiteral("0"));
        }
    }
}

void Form1::trainerlst_Click(int rosterIndex)
{
    if (rosterIndex == m_loadedIndex) {
        return;
    }
    if (!mayLeaveTrainer()) {
        // Cancelled: the edited trainer stays selected and keeps its edits.
        const QSignalBlocker blocker(ui->trainerlst);
        ui->trainerlst->setCurrentRow(m_loadedIndex);
        return;
    }
    if (ui->trainerlst->currentRow() != rosterIndex) {
        // A save from the question refilled the roster.
        const QSignalBlocker blocker(ui->trainerlst);
        ui->trainerlst->setCurrentRow(rosterIndex);
    }
    loadTrainer(rosterIndex);
}

void Form1::loadTrainer(int rosterIndex)
{
    ui->pkmnno->setVisible(isGymLeader(rosterIndex));
    m_loaded.reset();
    m_loadedIndex = rosterIndex;
    m_placementNote.clear();
    if (rosterIndex < 0 || rosterIndex >= RosterSize || !m_session.loaded()) {
        updateState();
        return;
    }
    if (isGymLeader(rosterIndex)) {
        ui->pkmnno->clear();
        ui->frmprize->show();
    } else {
        ui->frmprize->hide();
    }
    const auto image = m_session.target().readAgain();
    if (!image) {
        Nopoke();
        updateState();
        showFailure(this, image.failure());
        return;
    }
    const LoadedTrainer loaded = readTrainer(*image, *m_session.profile, rosterIndex);
    m_filling = true;
    applyTrainer(rosterIndex, loaded);
    m_filling = false;
    m_loaded = loaded;
    updateState();
}

void Form1::applyTrainer(int rosterIndex, const LoadedTrainer& loaded)
{
    const TrainerRecord& record = loaded.record;
    const auto& party = record.party;
    showRows(party ? static_cast<int>(party->size()) : 0);
    for (int member = 1; party && member <= static_cast<int>(party->size()); ++member) {
        const PartyMember& values = (*party)[static_cast<std::size_t>(member - 1)];
        levelBox(member)->setText(QString::number(values.level));
        speciesBox(member)->setCurrentIndex(listIndexFor(values.species, speciesBox(member)));
    }

    // Yellow's move list keeps what it showed: the frame is hidden and nothing of it is saved.
    if (m_session.profile->specialMovesEditable) {
        ui->frmmove->setEnabled(loaded.places.specialMove.inPlace());
        ui->attacklst->setCurrentIndex(record.specialMove ? listIndexFor(*record.specialMove - 1, ui->attacklst) : -1);
    }
    if (record.specialMoveUser && party) {
        for (int member = 1; member <= static_cast<int>(party->size()); ++member) {
            ui->pkmnno->addItem(speciesBox(member)->currentText());
        }
        ui->pkmnno->setCurrentIndex(listIndexFor(*record.specialMoveUser, ui->pkmnno));
    }

    ui->frmprize->setEnabled(loaded.places.prize.inPlace());
    if (isGymLeader(rosterIndex)) {
        ui->itemlst->setCurrentIndex(record.prizeItem ? listIndexFor(*record.prizeItem - 1, ui->itemlst) : -1);
        setBoxText(ui->itemquant, record.prizeAmount ? QString::number(*record.prizeAmount) : QString());
    }

    ui->namebox->setEnabled(record.name.has_value());
    if (record.name) {
        ui->namebox->setMaxLength(loaded.places.name.length);
    }
    ui->namebox->setText(record.name ? QString::fromStdString(*record.name) : QString());

    m_placementNote = placementNote(rosterIndex, loaded);
}
