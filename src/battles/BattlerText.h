#pragma once

// How the windows name what an opponent fights with: its four moves in a line, the stats and PP for a tooltip,
// and where a move the game writes over the learnset's comes from.

#include "battles/Battler.h"

#include <QString>
#include <QStringList>

// "TACKLE, GROWL, —, —": a move the names have no entry for by its number.
QString movesLine(const Battler& battler, const QStringList& moveNames);
// "HP 61 · Attack 40 · Defense 35 · Speed 45 · Special 39" and a line of each move's PP; no stats for a wild one.
QString battlerToolTip(const Battler& battler, const QStringList& moveNames);
// "the gym leader's special move", or briefly "gym leader"; empty for the learnset's.
QString moveOriginText(MoveOrigin origin);
QString moveOriginShort(MoveOrigin origin);
// "WATER GUN in slot 3 (the gym leader's special move)" for each move the game writes itself, joined by "; ";
// brief: "(gym leader)".
QString specialMovesLine(const Battler& battler, const QStringList& moveNames, bool brief = true);
