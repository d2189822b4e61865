// The Maps window's edits, notes and save: the selected map's standing Pokémon and wild Pokémon go back into the
// ROM through the maps' own save, with the confirmation, failure boxes and question before unsaved edits are lost
// of the other windows.

#include "maps/Form5.h"
#include "maps/MapNames.h"
#include "maps/PokemonGrid.h"
#include "rom/FailureBox.h"
#include "trainers/InputFilters.h"
#include "ui_Form5.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMessageBox>
#include <QStringListModel>

namespace {

QString areaName(bool water)
{
    return water ? QStringLiteral("water") : QStringLiteral("grass");
}

QString glitchLine(const QString& where)
{
    return QStringLiteral("%1 holds a species without a Pokédex number, a glitch Pokémon").arg(where);
}

} // namespace

std::optional<WildArea> Form5::editedArea(bool water) const
{
    const std::optional<WildArea>& loaded = water ? m_water : m_grass;
    if (!loaded) {
        return std::nullopt;
    }
    const PokemonGrid* grid = water ? ui->waterslots : ui->grassslots;
    WildArea area;
    area.rate = static_cast<std::uint8_t>(byteBoxValue(water ? ui->waterrate : ui->grassrate));
    for (std::size_t k = 0; area.on() && !grid->blank() && k < grid->values().size(); ++k) {
        area.slot[k] = grid->values()[k];
    }
    return area == *loaded ? std::nullopt : std::optional(area);
}

MapEdits Form5::editedMap() const
{
    MapEdits edits;
    if (m_map < 0 || !m_readOnly.isEmpty()) {
        return edits;
    }
    const std::vector<WildSlot>& statics = ui->statics->values();
    for (std::size_t k = 0; k < m_statics.size() && k < statics.size(); ++k) {
        const MapObject& loaded = m_statics[k];
        if (statics[k].species != loaded.species || statics[k].level != loaded.level) {
            edits.statics.push_back({m_map, loaded.number, statics[k].species, statics[k].level});
        }
    }
    const auto grass = editedArea(false);
    const auto water = editedArea(true);
    if (grass || water) {
        edits.wild.push_back({m_map, grass, water});
    }
    return edits;
}

bool Form5::hasUnsavedChanges() const
{
    const MapEdits edits = editedMap();
    return !edits.statics.empty() || !edits.wild.empty();
}

void Form5::updateState()
{
    setWindowModified(hasUnsavedChanges());
    QStringList notes;
    for (const QString& note : {m_note, m_drawNote, m_readOnly}) {
        if (!note.isEmpty()) {
            notes << note;
        }
    }
    notes << wildNotes();
    if (const QStringList lines = warnings(); !lines.isEmpty()) {
        notes << QStringLiteral("Warning: %1.").arg(lines.join(QStringLiteral("; ")));
    }
    ui->notes->setText(notes.join(QLatin1Char('\n')));
    ui->cmdSave->setEnabled(m_map >= 0 && m_readOnly.isEmpty());
    showTabs();
    showWildRoom();
}

void Form5::showTabs()
{
    ui->details->setTabText(ui->details->indexOf(ui->trainerpage),
                            QStringLiteral("Trainers (%1)").arg(ui->maptrainers->topLevelItemCount()));
    ui->details->setTabText(ui->details->indexOf(ui->pokemonpage),
                            QStringLiteral("Pokémon (%1)").arg(m_statics.size()));
    ui->details->setTabEnabled(ui->details->indexOf(ui->pokemonpage), !m_statics.empty());
    for (const bool water : {false, true}) {
        const bool on = byteBoxValue(water ? ui->waterrate : ui->grassrate) > 0;
        const QString name = water ? QStringLiteral("Water") : QStringLiteral("Grass");
        ui->details->setTabText(ui->details->indexOf(water ? ui->waterpage : ui->grasspage),
                                on ? name : name + QStringLiteral(" (off)"));
    }
}

