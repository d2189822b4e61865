#include "species/ByteLists.h"

#include <QComboBox>
#include <QSignalBlocker>

void showByteList(QComboBox* box, const QStringList& names, int firstByte, int byte, const QString& none)
{
    const QSignalBlocker blocker(box);
    box->clear();
    if (!none.isEmpty()) {
        box->addItem(none, 0);
    }
    for (int k = 0; k < names.size(); ++k) {
        box->addItem(names[k], firstByte + k);
    }
    int index = box->findData(byte);
    if (index < 0) {
        box->addItem(QStringLiteral("0x%1 (not in the game's table)").arg(byte, 2, 16, QLatin1Char('0')), byte);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

int pickedByte(const QComboBox* box)
{
    return box->currentIndex() < 0 ? -1 : box->currentData().toInt();
}
