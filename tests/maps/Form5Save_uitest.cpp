// Saves of the Maps window through its real widgets, each compared with the whole file: a slot in place, a table
// turned on into the free space of bank 3, an area turned off, a table two maps share, a standing Pokémon (which the
// overworld editor then shows), a glitch species allowed with a warning; and refusals that write nothing: species 0
// and a full bank.

#include "MapIds.h"
#include "UiHarness.h"
#include "maps/Form5.h"
#include "maps/PokemonGrid.h"
#include "overworld/Form3.h"
#include "pictures/PictureLocator.h"

namespace {

using namespace MapIds;

QLineEdit* box(Form5* window, const QString& name)
{
    return window->findChild<QLineEdit*>(name);
}

QComboBox* list(Form5* window, const QString& name)
{
    return window->findChild<QComboBox*>(name);
}

struct Case
{
    const char* what;
    int map;
    std::function<void(Form5*)> edit;
    // The bytes the save writes, or the box's title and the start of its text when it refuses.
    Writes writes;
    QString refusal;
    QString notes;
};

// The first species byte of the image without a Pokédex number: a glitch species the game allows.
int glitchSpecies(const Bytes& image)
{
    int species = 1;
    while (pokedexNumber(image, GameVersion::Red, species) != 0) {
        ++species;
    }
    return species;
}

std::vector<Case> cases(const Bytes& image, const MapTable& table)
{
    const MapProfile& profile = mapProfile(GameVersion::Red);
    const WildTable& route1 = *table.wildOf(Route1);
    const WildTable& route3 = *table.wildOf(Route3);
    const WildTable& route19 = *table.wildOf(Route19);
    const std::int32_t freeTable = table.free.start + 16;
    WildArea pallet;
    pallet.rate = 12;
    pallet.slot.fill({5, 1});
    pallet.slot[0].species = 20;
    Writes turnedOn;
    addBytes(turnedOn, freeTable, wildBytes(pallet, {}));
    addBytes(turnedOn, wildPointerOffset(profile, PalletTown), bankPointer(freeTable));
    Writes turnedOff;
    addBytes(turnedOff, route3.offset + 21, Bytes(21, 0x00));
    const MapObject& zapdos = table.row(PowerPlant)->objects[8];
    const auto battle = LayoutOffsets::battle(GameVersion::Red, 0);
    const int glitch = glitchSpecies(image);
    return {
        {"a slot in place",
         Route1,
         [](Form5* window) {
             list(window, "gpkmn3")->setCurrentIndex(99);
             retype(box(window, "glvl3"), "42");
         },
         {{route1.offset + 5, 42}, {route1.offset + 6, 99}},
         "",
         ""},
        {"grass turned on: a table of its own in the free space",
         PalletTown,
         [](Form5* window) {
             retype(box(window, "grassrate"), "12");
             list(window, "gpkmn1")->setCurrentIndex(20);
         },
         turnedOn,
         "",
         "Pallet Town's wild Pokémon moved to free space at 0xFC5A: 22 of 950 free bytes used."},
        {"water turned off: shorter, the freed bytes zeroed",
         Route3,
         [](Form5* window) { retype(box(window, "waterrate"), "0"); },
         turnedOff,
         "",
         ""},
        {"a table two maps share, edited for both",
         Route20,
         [](Form5* window) { retype(box(window, "wlvl1"), "77"); },
         {{route19.offset + 2, 77}},
         "",
         "This table is shared with Route 19: an edit changes it for both."},
        {"Zapdos, its cry too",
         PowerPlant,
         [](Form5* window) {
             window->staticCells()->speciesBox(9)->setCurrentIndex(5);
             retype(window->staticCells()->levelBox(9), "60");
         },
         {{zapdos.valuesOffset, 5}, {zapdos.valuesOffset + 1, 60}, {*battle.secondSpecies, 5}},
         "",
         ""},
        {"a glitch species, allowed",
         Route1,
         [glitch](Form5* window) { list(window, "gpkmn2")->setCurrentIndex(glitch); },
         {{route1.offset + 4, static_cast<std::uint8_t>(glitch)}},
         "",
         "Warning: grass slot 2 holds a species without a Pokédex number, a glitch Pokémon."},
        {"species 0, refused",
         Route1,
         [](Form5* window) { list(window, "gpkmn5")->setCurrentIndex(0); },
         {},
         "Error: 1006\nRoute 1: grass slot 5 has species 0",
         "Warning: grass slot 5 has species 0."},
    };
}

} // namespace

