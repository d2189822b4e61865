// The Maps window's Fishing tab: the selected map's super rod slots with the chance of each, the maps that share a
// Red or Blue group and the button that gives the map a copy of its own, the room a new row takes, and the Old and
// Good Rods, which are the same on every map. What the game's code does not read where Tavrik looks is greyed, the
// reason beside it.

#include "maps/FishingCheck.h"
#include "maps/Form5.h"
#include "maps/PokemonGrid.h"
#include "ui_Form5.h"

#include <QLocale>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {

// A new slot's Pokémon until the user picks another: species byte 1 at level 5, which the game reads as it is.
constexpr WildSlot NewSlot{5, 1};

QString percent(int chance)
{
    return QStringLiteral("%1%").arg(qRound(100.0 * chance / 256));
}

QString groupedBytes(std::int32_t bytes)
{
    return QLocale(QLocale::English).toString(bytes);
}

} // namespace

void Form5::buildFishing()
{
    ui->superslots->build(QStringLiteral("srpkmn"), QStringLiteral("srlvl"), QStringLiteral("super rod slot"), 4);
    ui->oldrod->build(QStringLiteral("orpkmn"), QStringLiteral("orlvl"), QStringLiteral("Old Rod"), 1);
    ui->goodrod->build(QStringLiteral("grpkmn"), QStringLiteral("grlvl"), QStringLiteral("Good Rod slot"), 2);
    for (PokemonGrid* grid : {ui->superslots, ui->oldrod, ui->goodrod}) {
        grid->setSpeciesModel(m_species);
        grid->setPictureBook(m_pictures);
        connect(grid, &PokemonGrid::changed, this, &Form5::updateState);
    }
    connect(ui->fishcount, &QSpinBox::valueChanged, this, &Form5::fishCountChanged);
    connect(ui->cmdOwnGroup, &QPushButton::clicked, this, [this] {
        m_ownGroup = true;
        updateState();
    });
}

void Form5::fillFishing(const MapRow& row)
{
    const FishingTable& fishing = m_table.fishing;
    const SuperRod& superRod = fishing.superRod;
    const SuperRodRow* found = row.isMap() ? superRod.rowOf(row.id) : nullptr;
    m_ownGroup = false;
    m_superRodNote.clear();
    if (!row.isMap() || !m_readOnly.isEmpty()) {
        m_superRodNote = m_readOnly;
    } else if (!superRod.readable()) {
        m_superRodNote = QStringLiteral("Tavrik leaves the super rod as it is: %1.").arg(superRod.problem.c_str());
    } else if (found != nullptr && found->group < 0) {
        m_superRodNote = QStringLiteral("Tavrik leaves this map's super rod as it is: %1.").arg(found->problem.c_str());
    }
    const SuperRodGroup* group = row.isMap() ? superRod.groupOf(row.id) : nullptr;
    const std::vector<WildSlot> loaded = group != nullptr ? group->pokemon : std::vector<WildSlot>{};
    m_superRod = m_superRodNote.isEmpty() ? std::optional(loaded) : std::nullopt;
    m_superRodCells = loaded;
    m_superRodCells.resize(SuperRodDrawn, NewSlot);
    {
        const QSignalBlocker blocker(ui->fishcount);
        ui->fishcount->setMinimum(loaded.empty() ? 0 : fewestSlots(superRod));
        ui->fishcount->setSingleStep(superRod.inlineSlots ? SuperRodDrawn : 1);
        ui->fishcount->setValue(static_cast<int>(loaded.size()));
    }
    ui->superslots->setValues(loaded);
    ui->fishcountunit->setText(superRod.inlineSlots ? QStringLiteral("(4; 0 for none)")
                                                    : QStringLiteral("(1-4; 0 for none)"));
    const bool editable = m_readOnly.isEmpty();
    const auto fillRod = [editable](PokemonGrid* grid, const FixedRod& rod, int cells) {
        if (rod.readable()) {
            grid->setValues(rod.pokemon);
        } else {
            grid->showBlank(cells);
        }
        grid->setEnabled(editable && rod.readable());
        for (int cell = 1; cell <= cells; ++cell) {
            grid->setCaption(cell,
                             percent(256 / cells),
                             rod.readable() ? QStringLiteral("Slot %1: one bite in %2").arg(cell).arg(cells)
                                            : QString::fromStdString(rod.problem));
        }
    };
    fillRod(ui->oldrod, fishing.oldRod, 1);
    fillRod(ui->goodrod, fishing.goodRod, GoodRodSlots);
    m_oldRod = editable && fishing.oldRod.readable() ? std::optional(fishing.oldRod.pokemon.front()) : std::nullopt;
    m_goodRod = editable && fishing.goodRod.readable() ? std::optional(fishing.goodRod.pokemon) : std::nullopt;
}

void Form5::fishCountChanged(int count)
{
    // The cells kept while fewer are shown come back when more are.
    const std::vector<WildSlot>& shown = ui->superslots->values();
    std::copy(shown.begin(), shown.end(), m_superRodCells.begin());
    ui->superslots->setValues({m_superRodCells.begin(), m_superRodCells.begin() + count});
    updateState();
}

std::optional<std::vector<WildSlot>> Form5::editedSuperRod() const
{
    if (!m_superRod) {
        return std::nullopt;
    }
    const std::vector<WildSlot>& shown = ui->superslots->values();
    return shown == *m_superRod ? std::nullopt : std::optional(shown);
}

