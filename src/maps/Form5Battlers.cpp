// What the Maps window says each opponent fights with: a trainer's members with their moves in the hover over the
// trainer, and each wild slot's moves at its level in the slot's tooltip, following the slots as they stand.

#include "battles/BattlerText.h"
#include "maps/Form5.h"
#include "maps/PokemonGrid.h"
#include "ui_Form5.h"

#include <QStringListModel>

QString Form5::battlersOf(int classNumber, int partyNumber) const
{
    const Party* party = m_parties.party(classNumber, partyNumber);
    if (party == nullptr) {
        return {};
    }
    QStringList lines;
    for (const Battler& battler : partyBattlers(m_speciesData,
                                                m_specialMoves,
                                                classNumber,
                                                partyNumber,
                                                party->format,
                                                {party->members.begin(), party->members.size()})) {
        QString line =
            QStringLiteral("%1 Lv %2: %3")
                .arg(m_species->stringList().value(battler.species, QStringLiteral("#%1").arg(battler.species)))
                .arg(battler.level)
                .arg(movesLine(battler, m_moveNames));
        if (const QString special = specialMovesLine(battler, m_moveNames); !special.isEmpty()) {
            line += QStringLiteral(" — ") + special;
        }
        lines << line;
    }
    return QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

void Form5::captionWild()
{
    const SlotChances& chances = m_table.chances;
    for (PokemonGrid* grid : {ui->grassslots, ui->waterslots}) {
        const std::vector<WildSlot>& shown = grid->values();
        for (int slot = 1; slot <= WildSlotCount; ++slot) {
            const auto at = static_cast<std::size_t>(slot - 1);
            QStringList tip;
            QString text;
            if (chances.problem.empty()) {
                text = QStringLiteral("%1%").arg(qRound(100.0 * chances.chances[at] / 256));
                tip << QStringLiteral("Slot %1: %2 in 256 encounters").arg(slot).arg(chances.chances[at]);
            }
            if (at < shown.size() && shown[at].species != 0) {
                const Battler battler = wildBattler(m_speciesData, shown[at].species, shown[at].level);
                tip << QStringLiteral("Moves at level %1: %2")
                           .arg(shown[at].level)
                           .arg(movesLine(battler, m_moveNames));
            }
            grid->setCaption(slot, text, tip.join(QLatin1Char('\n')));
        }
    }
}
