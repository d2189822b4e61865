#pragma once

// Pick lists of the bytes a ROM stores, each item's data its byte: names from a first byte on, and a byte no name
// stands for (one past the game's tables, which another tool may have written) shown as it is, marked, so that it
// is neither lost nor taken for another value.

#include <QString>
#include <QStringList>

class QComboBox;

// Fills box with names (names[k] for byte firstByte + k), after "none" for byte 0 when given, and selects byte.
void showByteList(QComboBox* box, const QStringList& names, int firstByte, int byte, const QString& none = {});
// The byte the box's selection stands for; -1 without one.
int pickedByte(const QComboBox* box);
