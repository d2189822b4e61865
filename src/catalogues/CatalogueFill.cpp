#include "catalogues/CatalogueFill.h"

#include "app/Form1.h"
#include "catalogues/NameCatalogues.h"
#include "ui_Form1.h"

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

void Form1::pokemon(const Bytes& image)
{
    if (m_session.loaded()) {
        appendNames({ui->pkmn1, ui->pkmn2, ui->pkmn3, ui->pkmn4, ui->pkmn5, ui->pkmn6},
                    speciesNames(image, *m_session.profile));
    }
}

void Form1::attack(const Bytes& image)
{
    if (m_session.loaded()) {
        appendNames({ui->attacklst}, moveNames(image, *m_session.profile));
    }
}

void Form1::item(const Bytes& image)
{
    if (m_session.loaded()) {
        appendNames({ui->itemlst}, itemNames(image, *m_session.profile));
    }
}

// "?????" up to the first machine's position, whatever number of names the item walk found.
void Form1::item2()
{
    if (m_session.loaded()) {
        appendNames({ui->itemlst}, itemPlaceholders(static_cast<std::size_t>(ui->itemlst->count())));
    }
}

void Form1::item3()
{
    if (m_session.loaded()) {
        appendNames({ui->itemlst}, machineNames());
    }
}
