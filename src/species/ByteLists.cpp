#include "species/ByteLists.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {

const char* const OffsetProperty = "byteOffset";

} // namespace

ByteNames byteNames(QObject* owner, const QStringList& names, int firstByte, const QString& none)
{
    QStringList items = names;
    if (!none.isEmpty()) {
        items.prepend(none);
    }
    return {new QStringListModel(items, owner), none.isEmpty() ? firstByte : firstByte - 1};
}

void showByteList(QComboBox* box, const ByteNames& names, int byte)
{
    const QSignalBlocker blocker(box);
    const int index = byte - names.offset;
    if (index < 0 || index >= names.model->rowCount()) {
        // A list of its own, the byte as its last item.
        QStringList items = names.model->stringList();
        items << QStringLiteral("0x%1 (not in the game's table)").arg(byte, 2, 16, QLatin1Char('0'));
        box->setModel(new QStringListModel(items, box));
        box->setProperty(OffsetProperty, names.offset);
        box->setProperty("extraByte", byte);
        box->setCurrentIndex(static_cast<int>(items.size()) - 1);
        return;
    }
    if (box->model() != names.model) {
        box->setModel(names.model);
    }
    box->setProperty(OffsetProperty, names.offset);
    box->setProperty("extraByte", QVariant());
    box->setCurrentIndex(index);
}

void showByteList(QComboBox* box, const QStringList& names, int firstByte, int byte)
{
    ByteNames own{nullptr, firstByte};
    own.model = qobject_cast<QStringListModel*>(box->model());
    if (own.model == nullptr || own.model->parent() != box) {
        own.model = new QStringListModel(box);
    }
    own.model->setStringList(names);
    showByteList(box, own, byte);
}

int pickedByte(const QComboBox* box)
{
    const int index = box->currentIndex();
    if (index < 0) {
        return -1;
    }
    const QVariant extra = box->property("extraByte");
    if (extra.isValid() && index == box->count() - 1) {
        return extra.toInt();
    }
    return index + box->property(OffsetProperty).toInt();
}