FishingEdits Form5::editedFishing() const
{
    FishingEdits edits;
    const auto superRod = editedSuperRod();
    if (superRod || (m_ownGroup && m_superRod)) {
        edits.superRod.push_back({m_map, superRod, m_ownGroup});
    }
    if (m_oldRod && ui->oldrod->values().front() != *m_oldRod) {
        edits.oldRod = ui->oldrod->values().front();
    }
    if (m_goodRod && ui->goodrod->values() != *m_goodRod) {
        edits.goodRod = ui->goodrod->values();
    }
    return edits;
}

// What sharing a group means, what Make This Map's Own or a new row takes of the free space, and the chances.
QString Form5::superRodText() const
{
    const SuperRod& superRod = m_table.fishing.superRod;
    const SuperRodGroup* group = superRod.groupOf(m_map);
    const FreeSpace free = superRodFreeSpace(m_image, superRod, m_table.free);
    const QString bank = QString::fromStdString(bankName(superRod.bank));
    if (group != nullptr && group->maps.size() > 1 && m_ownGroup) {
        return QStringLiteral("This map gets a copy of its super rod group of its own when you save: %1 of the %2 "
                              "bytes the free space at the end of bank 3 has room for.")
            .arg(groupedBytes(1 + 2 * ui->fishcount->value()), groupedBytes(free.room()));
    }
    if (group != nullptr && group->maps.size() > 1) {
        QStringList others;
        for (const int map : group->maps) {
            if (map != m_map) {
                others << mapTitle(map);
            }
        }
        const QString last = others.takeLast();
        return QStringLiteral("This super rod group is shared with %1: an edit changes it for %2.")
            .arg(others.isEmpty() ? last : others.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last,
                 others.isEmpty() ? QStringLiteral("both") : QStringLiteral("all of them"));
    }
    if (group != nullptr || !m_superRod) {
        return {};
    }
    const int count = std::max(ui->fishcount->value(), fewestSlots(superRod));
    const std::int32_t needed = newRowBytes(superRod, count);
    const QString what = QStringLiteral("This map has no super rod Pokémon. A row of the game's table for it moves the "
                                        "table whole to the free space at the end of %1, which takes %2 bytes")
                             .arg(bank, groupedBytes(needed));
    return needed > free.room()
               ? QStringLiteral("%1; it has room for %2: no row can be added.").arg(what, groupedBytes(free.room()))
               : QStringLiteral("%1 of the %2 it has room for.").arg(what, groupedBytes(free.room()));
}

void Form5::showFishing()
{
    const SuperRod& superRod = m_table.fishing.superRod;
    const SuperRodGroup* group = superRod.groupOf(m_map);
    const bool editable = m_superRod.has_value();
    const bool roomForRow =
        group != nullptr || !editable ||
        newRowBytes(superRod, fewestSlots(superRod)) <= superRodFreeSpace(m_image, superRod, m_table.free).room();
    ui->fishcount->setEnabled(editable && roomForRow && !(superRod.inlineSlots && group != nullptr));
    ui->superslots->setEnabled(editable);
    ui->cmdOwnGroup->setVisible(!superRod.inlineSlots);
    ui->cmdOwnGroup->setEnabled(editable && group != nullptr && group->maps.size() > 1 && !m_ownGroup);
    const QString share = superRodText();
    ui->fishshare->setText(share);
    ui->fishshare->setVisible(!share.isEmpty());
    const auto chances = superRod.chancesOf(ui->fishcount->value());
    for (int cell = 1; cell <= ui->fishcount->value(); ++cell) {
        const int chance = chances[static_cast<std::size_t>(cell - 1)];
        ui->superslots->setCaption(
            cell, percent(chance), QStringLiteral("Slot %1: %2 in 256 bites").arg(cell).arg(chance));
    }
    QStringList notes;
    if (!m_superRodNote.isEmpty() && m_readOnly.isEmpty()) {
        notes << m_superRodNote;
    }
    for (const auto& [name, rod] :
         {std::pair{"Old Rod", &m_table.fishing.oldRod}, std::pair{"Good Rod", &m_table.fishing.goodRod}}) {
        if (!rod->readable()) {
            notes << QStringLiteral("Tavrik leaves the %1 as it is: %2.").arg(name, rod->problem.c_str());
        }
    }
    if (editable && static_cast<int>(m_superRod->size()) < ui->fishcount->value()) {
        notes << QStringLiteral("Each new slot starts as %1 at level 5 until you pick another.")
                     .arg(m_species->stringList().value(1));
    }
    ui->fishnotes->setText(notes.join(QLatin1Char('\n')));
}

QStringList Form5::fishingWarnings()
{
    QStringList lines = ui->superslots->warnings(m_superRod.has_value());
    lines << ui->oldrod->warnings(m_oldRod.has_value());
    lines << ui->goodrod->warnings(m_goodRod.has_value());
    return lines;
}

Form5::FishingShown Form5::fishingShown() const
{
    return {m_map,
            editedFishing(),
            ui->fishcount->value(),
            ui->superslots->values(),
            ui->oldrod->values(),
            ui->goodrod->values(),
            m_superRod,
            m_oldRod,
            m_goodRod};
}

bool Form5::fishingKept(const FishingShown& was) const
{
    const bool superRodKept = was.edits.superRod.empty() || (m_map == was.map && m_superRod == was.superRod);
    const bool oldKept = !was.edits.oldRod || m_oldRod == was.oldRod;
    const bool goodKept = !was.edits.goodRod || m_goodRod == was.goodRod;
    return superRodKept && oldKept && goodKept;
}
