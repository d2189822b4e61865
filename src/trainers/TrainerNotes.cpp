// The notes under the trainer form and the warnings beside its controls: what Tavrik leaves alone, where a
// save moved a list, and values the game cannot use or moves a party too small loses. Warnings about moves
// never block a save: hackers use glitches on purpose.

#include "trainers/PartyRows.h"
#include "trainers/TrainerForm.h"
#include "ui_TrainerForm.h"

namespace {

QString joined(const QStringList& parts, const QString& last)
{
    if (parts.size() < 2) {
        return parts.join(QString());
    }
    return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + last + parts.back();
}

} // namespace

QString TrainerForm::placementNote(int rosterIndex, const LoadedTrainer& loaded) const
{
    const QString who = loaded.record.name ? QString::fromStdString(*loaded.record.name)
                                           : QStringLiteral("Trainer %1").arg(rosterIndex + 1);
    QStringList groups;
    QStringList reasons;
    for (const auto& [group, place] : loaded.places.notInPlace()) {
        groups << QString::fromLatin1(group);
        reasons << QString::fromLatin1(group) + QStringLiteral(": ") + QString::fromStdString(place->problem);
    }
    if (groups.isEmpty()) {
        return {};
    }
    const bool one = groups.size() == 1;
    return QStringLiteral("Tavrik leaves the %1 of %2 as %3: not where %4 keeps %5 (%6). Another tool changed "
                          "this ROM.")
        .arg(joined(groups, QStringLiteral(" and ")),
             who,
             one ? QStringLiteral("it is") : QStringLiteral("they are"),
             QString::fromUtf8(m_rom.profile->title),
             one ? QStringLiteral("it") : QStringLiteral("them"),
             reasons.join(QStringLiteral("; ")));
}

QStringList TrainerForm::warnings()
{
    QStringList lines = ui->partyrows->warnings();
    const int members = ui->partyrows->memberCount();
    QString userReason;
    if (m_specialMoveUser && *m_specialMoveUser >= members) {
        userReason = QStringLiteral("The ROM names party member %1 as the user of the special move, but the party "
                                    "has %2: the game writes the move past the party.")
                         .arg(*m_specialMoveUser + 1)
                         .arg(members);
        lines << QStringLiteral("the special move's user is not in the party");
    }
    ui->pkmnnoWarning->setVisible(!userReason.isEmpty());
    ui->pkmnnoWarning->setToolTip(userReason);
    ui->pkmnno->setAccessibleDescription(userReason);
    for (const LostMove& move : m_memberMoves) {
        if (move.member > members) {
            lines << lostMoveWarning(move, ui->attacklst->itemText(move.move - 1));
        }
    }
    const TrainerRecord record = shownRecord();
    for (const CustomMove& move : record.customMoves.value_or(std::vector<CustomMove>{})) {
        if (move.member > members) {
            lines << lostMoveWarning({LostMoveKind::CustomMove, move.member, move.slot, move.move},
                                     ui->attacklst->itemText(move.move - 1));
        }
    }
    return lines;
}

void TrainerForm::updateState()
{
    if (m_filling) {
        return;
    }
    m_edits->changed();
    showMemberMoves();
    emit modifiedChanged(hasUnsavedChanges());
    QStringList notes;
    for (const QString& note : {m_saveNote, m_placementNote}) {
        if (!note.isEmpty()) {
            notes << note;
        }
    }
    const QStringList found = warnings();
    if (!found.isEmpty()) {
        notes << QStringLiteral("Warning: %1.").arg(found.join(QStringLiteral("; ")));
    }
    emit notesChanged(notes.join(QLatin1Char('\n')));
}
