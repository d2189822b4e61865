// The fields of the picked species' record: base stats, types, catch rate, base experience, growth rate, level-1
// moves and the TM/HM checklist. An edit goes into the window's copy of the record at once; the record's picture
// fields are never shown nor written.

#include "species/ByteLists.h"
#include "species/Form6.h"
#include "species/GameConstants.h"
#include "species/LearnsetRules.h"
#include "trainers/InputFilters.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {

std::uint8_t asByte(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

void Form6::showRecord()
{
    const QScopedValueRollback filling(m_filling, true);
    const BaseStats* stats = pickedStats();
    const BaseStats shownStats = stats != nullptr ? *stats : BaseStats{};
    const std::uint8_t values[] = {shownStats.hp,
                                   shownStats.attack,
                                   shownStats.defense,
                                   shownStats.speed,
                                   shownStats.special,
                                   shownStats.catchRate,
                                   shownStats.baseExp};
    for (std::size_t k = 0; k < m_statBoxes.size(); ++k) {
        setNumberText(m_statBoxes[k], stats != nullptr ? QString::number(values[k]) : QString());
        m_statBoxes[k]->setEnabled(stats != nullptr);
    }
    const std::uint8_t types[] = {shownStats.type1, shownStats.type2};
    for (std::size_t k = 0; k < 2; ++k) {
        showByteList(m_typeBoxes[k], m_typeList, types[k]);
        m_typeBoxes[k]->setEnabled(stats != nullptr);
    }
    showByteList(m_growth, m_growthList, shownStats.growth);
    m_growth->setEnabled(stats != nullptr);
    for (std::size_t k = 0; k < m_levelOneMoves.size(); ++k) {
        showByteList(m_levelOneMoves[k], m_moveList, shownStats.moves[k]);
        m_levelOneMoves[k]->setEnabled(stats != nullptr);
    }
    const QSignalBlocker blocker(m_machines);
    m_machines->clear();
    const std::vector<std::uint8_t>& taught = m_data.machineMoves.values;
    for (int machine = 0; machine < MachineCount; ++machine) {
        const int move =
            static_cast<std::size_t>(machine) < taught.size() ? taught[static_cast<std::size_t>(machine)] : 0;
        const QString moveName = move >= 1 && move <= m_moveNames.size() ? m_moveNames[move - 1] : QString();
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 %2").arg(m_machineNames.value(machine < TmCount ? machine + 5 : machine - TmCount),
                                        moveName),
            m_machines);
        item->setFlags(stats != nullptr ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::NoItemFlags);
        item->setCheckState(shownStats.learns(machine) ? Qt::Checked : Qt::Unchecked);
    }
}

void Form6::recordEdited()
{
    BaseStats* stats = pickedStats();
    if (m_filling || stats == nullptr) {
        return;
    }
    std::uint8_t* values[] = {&stats->hp,
                              &stats->attack,
                              &stats->defense,
                              &stats->speed,
                              &stats->special,
                              &stats->catchRate,
                              &stats->baseExp};
    for (std::size_t k = 0; k < m_statBoxes.size(); ++k) {
        *values[k] = asByte(byteBoxValue(m_statBoxes[k]));
    }
    stats->type1 = asByte(pickedByte(m_typeBoxes[0]));
    stats->type2 = asByte(pickedByte(m_typeBoxes[1]));
    stats->growth = asByte(pickedByte(m_growth));
    for (std::size_t k = 0; k < m_levelOneMoves.size(); ++k) {
        stats->moves[k] = asByte(pickedByte(m_levelOneMoves[k]));
    }
    updateState();
}

void Form6::machineToggled(QListWidgetItem* item)
{
    BaseStats* stats = pickedStats();
    if (m_filling || stats == nullptr) {
        return;
    }
    stats->setLearns(m_machines->row(item), item->checkState() == Qt::Checked);
    updateState();
}
