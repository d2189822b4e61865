// The roster fill and the loader: a trainer picked in the roster is read from the ROM, byte by byte at
// its layout's positions, and shown in the form.

#include "app/Form1.h"
#include "catalogues/NameCatalogues.h"
#include "rom/DisplayText.h"
#include "rom/FailureBox.h"
#include "trainers/TrainerLayout.h"
#include "ui_Form1.h"

namespace {

// A byte the list has no entry for selects nothing; the save then keeps the byte as it is.
int listIndexFor(int index, const QComboBox* list)
{
    return index >= 0 && index < list->count() ? index : -1;
}

} // namespace

bool Form1::trainer()
{
    if (m_session.path.empty()) {
        return false;
    }
    // The save refills the roster the same way, through a fresh session handle.
    return trainersave();
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
    ui->pkmnno->setVisible(isGymLeader(rosterIndex));
    m_loaded.reset();
    m_loadedIndex = rosterIndex;
    if (rosterIndex < 0 || rosterIndex >= RosterSize || !m_session.loaded()) {
        return;
    }
    if (isGymLeader(rosterIndex)) {
        ui->pkmnno->clear();
        ui->frmprize->show();
    } else {
        ui->frmprize->hide();
    }
    const TrainerLayout& layout = trainerLayout(m_session.profile->version, rosterIndex);
    ui->namebox->setMaxLength(layout.nameMaxLength);
    showRows(layout.partySize);

    const auto record = readTrainer(m_session.path, *m_session.profile, rosterIndex);
    if (!record) {
        showFailure(this, record.failure());
        return;
    }
    applyTrainer(rosterIndex, *record);
    m_loaded = *record;
}

void Form1::applyTrainer(int rosterIndex, const TrainerRecord& record)
{
    for (int member = 1; member <= static_cast<int>(record.party.size()); ++member) {
        const PartyMember& values = record.party[static_cast<std::size_t>(member - 1)];
        levelBox(member)->setText(QString::number(values.level));
        speciesBox(member)->setCurrentIndex(listIndexFor(values.species, speciesBox(member)));
    }
    if (record.specialMove) {
        ui->attacklst->setCurrentIndex(listIndexFor(*record.specialMove - 1, ui->attacklst));
    }
    if (record.specialMoveUser) {
        for (int member = 1; member <= static_cast<int>(record.party.size()); ++member) {
            ui->pkmnno->addItem(speciesBox(member)->currentText());
        }
        ui->pkmnno->setCurrentIndex(listIndexFor(*record.specialMoveUser, ui->pkmnno));
    }
    if (record.prizeItem && record.prizeAmount) {
        ui->itemlst->setCurrentIndex(listIndexFor(*record.prizeItem - 1, ui->itemlst));
        ui->itemquant->setText(QString::number(*record.prizeAmount));
    }
    const QString entry = ui->trainerlst->item(rosterIndex)->text();
    ui->namebox->setText(QString::fromStdString(trimBlanks(entry.toStdString())));
}
