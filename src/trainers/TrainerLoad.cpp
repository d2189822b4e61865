// The roster fill and the loader: a trainer picked in the roster is read from the ROM, found where the
// game finds it, and shown in the form. A group that is not in place stays disabled and empty.

#include "catalogues/NameCatalogues.h"
#include "rom/FailureBox.h"
#include "trainers/CustomMovesEditor.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerForm.h"
#include "ui_TrainerForm.h"

#include <QSignalBlocker>
#include <filesystem>

namespace {

// When the file was last written and how long it was; nothing when the file system cannot tell.
std::optional<TrainerForm::FileStamp> fileStamp(const std::string& path, std::size_t size)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) {
        return std::nullopt;
    }
    return TrainerForm::FileStamp{written, size};
}

// A byte the list has no entry for selects nothing; the save then keeps the byte as it is.
int listIndexFor(int index, const QComboBox* list)
{
    return index >= 0 && index < list->count() ? index : -1;
}

} // namespace

void TrainerForm::trainer(const Bytes& image, const PartyTable& parties)
{
    if (m_rom.profile == nullptr) {
        return;
    }
    for (const std::string& entry : readRoster(image, *m_rom.profile, parties)) {
        ui->trainerlst->addItem(QString::fromStdString(entry));
    }
}

void TrainerForm::trainerlst_Click(int rosterIndex)
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
    if (!m_keepSaveNote) {
        m_saveNote.clear();
    }
    m_keepSaveNote = false;
    loadTrainer(rosterIndex);
}

void TrainerForm::reloadTrainer()
{
    const int rosterIndex = m_loadedIndex;
    m_loadedIndex = -1;
    const QSignalBlocker blocker(ui->trainerlst);
    ui->trainerlst->clear();
    trainersave();
    ui->trainerlst->setCurrentRow(rosterIndex);
    loadTrainer(rosterIndex);
}

void TrainerForm::loadTrainer(int rosterIndex)
{
    ui->pkmnno->setVisible(isGymLeader(rosterIndex));
    m_loaded.reset();
    m_loadedIndex = rosterIndex;
    m_specialMoveUser.reset();
    m_memberMoves.clear();
    m_placementNote.clear();
    ui->partyinfo->clear();
    drawPortrait();
    if (rosterIndex < 0 || rosterIndex >= RosterSize || m_rom.profile == nullptr) {
        Nopoke();
        updateState();
        m_edits->reset();
        return;
    }
    if (isGymLeader(rosterIndex)) {
        ui->pkmnno->clear();
        ui->frmprize->show();
    } else {
        ui->frmprize->hide();
    }
    const auto image = m_rom.readAgain();
    if (!image) {
        Nopoke();
        updateState();
        showFailure(this, image.failure());
        return;
    }
    const LoadedTrainer loaded = readTrainer(*image, *m_rom.profile, rosterIndex);
    // The same from one trainer to the next: read again after a save or undo (trainersave forgets them) or when
    // another program wrote the file.
    const std::optional<FileStamp> stamp = fileStamp(m_rom.path, image->size());
    if (!stamp || stamp != m_movesSource) {
        m_species = readSpeciesData(*image, *m_rom.profile);
        m_specialMoves = readSpecialMoves(*image, *m_rom.profile);
        m_places = m_placeReader ? m_placeReader(*image) : PartyPlaceLookup();
        m_movesSource = stamp;
        const std::vector<std::string> species = speciesNames(*image, *m_rom.profile);
        m_championStarters.clear();
        for (const std::uint8_t starter : {ChampionBulbasaur, ChampionCharmander}) {
            m_championStarters << (starter < species.size() ? QString::fromStdString(species[starter]).trimmed()
                                                            : QString::number(starter));
        }
    }
    const TrainerClass& trainer = trainerClass(rosterIndex);
    // What the game gives members by their place: checked against the rows as they change.
    for (const LostMove& move : lostMoves(*image, *m_rom.profile, trainer.number, trainer.party, 0)) {
        // A custom move is checked against the moves as the form has them.
        if (move.kind != LostMoveKind::SpecialMoveUser && move.kind != LostMoveKind::CustomMove) {
            m_memberMoves.push_back(move);
        }
    }
    m_filling = true;
    applyTrainer(rosterIndex, loaded);
    m_filling = false;
    // Which of the game's parties this is, and what its class pays.
    const PartyTable parties = readPartyTable(*image, *m_rom.profile);
    const PartyList* list = parties.listOf(trainer.number);
    const auto money = parties.entry(trainer.number).money;
    ui->partyinfo->setText(
        QStringLiteral("Trainer class %1, party %2 of %3.")
            .arg(trainer.number)
            .arg(trainer.party)
            .arg(list != nullptr ? static_cast<int>(list->parties.size()) : 0) +
        (money
             ? QStringLiteral(" Prize money: ¥%1 per level of the last member (Extras > Trainer Parties).").arg(*money)
             : QString()) +
        placeLine(trainer));
    m_loaded = loaded;
    updateState();
    m_edits->reset();
}

