// The Maps window's Fishing tab through its real widgets, each save compared with the whole file: a shared group's
// slot edited for every map sharing it, a group made a map's own, a slot more moving a group, a map given a row, the
// Old and Good Rods, Yellow's rows; refusals that write nothing; a changed ROM's Old Rod greyed with the reason; a
// bank without room for a row; and edits kept over another window's save or dropped at the user's word.

#include "MapIds.h"
#include "UiHarness.h"
#include "maps/Form5.h"
#include "maps/PokemonGrid.h"
#include "rom/DisplayText.h"

namespace {

using namespace MapIds;

template <typename T> T* widget(Form5* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

QLineEdit* box(Form5* window, const char* name)
{
    return widget<QLineEdit>(window, name);
}

QComboBox* list(Form5* window, const char* name)
{
    return widget<QComboBox>(window, name);
}

void setCount(Form5* window, int count)
{
    QSpinBox* spin = widget<QSpinBox>(window, "fishcount");
    spin->setFocus();
    while (spin->value() != count) {
        QTest::keyClick(spin, spin->value() < count ? Qt::Key_Up : Qt::Key_Down);
    }
}

struct Case
{
    const char* what;
    GameVersion version;
    int map;
    std::function<void(Form5*)> edit;
    // The bytes the save writes, or the box's title and the start of its text when it refuses.
    Writes writes;
    QString refusal;
    QString note;
};

std::vector<Case> cases()
{
    const SyntheticRom red(GameVersion::Red);
    const MapTable table = readMaps(red.bytes(), profileOf(GameVersion::Red));
    const SuperRod& rod = table.fishing.superRod;
    const LayoutOffsets::Rods& at = LayoutOffsets::RedBlueRods;
    const std::int32_t free = table.free.placeAt();
    const SuperRodGroup& cerulean = *rod.groupOf(CeruleanCity);
    const SuperRodGroup& route22 = *rod.groupOf(Route22);
    std::vector<WildSlot> own = cerulean.pokemon;
    own[1].species = 40;
    Writes owned;
    addBytes(owned, free, groupBytes(own));
    addBytes(owned, rod.rowOf(CeruleanCity)->offset + 1, bankPointer(free));
    std::vector<WildSlot> three = route22.pokemon;
    three.push_back({5, 1});
    Writes grown;
    addBytes(grown, free, groupBytes(three));
    addBytes(grown, rod.rowOf(Route22)->offset + 1, bankPointer(free));
    addBytes(grown, route22.offset, Bytes(5, 0x00));
    Writes added;
    addBytes(added, at.superRodRows, Bytes(100, 0x00));
    addBytes(added, free, groupBytes({{5, 30}}));
    Bytes rows(red.bytes().begin() + at.superRodRows, red.bytes().begin() + at.superRodRows + 99);
    const Bytes pointer = bankPointer(free);
    rows.insert(rows.end(), {Route1, pointer[0], pointer[1], 0xFF});
    addBytes(added, free + 3 + 16, rows);
    addBytes(added, at.superRodPointer, bankPointer(free + 3 + 16));
    const SyntheticRom yellow(GameVersion::Yellow);
    const LayoutOffsets::Rods& yellowAt = LayoutOffsets::YellowRods;
    const std::int32_t yellowFree = trailingFreeSpace(yellow.bytes(), bankRange(yellowAt.superRodBank)).placeAt();
    Writes yellowAdded;
    addBytes(yellowAdded, yellowAt.superRodRows, Bytes(31 * 9 + 1, 0x00));
    Bytes yellowRows(yellow.bytes().begin() + yellowAt.superRodRows,
                     yellow.bytes().begin() + yellowAt.superRodRows + 31 * 9);
    yellowRows.insert(yellowRows.end(), {Route1, 1, 5, 1, 5, 1, 5, 1, 5, 0xFF});
    addBytes(yellowAdded, yellowFree, yellowRows);
    addBytes(yellowAdded, yellowAt.superRodPointer, bankPointer(yellowFree));
    return {
        {"a shared group's slot, edited for every map sharing it",
         GameVersion::Red,
         Route4,
         [](Form5* window) { retype(box(window, "srlvl1"), "77"); },
         {{cerulean.offset + 1, 77}},
         "",
         "This super rod group is shared with Cerulean City, Route 24, Route 25 and Cerulean Gym: an edit changes it "
         "for all of them."},
        {"made this map's own: a copy, only its row repointed",
         GameVersion::Red,
         CeruleanCity,
         [](Form5* window) {
             QTest::mouseClick(widget<QPushButton>(window, "cmdOwnGroup"), Qt::LeftButton);
             list(window, "srpkmn2")->setCurrentIndex(40);
         },
         owned,
         "",
         "Cerulean City's super rod Pokémon moved to free space at 0xFC5A: 7 of 950 free bytes used."},
        {"a slot more: the group moves, its row following",
         GameVersion::Red,
         Route22,
         [](Form5* window) { setCount(window, 3); },
         grown,
         "",
         "Route 22's super rod Pokémon moved to free space at 0xFC5A: 7 of 950 free bytes used."},
        {"a map without a row gets one",
         GameVersion::Red,
         Route1,
         [](Form5* window) {
             setCount(window, 1);
             list(window, "srpkmn1")->setCurrentIndex(30);
         },
         added,
         "",
         "The super rod's rows moved to free space at 0xFC6D: 103 of 931 free bytes used."},
        {"the Old Rod",
         GameVersion::Red,
         PalletTown,
         [](Form5* window) { retype(box(window, "orlvl1"), "7"); },
         {{at.oldRodInstruction + 2, 7}},
         "",
         ""},
        {"the Good Rod",
         GameVersion::Red,
         Route1,
         [](Form5* window) { list(window, "grpkmn2")->setCurrentIndex(60); },
         {{at.goodRodTable + 3, 60}},
         "",
         ""},
        {"species 0, refused",
         GameVersion::Red,
         Route4,
         [](Form5* window) { list(window, "srpkmn1")->setCurrentIndex(0); },
         {},
         "Error: 1006\nRoute 4: super rod slot 1 has species 0",
         "Warning: super rod slot 1 has species 0."},
        {"a Yellow row's fourth slot",
         GameVersion::Yellow,
         CeruleanCity,
         [](Form5* window) { retype(box(window, "srlvl4"), "44"); },
         {{yellowAt.superRodRows + 2 * 9 + 8, 44}},
         "",
         ""},
        {"a Yellow map without a row gets one in bank 0x3D",
         GameVersion::Yellow,
         Route1,
         [](Form5* window) { setCount(window, 4); },
         yellowAdded,
         "",
         "The super rod's rows moved to free space at " + QString::fromStdString(hexNumber(yellowFree))},
    };
}

Form5* openMaps(EditorUnderTest& editor)
{
    editor.trigger("mnuMaps");
    return editor.window.mapsWindow();
}

} // namespace

TEST(MapsWindowFishing, WritesExactlyWhatWasEditedOrNothing)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        const SyntheticRom rom(c.version);
        EditorUnderTest editor;
        const std::string path = editor.open(rom);
        Form5* window = openMaps(editor);
        window->selectMap(c.map);
        auto* tabs = widget<QTabWidget>(window, "details");
        tabs->setCurrentWidget(widget<QWidget>(window, "fishingpage"));
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Fishing");
        c.edit(window);
        EXPECT_TRUE(window->isWindowModified());
        const QString before =
            widget<QLabel>(window, "fishshare")->text() + "\n" + widget<QLabel>(window, "notes")->text();
        QTest::mouseClick(widget<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        const QString notes = widget<QLabel>(window, "notes")->text();
        if (!c.refusal.isEmpty()) {
            ASSERT_FALSE(editor.watcher.boxes.empty());
            const SeenBox& seen = editor.watcher.boxes.back();
            EXPECT_TRUE((seen.title + "\n" + seen.text).startsWith(c.refusal)) << seen.text.toStdString();
            EXPECT_TRUE(before.contains(c.note)) << before.toStdString();
            EXPECT_EQ(fileBytes(path), rom.bytes());
            EXPECT_TRUE(window->isWindowModified());
            continue;
        }
        EXPECT_TRUE(editor.watcher.boxes.empty());
        EXPECT_TRUE(before.contains(c.note) || notes.contains(c.note)) << (before + "\n" + notes).toStdString();
        EXPECT_EQ(window->statusBar()->currentMessage(),
                  QString("Data for %1 saved successfully!")
                      .arg(readMaps(rom.bytes(), profileOf(c.version)).row(c.map)->name.data()));
        EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), c.writes));
        EXPECT_FALSE(window->isWindowModified());
    }
}

