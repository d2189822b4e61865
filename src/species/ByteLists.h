#pragma once

// Pick lists of the bytes a ROM stores. The names of one kind live in one model that every list of that kind shares
// (a learnset's rows would otherwise each copy 165 moves): item k of the model stands for byte k + offset. A byte no
// item stands for (one past the game's tables, which another tool may have written) gets a list of its own, its byte
// shown as it is and marked, so that it is neither lost nor taken for another value.

#include <QString>
#include <QStringList>

class QComboBox;
class QObject;
class QStringListModel;

struct ByteNames
{
    QStringListModel* model = nullptr;
    // The byte of item 0.
    int offset = 0;
};

// names[k] for byte firstByte + k, after none for byte firstByte - 1 when given.
ByteNames byteNames(QObject* owner, const QStringList& names, int firstByte, const QString& none = {});

// Shows names in box with byte selected, without a signal.
void showByteList(QComboBox* box, const ByteNames& names, int byte);
// The same for a list of its own: names[k] for byte firstByte + k.
void showByteList(QComboBox* box, const QStringList& names, int firstByte, int byte);
// The byte the box's selection stands for; -1 without one.
int pickedByte(const QComboBox* box);