QString TrainerForm::placeLine(const TrainerClass& trainer) const
{
    if (!m_places) {
        return {};
    }
    const PartyPlace found = m_places(trainer.number, trainer.party);
    const QString place = QString::fromStdString(found.text);
    // "No map of this ROM uses this party." is a sentence of its own.
    return found.onMap || found.byScript ? QStringLiteral(" Fought at: %1.").arg(place) : QLatin1Char(' ') + place;
}

void TrainerForm::applyTrainer(int rosterIndex, const LoadedTrainer& loaded)
{
    const TrainerRecord& record = loaded.record;
    if (record.party) {
        ui->partyrows->setMembers(*record.party);
    } else {
        Nopoke();
    }

    // Yellow's move list keeps what it showed: the frame is hidden and nothing of it is saved.
    if (m_rom.profile->specialMovesEditable) {
        ui->frmmove->setEnabled(loaded.places.specialMove.inPlace());
        ui->attacklst->setCurrentIndex(record.specialMove ? listIndexFor(*record.specialMove - 1, ui->attacklst) : -1);
    }
    m_specialMoveUser = record.party ? record.specialMoveUser : std::nullopt;
    showChampion(record);
    showCustomMoves(record);
    followMembers();

    ui->frmprize->setEnabled(loaded.places.prize.inPlace());
    if (isGymLeader(rosterIndex)) {
        ui->itemlst->setCurrentIndex(record.prizeItem ? listIndexFor(*record.prizeItem - 1, ui->itemlst) : -1);
        setNumberText(ui->itemquant, record.prizeAmount ? QString::number(*record.prizeAmount) : QString());
    }

    ui->namebox->setEnabled(record.name.has_value());
    if (record.name) {
        // A character may stand for two bytes of the game ("'s"), never for less than one.
        ui->namebox->setMaxLength(
            std::max(loaded.places.name.length, static_cast<int>(QString::fromStdString(*record.name).size())));
    }
    ui->namebox->setText(record.name ? QString::fromStdString(*record.name) : QString());

    m_placementNote = placementNote(rosterIndex, loaded);
}

void TrainerForm::followMembers()
{
    ui->customMovesEditor->setMemberNames(ui->partyrows->memberNames());
    const QSignalBlocker blocker(ui->pkmnno);
    ui->pkmnno->clear();
    if (!m_specialMoveUser) {
        updateState();
        return;
    }
    const int members = ui->partyrows->memberCount();
    for (int member = 1; member <= members; ++member) {
        ui->pkmnno->addItem(speciesBox(member)->currentText());
    }
    ui->pkmnno->setCurrentIndex(listIndexFor(*m_specialMoveUser, ui->pkmnno));
    updateState();
}

void TrainerForm::showChampion(const TrainerRecord& record)
{
    if (!m_rom.profile->specialMovesEditable) {
        return;
    }
    const std::vector<QComboBox*> lists = championLists();
    ui->frmchampion->setEnabled(record.champion.has_value());
    ui->frmchampion->setToolTip(record.champion ? QString() : QString::fromStdString(m_specialMoves.championProblem));
    QLabel* const labels[] = {ui->championBulbasaurLabel, ui->championCharmanderLabel};
    for (int k = 0; k < 2 && k < m_championStarters.size(); ++k) {
        labels[k]->setText(QStringLiteral("Member 6, rival's %1:").arg(m_championStarters[k]));
    }
    const ChampionMoves moves = record.champion.value_or(ChampionMoves{});
    const std::uint8_t bytes[] = {moves.first, moves.bulbasaur, moves.charmander, moves.otherwise};
    for (std::size_t k = 0; k < lists.size(); ++k) {
        lists[k]->setCurrentIndex(record.champion ? listIndexFor(bytes[k] - 1, lists[k]) : -1);
    }
}

void TrainerForm::showCustomMoves(const TrainerRecord& record)
{
    if (!m_rom.profile->customMovesOffset) {
        return;
    }
    QStringList moveNames;
    for (int index = 0; index < ui->attacklst->count(); ++index) {
        moveNames << ui->attacklst->itemText(index);
    }
    ui->customMovesEditor->setMoveNames(moveNames);
    ui->customMovesEditor->setMoves(record.customMoves.value_or(std::vector<CustomMove>{}));
    ui->frmcustom->setEnabled(record.customMoves.has_value());
    ui->frmcustom->setToolTip(record.customMoves ? QString() : CustomMovesEditor::unreadableNote());
}

void TrainerForm::memberRemoving(int member)
{
    if (m_loaded && m_loaded->record.customMoves) {
        ui->customMovesEditor->offerToFollowRemoval(member);
    }
    // The user byte counts from 0: a user in the party after the member removed moves up with its member, if the user
    // wants.
    if (m_rom.profile->specialMovesEditable && m_specialMoveUser && *m_specialMoveUser + 1 > member &&
        *m_specialMoveUser < ui->partyrows->memberCount() &&
        askToMoveWithMembers(this,
                             QStringLiteral("Move the special move with its member?"),
                             QStringLiteral("The game gives the special move to member %1, which becomes member %2. "
                                            "Else the member after it gets the move.")
                                 .arg(*m_specialMoveUser + 1)
                                 .arg(*m_specialMoveUser))) {
        m_specialMoveUser = static_cast<std::uint8_t>(*m_specialMoveUser - 1);
    }
}