TEST(MapsWindowSave, WritesExactlyWhatWasEditedOrNothing)
{
    const SyntheticRom rom(GameVersion::Red);
    const MapTable table = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    for (const Case& c : cases(rom.bytes(), table)) {
        SCOPED_TRACE(c.what);
        EditorUnderTest editor;
        const std::string path = editor.open(rom);
        editor.trigger("mnuMaps");
        Form5* window = editor.window.mapsWindow();
        window->selectMap(c.map);
        c.edit(window);
        EXPECT_TRUE(window->isWindowModified());
        QTest::mouseClick(window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        const QString notes = window->findChild<QLabel*>("notes")->text();
        EXPECT_TRUE(notes.contains(c.notes)) << notes.toStdString();
        if (!c.refusal.isEmpty()) {
            ASSERT_FALSE(editor.watcher.boxes.empty());
            const SeenBox& seen = editor.watcher.boxes.back();
            EXPECT_TRUE((seen.title + "\n" + seen.text).startsWith(c.refusal)) << seen.text.toStdString();
            EXPECT_EQ(fileBytes(path), rom.bytes());
            EXPECT_TRUE(window->isWindowModified());
            continue;
        }
        // A save is said on the notes line and the status bar, with no box to dismiss.
        EXPECT_TRUE(editor.watcher.boxes.empty());
        const std::string done = "Data for " + std::string(table.row(c.map)->name) + " saved successfully!";
        EXPECT_TRUE(notes.startsWith(QString::fromStdString(done))) << notes.toStdString();
        EXPECT_EQ(window->statusBar()->currentMessage().toStdString(), done);
        const Bytes after = fileBytes(path);
        EXPECT_TRUE(changedExactly(rom.bytes(), after, c.writes));
        EXPECT_FALSE(window->isWindowModified());
    }
}

// Both maps of a shared table read the new one; the overworld editor beside it shows Zapdos as the Maps window left
// it.
TEST(MapsWindowSave, ShowsItsEditsWhereverTheGameReadsThem)
{
    EditorUnderTest editor;
    const std::string path = editor.open(SyntheticRom(GameVersion::Blue));
    editor.trigger("mnuMaps");
    Form5* window = editor.window.mapsWindow();
    window->selectMap(Route19);
    retype(box(window, "wlvl4"), "88");
    window->selectMap(PowerPlant);
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to Route 19?");
    EXPECT_EQ(window->selectedMap(), Route19);
    editor.watcher.answers.push_back(QMessageBox::Save);
    window->selectMap(PowerPlant);
    const MapTable now = readMaps(fileBytes(path), profileOf(GameVersion::Blue));
    EXPECT_EQ(now.wildOf(Route19), now.wildOf(Route20));
    EXPECT_EQ(now.wildOf(Route20)->water.slot[3].level, 88);

    window->staticCells()->speciesBox(9)->setCurrentIndex(33);
    retype(window->staticCells()->levelBox(9), "71");
    // The overworld editor, open beside it, shows the save at once.
    editor.trigger("mnuBattle");
    Form3* overworld = editor.window.overworldWindow();
    QTest::mouseClick(window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    EXPECT_EQ(overworld->speciesBox(0)->currentIndex(), 33);
    EXPECT_EQ(overworld->levelBox(0)->text(), "71");
}

// A bank 3 without room for a table turned on: the save refused with the bytes missing, nothing written.
TEST(MapsWindowSave, RefusesAFullBank)
{
    SyntheticRom rom(GameVersion::Red);
    const MapTable table = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    rom.put(table.free.start, Bytes(static_cast<std::size_t>(table.free.length - 20), 0xC9));
    EditorUnderTest editor;
    const std::string path = editor.open(rom);
    editor.trigger("mnuMaps");
    Form5* window = editor.window.mapsWindow();
    window->selectMap(PalletTown);
    retype(box(window, "grassrate"), "12");
    EXPECT_EQ(window->findChild<QLabel*>("wildroom")->text(),
              "Bank 3 has room for 4 more bytes of wild Pokémon. This edit needs 18 more than that.");
    EXPECT_TRUE(window->findChild<QLabel*>("notes")->text().contains(
        QString("The grass is turned on: each new slot starts as %1 at level 5")
            .arg(SyntheticRom::speciesName(1).c_str())));
    QTest::mouseClick(window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    EXPECT_EQ(editor.watcher.boxes.back().title, "Error: 1007");
    EXPECT_EQ(editor.watcher.boxes.back().text,
              "The wild Pokémon of Pallet Town would need 22 bytes of the free space at the end of bank 3, which has "
              "room for 4: 18 bytes are missing. Nothing was written.");
    // Saved on the way to another map, refused the same: the map and its edits stay.
    editor.watcher.answers.push_back(QMessageBox::Save);
    window->selectMap(Route1);
    EXPECT_EQ(editor.watcher.boxes.back().title, "Error: 1007");
    EXPECT_EQ(window->selectedMap(), PalletTown);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(fileBytes(path), rom.bytes());
}
