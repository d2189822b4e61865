#include "catalogues/CatalogueFill.h"

#include "app/Form1.h"
#include "catalogues/NameCatalogues.h"
#include "rom/FailureBox.h"
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

bool fillSpeciesLists(QWidget* parent, RomSession& session, const std::vector<QComboBox*>& lists)
{
    if (!session.loaded() || !session.file) {
        return false;
    }
    const auto names = speciesNames(*session.file, *session.profile);
    if (!names) {
        showFailure(parent, names.failure());
        return false;
    }
    // Each name is read and decoded once and goes into all the lists alike.
    const QStringList entries = toQStringList(*names);
    for (QComboBox* list : lists) {
        list->addItems(entries);
    }
    return true;
}

bool Form1::pokemon()
{
    return fillSpeciesLists(this, m_session, {ui->pkmn1, ui->pkmn2, ui->pkmn3, ui->pkmn4, ui->pkmn5, ui->pkmn6});
}

namespace {

// Appends a walk's names to a list; false after showing why they could not be read.
bool appendNames(QWidget* parent, QComboBox* list, const Result<std::vector<std::string>>& names)
{
    if (!names) {
        showFailure(parent, names.failure());
        return false;
    }
    list->addItems(toQStringList(*names));
    return true;
}

} // namespace

bool Form1::attack()
{
    return m_session.loaded() && m_session.file &&
           appendNames(this, ui->attacklst, moveNames(*m_session.file, *m_session.profile));
}

bool Form1::item()
{
    return m_session.loaded() && m_session.file &&
           appendNames(this, ui->itemlst, itemNames(*m_session.file, *m_session.profile));
}

void Form1::item2()
{
    if (m_session.loaded()) {
        ui->itemlst->addItems(toQStringList(itemPlaceholders()));
    }
}

void Form1::item3()
{
    if (m_session.loaded()) {
        ui->itemlst->addItems(toQStringList(machineNames()));
    }
}