QStringList Form5::wildNotes() const
{
    const MapRow* row = m_table.row(m_map);
    if (row == nullptr || !row->isMap()) {
        return {};
    }
    QStringList notes;
    if (!m_table.wildProblem.empty()) {
        notes << QStringLiteral("Tavrik leaves the wild Pokémon as they are: %1.")
                     .arg(QString::fromStdString(m_table.wildProblem));
    } else if (row->wild < 0) {
        notes << QStringLiteral("Tavrik leaves the wild Pokémon of this map as they are: %1.")
                     .arg(QString::fromStdString(row->wildProblem));
    }
    const WildTable* wild = m_table.wildOf(m_map);
    if (wild != nullptr && !wild->empty() && wild->maps.size() > 1) {
        QStringList others;
        for (const int map : wild->maps) {
            if (map != m_map) {
                others << mapTitle(map);
            }
        }
        const QString last = others.takeLast();
        notes << QStringLiteral("This table is shared with %1: an edit changes it for %2.")
                     .arg(others.isEmpty() ? last : others.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last,
                          others.isEmpty() ? QStringLiteral("both") : QStringLiteral("all of them"));
    }
    for (const bool water : {false, true}) {
        const std::optional<WildArea>& loaded = water ? m_water : m_grass;
        if (loaded && !loaded->on() && byteBoxValue(water ? ui->waterrate : ui->grassrate) > 0) {
            notes << QStringLiteral("The %1 is turned on: each new slot starts as %2 at level 5 until you pick "
                                    "another.")
                         .arg(areaName(water), m_species->stringList().value(1));
        }
    }
    if (!m_table.chances.problem.empty()) {
        notes << QStringLiteral("The slots' chances are not shown: %1.")
                     .arg(QString::fromStdString(m_table.chances.problem));
    }
    return notes;
}

QStringList Form5::warnings()
{
    const bool editable = m_readOnly.isEmpty();
    QStringList lines = ui->statics->warnings(editable);
    for (const bool water : {false, true}) {
        const std::optional<WildArea>& loaded = water ? m_water : m_grass;
        const auto edited = editedArea(water);
        PokemonGrid* grid = water ? ui->waterslots : ui->grassslots;
        lines << grid->warnings(loaded && byteBoxValue(water ? ui->waterrate : ui->grassrate) > 0);
        // A species the game has no Pokédex number for is allowed, but named, when an edit puts it there.
        for (const int slot : edited ? glitchSlots(m_image, m_table.version, *loaded, *edited) : std::vector<int>()) {
            lines << glitchLine(QStringLiteral("%1 slot %2").arg(areaName(water)).arg(slot));
        }
    }
    return lines;
}

void Form5::showWildRoom()
{
    const WildTable* wild = m_table.wildOf(m_map);
    if (wild == nullptr || !m_table.wildProblem.empty() || !m_readOnly.isEmpty()) {
        ui->wildroom->clear();
        return;
    }
    const QLocale english(QLocale::English);
    const std::int32_t room = m_table.free.room();
    QString text = QStringLiteral("Bank 3 has room for %1 more bytes of wild Pokémon.").arg(english.toString(room));
    const auto grass = editedArea(false);
    const auto water = editedArea(true);
    // A table that grows moves to the free space whole.
    const std::int32_t length = wildLength(grass.value_or(wild->grass), water.value_or(wild->water));
    if ((grass || water) && length > wild->length) {
        text += length > room
                    ? QStringLiteral(" This edit needs %1 more than that.").arg(english.toString(length - room))
                    : QStringLiteral(" This edit takes %1 of them.").arg(english.toString(length));
    }
    ui->wildroom->setText(text);
}

QString Form5::mapTitle(int id) const
{
    return QString::fromUtf8(mapName(m_table.version, id));
}

void Form5::cmdSave_Click()
{
    saveMap();
}

bool Form5::saveMap()
{
    if (m_map < 0 || !m_readOnly.isEmpty()) {
        return false;
    }
    const auto saved = writeMapEdits(m_rom, m_table, editedMap(), saveLabel(mapTitle(m_map).toStdString()));
    if (!saved) {
        showFailure(this, saved.failure());
        return false;
    }
    QMessageBox::information(this,
                             QStringLiteral("Tavrik"),
                             QStringLiteral("Data for ") + mapTitle(m_map) + QStringLiteral(" saved successfully!"));
    QStringList notes;
    for (const std::string& note : saved->notes) {
        notes << QString::fromStdString(note);
    }
    QStringList glitches;
    for (const GlitchSlot& glitch : saved->glitches) {
        glitches << glitchLine(QStringLiteral("%1 slot %2").arg(areaName(glitch.water)).arg(glitch.slot));
    }
    if (!glitches.isEmpty()) {
        notes << QStringLiteral("Warning: %1.").arg(glitches.join(QStringLiteral("; ")));
    }
    // The file now holds what the window shows; it is read again, the selection kept.
    const auto image = m_rom.readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return true;
    }
    loadMaps(*image);
    m_note = notes.join(QLatin1Char('\n'));
    updateState();
    return true;
}

bool Form5::mayLeaveMap()
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to %1?").arg(mapTitle(m_map)),
                             QStringLiteral("Your changes to this map are not in the ROM yet."))) {
    case QMessageBox::Save:
        return saveMap();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Form5::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveMap()) {
        event->ignore();
        return;
    }
    saveSettings();
    emit closed();
    event->accept();
}
