// The main window's moves under the party: each member's four moves as the game gives them when the battle starts,
// computed from the rows and the special move as the form shows them, so an edit not yet saved shows at once. A
// move the game writes itself is in bold; the stats and PP are in the tooltip.

#include "battles/BattlerText.h"
#include "trainers/CustomMovesWrite.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerForm.h"
#include "trainers/TrainerLayout.h"
#include "ui_TrainerForm.h"

#include <QComboBox>

namespace {

// The special moves with the form's pending move and user in place of the ROM's.
SpecialMoves withShown(SpecialMoves special, const TrainerRecord& record, int rosterIndex)
{
    const TrainerClass& trainer = trainerClass(rosterIndex);
    if (record.customMoves) {
        special.custom = withCustomMoves(special.custom, trainer.number, trainer.party, *record.customMoves);
    }
    if (!record.specialMove) {
        return special;
    }
    if (isGymLeader(rosterIndex)) {
        for (LeaderMove& leader : special.leaders) {
            if (leader.classNumber == trainer.number && leader.partyNumber == trainer.party) {
                leader.move = *record.specialMove;
                leader.user = record.specialMoveUser.value_or(static_cast<std::uint8_t>(leader.user));
            }
        }
    } else {
        for (auto& [classNumber, move] : special.teamMoves) {
            if (classNumber == trainer.number) {
                move = *record.specialMove;
            }
        }
    }
    return special;
}

} // namespace

void TrainerForm::showMemberMoves()
{
    const TrainerRecord record = shownRecord();
    if (!record.party || m_loadedIndex < 0 || m_loadedIndex >= RosterSize) {
        ui->memberMoves->clear();
        ui->memberMoves->setToolTip({});
        return;
    }
    QStringList moveNames;
    for (int index = 0; index < ui->attacklst->count(); ++index) {
        moveNames << ui->attacklst->itemText(index);
    }
    const TrainerClass& trainer = trainerClass(m_loadedIndex);
    const std::vector<Battler> battlers = partyBattlers(m_species,
                                                        withShown(m_specialMoves, record, m_loadedIndex),
                                                        trainer.number,
                                                        trainer.party,
                                                        PartyFormat::LevelEach,
                                                        *record.party);
    QStringList lines;
    QStringList tips;
    int member = 0;
    for (const Battler& battler : battlers) {
        const QString name = ui->partyrows->speciesBox(++member)->itemText(battler.species);
        QStringList moves;
        for (std::size_t slot = 0; slot < battler.moves.size(); ++slot) {
            Battler one;
            one.moves = {battler.moves[slot], 0, 0, 0};
            const QString move = movesLine(one, moveNames).section(QStringLiteral(", "), 0, 0).toHtmlEscaped();
            moves << (battler.origin[slot] == MoveOrigin::Level ? move : QStringLiteral("<b>%1</b>").arg(move));
        }
        lines << QStringLiteral("%1. %2: %3").arg(member).arg(name.toHtmlEscaped(), moves.join(QStringLiteral(", ")));
        tips << QStringLiteral("%1. %2 Lv %3\n%4")
                    .arg(member)
                    .arg(name)
                    .arg(battler.level)
                    .arg(battlerToolTip(battler, moveNames));
    }
    ui->memberMoves->setText(lines.join(QStringLiteral("<br>")));
    ui->memberMoves->setToolTip(tips.join(QStringLiteral("\n\n")));
}