// A ROM whose Old Rod code another tool changed: the Old Rod greyed with the reason, the other rods still edited; a
// bank 3 without room for a row: the slots of a map without one cannot be raised, and the tab says why.
TEST(MapsWindowFishing, GreysWhatTheGameDoesNotReadThere)
{
    SyntheticRom rom(GameVersion::Red);
    const LayoutOffsets::Rods& at = LayoutOffsets::RedBlueRods;
    rom.set(at.oldRodInstruction, 0x21);
    const MapTable table = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    rom.put(table.free.start, Bytes(static_cast<std::size_t>(table.free.length - 40), 0xC9));
    EditorUnderTest editor;
    const std::string path = editor.open(rom);
    Form5* window = openMaps(editor);
    window->selectMap(Route1);
    EXPECT_FALSE(box(window, "orlvl1")->isEnabled());
    EXPECT_TRUE(list(window, "orpkmn1")->currentText().isEmpty());
    EXPECT_EQ(widget<QLabel>(window, "fishnotes")->text(),
              "Tavrik leaves the Old Rod as it is: the Old Rod's code at 0x0E24C is not the game's.");
    EXPECT_FALSE(widget<QSpinBox>(window, "fishcount")->isEnabled());
    EXPECT_EQ(widget<QLabel>(window, "fishshare")->text(),
              "This map has no super rod Pokémon. A row of the game's table for it moves the table whole to the free "
              "space at the end of bank 3, which takes 122 bytes; it has room for 24: no row can be added.");
    EXPECT_EQ(widget<QLabel>(window, "rodslabel")->text(),
              "The Old Rod and the Good Rod catch the same Pokémon on every map:");
    retype(box(window, "grlvl1"), "33");
    QTest::mouseClick(widget<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{at.goodRodTable, 33}}));
}

