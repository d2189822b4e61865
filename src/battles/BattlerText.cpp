#include "battles/BattlerText.h"

namespace {

QString moveName(int move, const QStringList& moveNames)
{
    if (move == 0) {
        return QStringLiteral("—");
    }
    const QString name = moveNames.value(move - 1);
    return name.isEmpty() ? QStringLiteral("Move %1").arg(move) : name;
}

} // namespace

QString movesLine(const Battler& battler, const QStringList& moveNames)
{
    QStringList names;
    for (const std::uint8_t move : battler.moves) {
        names << moveName(move, moveNames);
    }
    return names.join(QStringLiteral(", "));
}

QString battlerToolTip(const Battler& battler, const QStringList& moveNames)
{
    QStringList lines;
    if (battler.stats) {
        const BattleStats& stats = *battler.stats;
        lines << QStringLiteral("HP %1 · Attack %2 · Defense %3 · Speed %4 · Special %5")
                     .arg(stats.hp)
                     .arg(stats.attack)
                     .arg(stats.defense)
                     .arg(stats.speed)
                     .arg(stats.special);
    }
    QStringList pp;
    for (std::size_t slot = 0; slot < battler.moves.size(); ++slot) {
        if (battler.moves[slot] != 0) {
            pp << QStringLiteral("%1 %2 PP").arg(moveName(battler.moves[slot], moveNames)).arg(battler.pp[slot]);
        }
    }
    lines << (pp.isEmpty() ? QStringLiteral("No moves") : pp.join(QStringLiteral(", ")));
    if (const QString special = specialMovesLine(battler, moveNames, false); !special.isEmpty()) {
        lines << QStringLiteral("The game writes ") + special + QLatin1Char('.');
    }
    return lines.join(QLatin1Char('\n'));
}

QString moveOriginText(MoveOrigin origin)
{
    switch (origin) {
    case MoveOrigin::GymLeader:
        return QStringLiteral("the gym leader's special move");
    case MoveOrigin::TeamMove:
        return QStringLiteral("the Elite Four's team move");
    case MoveOrigin::Champion:
        return QStringLiteral("the champion's move in the game's code");
    case MoveOrigin::Custom:
        return QStringLiteral("Yellow's custom moves");
    case MoveOrigin::Level:
        break;
    }
    return {};
}

QString moveOriginShort(MoveOrigin origin)
{
    switch (origin) {
    case MoveOrigin::GymLeader:
        return QStringLiteral("gym leader");
    case MoveOrigin::TeamMove:
        return QStringLiteral("Elite Four");
    case MoveOrigin::Champion:
        return QStringLiteral("champion");
    case MoveOrigin::Custom:
        return QStringLiteral("custom");
    case MoveOrigin::Level:
        break;
    }
    return {};
}

QString specialMovesLine(const Battler& battler, const QStringList& moveNames, bool brief)
{
    QStringList moves;
    for (std::size_t slot = 0; slot < battler.moves.size(); ++slot) {
        if (battler.origin[slot] != MoveOrigin::Level) {
            moves << QStringLiteral("%1 in slot %2 (%3)")
                         .arg(moveName(battler.moves[slot], moveNames))
                         .arg(slot + 1)
                         .arg(brief ? moveOriginShort(battler.origin[slot]) : moveOriginText(battler.origin[slot]));
        }
    }
    return moves.join(QStringLiteral("; "));
}
