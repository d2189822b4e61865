#include "catalogues/CatalogueFill.h"

#include <QComboBox>

QStringList toQStringList(const std::vector<std::string>& names)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        list << QString::fromStdString(name);
    }
    return list;
}

void appendNames(const std::vector<QComboBox*>& lists, const std::vector<std::string>& names)
{
    // Each name is read and decoded once and goes into all the lists alike.
    const QStringList entries = toQStringList(names);
    for (QComboBox* list : lists) {
        list->addItems(entries);
    }
}