// Another window's save: the rods' edits are kept over a file whose rods it did not change, and dropped at the user's
// word when it changed them.
TEST(MapsWindowFishing, FollowsAnotherWindowsSave)
{
    const SyntheticRom rom(GameVersion::Blue);
    const LayoutOffsets::Rods& at = LayoutOffsets::RedBlueRods;
    EditorUnderTest editor;
    editor.open(rom);
    Form5* window = openMaps(editor);
    window->selectMap(Route4);
    // Three slots drawn alike share a bite's 256 chances.
    auto* cells = widget<PokemonGrid>(window, "superslots");
    EXPECT_EQ(cells->caption(1)->toolTip(), "Slot 1: 86 in 256 bites");
    EXPECT_EQ(cells->caption(3)->text(), "33%");
    retype(box(window, "orlvl1"), "12");
    retype(box(window, "srlvl2"), "13");
    Bytes other = rom.bytes();
    other[static_cast<std::size_t>(at.goodRodTable)] = 20;
    window->followSave(other);
    EXPECT_TRUE(editor.watcher.boxes.empty());
    EXPECT_EQ(box(window, "orlvl1")->text(), "12");
    EXPECT_EQ(box(window, "srlvl2")->text(), "13");
    EXPECT_EQ(box(window, "grlvl1")->text(), "20");
    EXPECT_TRUE(window->isWindowModified());
    other[static_cast<std::size_t>(at.oldRodInstruction + 2)] = 30;
    editor.watcher.answers.push_back(QMessageBox::No);
    window->followSave(other);
    ASSERT_EQ(editor.watcher.boxes.size(), 1U);
    EXPECT_EQ(box(window, "orlvl1")->text(), "30");
    EXPECT_FALSE(window->isWindowModified());
}
