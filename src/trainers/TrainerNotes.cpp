// The notes under the trainer form and the warnings beside its controls: where the ROM keeps a trainer
// when another tool moved it, what Tavrik leaves alone, and values the game cannot use. Warnings never
// block a save: hackers use glitches on purpose.

#include "app/Form1.h"
#include "trainers/InputFilters.h"
#include "ui_Form1.h"

#include <QAction>

namespace {

QString joined(const QStringList& parts, const QString& last)
{
    if (parts.size() < 2) {
        return parts.join(QString());
    }
    return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + last + parts.back();
}

// Shows or hides a warning: an icon with its reason as tooltip, and the reason as the control's
// accessible description, so a screen reader says it too.
void setWarning(QWidget* control, QObject* icon, const QString& reason)
{
    if (auto* label = qobject_cast<QWidget*>(icon)) {
        label->setVisible(!reason.isEmpty());
        label->setToolTip(reason);
        label->setAccessibleDescription(reason);
    } else if (auto* action = qobject_cast<QAction*>(icon)) {
        action->setVisible(!reason.isEmpty());
        action->setToolTip(reason);
    }
    control->setAccessibleDescription(reason);
}

} // namespace

QString Form1::placementNote(int rosterIndex, const LoadedTrainer& loaded) const
{
    const VersionProfile& profile = *m_session.profile;
    const QString who = loaded.record.name ? QString::fromStdString(*loaded.record.name)
                                           : QStringLiteral("Trainer %1").arg(rosterIndex + 1);
    const QString title = QString::fromUtf8(profile.title);
    QStringList notes;
    QStringList moved;
    if (partyMoved(loaded.places, profile, rosterIndex)) {
        moved << QStringLiteral("party");
    }
    if (nameMoved(loaded.places, profile, rosterIndex)) {
        moved << QStringLiteral("name");
    }
    if (!moved.isEmpty()) {
        const bool one = moved.size() == 1;
        notes << QStringLiteral("The %1 of %2 %3 not where %4 first had %5: found through the ROM's own tables, "
                                "edited there.")
                     .arg(joined(moved, QStringLiteral(" and ")),
                          who,
                          one ? QStringLiteral("is") : QStringLiteral("are"),
                          title,
                          one ? QStringLiteral("it") : QStringLiteral("them"));
    }
    QStringList groups;
    QStringList reasons;
    for (const auto& [group, place] : loaded.places.notInPlace()) {
        groups << QString::fromLatin1(group);
        reasons << QString::fromLatin1(group) + QStringLiteral(": ") + QString::fromUtf8(place->problem);
    }
    if (!groups.isEmpty()) {
        const bool one = groups.size() == 1;
        notes << QStringLiteral("Tavrik leaves the %1 of %2 as %3: not where %4 keeps %5 (%6). Another tool changed "
                                "this ROM.")
                     .arg(joined(groups, QStringLiteral(" and ")),
                          who,
                          one ? QStringLiteral("it is") : QStringLiteral("they are"),
                          title,
                          one ? QStringLiteral("it") : QStringLiteral("them"),
                          reasons.join(QStringLiteral("; ")));
    }
    return notes.join(QLatin1Char(' '));
}

QStringList Form1::warnings()
{
    QStringList lines;
    const auto& party = m_loaded ? m_loaded->record.party : std::nullopt;
    const int members = party ? static_cast<int>(party->size()) : 0;
    for (int member = 1; member <= 6; ++member) {
        QLineEdit* level = levelBox(member);
        QString levelReason;
        QString speciesReason;
        if (member <= members && byteBoxValue(level) == 0) {
            levelReason = QStringLiteral("A level of 0 ends the party here: the game shows neither this member "
                                         "nor any after it.");
            lines << QStringLiteral("member %1's level 0 ends the party").arg(member);
        }
        if (member <= members && speciesBox(member)->currentText() == QStringLiteral("MISSINGNO.")) {
            speciesReason = QStringLiteral("MISSINGNO. stands for no Pokémon: the game brings a glitch Pokémon.");
            lines << QStringLiteral("MISSINGNO. at member %1").arg(member);
        }
        setWarning(level, m_levelWarnings[static_cast<std::size_t>(member - 1)], levelReason);
        setWarning(speciesBox(member), m_speciesWarnings[static_cast<std::size_t>(member - 1)], speciesReason);
    }
    QString userReason;
    const auto user = m_loaded ? m_loaded->record.specialMoveUser : std::nullopt;
    if (user && *user >= members && ui->pkmnno->currentIndex() < 0) {
        userReason = QStringLiteral("The ROM names party member %1 as the user of the special move, but the party "
                                    "has %2: the game writes the move past the party.")
                         .arg(*user + 1)
                         .arg(members);
        lines << QStringLiteral("the special move's user is not in the party");
    }
    setWarning(ui->pkmnno, ui->pkmnnoWarning, userReason);
    return lines;
}

void Form1::updateState()
{
    if (m_filling) {
        return;
    }
    setWindowModified(hasUnsavedChanges());
    QStringList notes;
    if (!m_placementNote.isEmpty()) {
        notes << m_placementNote;
    }
    const QStringList found = warnings();
    if (!found.isEmpty()) {
        notes << QStringLiteral("Warning: %1.").arg(found.join(QStringLiteral("; ")));
    }
    m_notes->setText(notes.join(QLatin1Char('\n')));
    m_notes->setToolTip(m_notes->text());
}
