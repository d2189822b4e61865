// The Maps window's edits, notes and save: the selected map's standing Pokémon, wild Pokémon and fishing, and the
// rods, go back into the ROM through the maps' own save, with the failure boxes and question before unsaved edits are
// lost of the other windows. A save is reported on the notes line and the status bar, without a box to dismiss.

#include "history/SaveSettings.h"
#include "maps/Form5.h"
#include "maps/MapNames.h"
#include "maps/PokemonGrid.h"
#include "rom/FailureBox.h"
#include "trainers/InputFilters.h"
#include "ui_Form5.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>
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
    edits.fishing = editedFishing();
    return edits;
}

bool Form5::hasUnsavedChanges() const
{
    const MapEdits edits = editedMap();
    return !edits.statics.empty() || !edits.wild.empty() || !edits.fishing.empty();
}

Form5::ShownMap Form5::shownMap() const
{
    return {ui->statics->values(),
            {ui->grassrate->text(), ui->waterrate->text()},
            {ui->grassslots->values(), ui->waterslots->values()},
            {ui->grassslots->blank(), ui->waterslots->blank()},
            ui->fishcount->value(),
            {ui->superslots->values(), ui->oldrod->values(), ui->goodrod->values()},
            m_ownGroup};
}

void Form5::showMapEdits(const ShownMap& shown)
{
    if (shown.statics.size() == m_statics.size()) {
        ui->statics->setValues(shown.statics);
    }
    for (const std::size_t k : {0U, 1U}) {
        const bool water = k == 1;
        if (!(water ? m_water : m_grass)) {
            continue;
        }
        setNumberText(water ? ui->waterrate : ui->grassrate, shown.rates[k]);
        PokemonGrid* grid = water ? ui->waterslots : ui->grassslots;
        if (shown.blank[k]) {
            grid->showBlank(WildSlotCount);
        } else {
            grid->setValues(shown.wild[k]);
        }
    }
    m_ownGroup = shown.ownGroup;
    if (m_superRod) {
        const QSignalBlocker blocker(ui->fishcount);
        ui->fishcount->setValue(shown.fishCount);
        ui->superslots->setValues(shown.rods[0]);
    }
    if (m_oldRod) {
        ui->oldrod->setValues(shown.rods[1]);
    }
    if (m_goodRod) {
        ui->goodrod->setValues(shown.rods[2]);
    }
    updateState();
}

void Form5::updateState()
{
    m_edits->changed();
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
    showFishing();
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
    return lines << fishingWarnings();
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
    const auto written =
        writeMapEdits(m_rom, m_table, editedMap(), saveLabel(mapTitle(m_map).toStdString()), windowSaveOptions());
    if (!written) {
        showFailure(this, written.failure());
        return false;
    }
    const QString done = QStringLiteral("Data for %1 saved successfully!").arg(mapTitle(m_map));
    ui->statusbar->showMessage(done);
    QStringList notes{done + checksumNote(written->commit)};
    for (const std::string& note : written->notes) {
        notes << QString::fromStdString(note);
    }
    QStringList glitches;
    for (const GlitchSlot& glitch : written->glitches) {
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
    emit saved();
    return true;
}

bool Form5::mayLeaveMap(const QString& purpose)
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to %1%2?").arg(mapTitle(m_map), purpose),
                             QStringLiteral("Your changes to this map are not in the ROM yet."))) {
    case QMessageBox::Save:
        return saveMap();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool Form5::settleEdits(const QString& purpose)
{
    if (!mayLeaveMap(purpose)) {
        return false;
    }
    if (hasUnsavedChanges()) {
        // Discarded: the map as loaded.
        showMap();
    }
    return true;
}

void Form5::followSave(const Bytes& image)
{
    const int map = m_map;
    const std::vector<MapObject> statics = m_statics;
    const std::optional<WildArea> areas[] = {m_grass, m_water};
    const MapEdits edits = editedMap();
    const ShownMap shown = shownMap();
    const FishingShown fishing = fishingShown();
    loadMaps(image);
    if (edits.statics.empty() && edits.wild.empty() && edits.fishing.empty()) {
        return;
    }
    // The edits are kept over the new file where the Pokémon they were made on are still what the save left; the
    // user decides where the save changed them.
    const auto sameStatic = [](const MapObject& a, const MapObject& b) {
        return a.number == b.number && a.species == b.species && a.level == b.level;
    };
    const bool sameMap = m_map == map && m_readOnly.isEmpty();
    const bool staticsKept =
        sameMap && std::equal(statics.begin(), statics.end(), m_statics.begin(), m_statics.end(), sameStatic);
    const bool wildEdited[] = {!edits.wild.empty() && edits.wild.front().grass.has_value(),
                               !edits.wild.empty() && edits.wild.front().water.has_value()};
    const std::optional<WildArea> now[] = {m_grass, m_water};
    bool conflict = (!edits.statics.empty() && !staticsKept) || !fishingKept(fishing);
    for (const int k : {0, 1}) {
        conflict = conflict || (wildEdited[k] && (!sameMap || !now[k] || now[k] != areas[k]));
    }
    if (!sameMap || (conflict && askKeepOrReload(this, mapTitle(map)) != QMessageBox::Yes)) {
        return;
    }
    // Kept as one step, which an undo takes back to the file.
    ShownMap kept = shownMap();
    kept.statics = edits.statics.empty() ? kept.statics : shown.statics;
    for (const std::size_t k : {0U, 1U}) {
        if (wildEdited[k]) {
            kept.rates[k] = shown.rates[k];
            kept.wild[k] = shown.wild[k];
            kept.blank[k] = shown.blank[k];
        }
    }
    if (!fishing.edits.superRod.empty() && m_superRod) {
        kept.fishCount = shown.fishCount;
        kept.rods[0] = shown.rods[0];
        kept.ownGroup = shown.ownGroup;
    }
    if (fishing.edits.oldRod && m_oldRod) {
        kept.rods[1] = shown.rods[1];
    }
    if (fishing.edits.goodRod && m_goodRod) {
        kept.rods[2] = shown.rods[2];
    }
    showMapEdits(kept);
}

void Form5::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveMap()) {
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}
