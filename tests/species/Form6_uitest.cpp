// The Pokémon window through its real widgets on Red and Yellow: a base stat, a type, an evolution, a learnset entry
// added and another removed, and a move's power saved with Ctrl+S change exactly their bytes, found at the builder's
// own offsets; the out-of-order learnset is marked and sorted only when asked; a level of 0 is marked and refused
// without a write; the window opens once, asks before Escape drops its edits, and shows the trainer bank's room as
// Trainer Parties does.

#include "UiHarness.h"
#include "maps/Form5.h"
#include "species/Form6.h"
#include "trainers/Form4.h"

namespace {

constexpr GameVersion Versions[] = {GameVersion::Red, GameVersion::Yellow};

// The list of evolutions and learnset of the species with Pokédex number, as the game finds it: its species byte
// through the Pokédex numbers, its pointer into the trainer bank.
struct ListAt
{
    std::int32_t offset = 0;
    // The first learnset entry, after the evolutions' 0.
    std::int32_t learnset = 0;
    std::vector<std::pair<int, int>> entries;
};

ListAt listOf(const Bytes& image, GameVersion version, int number)
{
    const LayoutOffsets::SpeciesTables& at = LayoutOffsets::species(version);
    int species = 1;
    while (image[static_cast<std::size_t>(at.pokedexNumbers + species - 1)] != number) {
        ++species;
    }
    const auto pointer = static_cast<std::size_t>(at.evosMovesPointers + 2 * (species - 1));
    ListAt list;
    list.offset = 0x38000 + image[pointer] + 256 * image[pointer + 1] - 0x4000;
    std::int32_t at_ = list.offset;
    while (image[static_cast<std::size_t>(at_)] != 0) {
        at_ += image[static_cast<std::size_t>(at_)] == 2 ? 4 : 3;
    }
    list.learnset = at_ + 1;
    for (std::int32_t k = list.learnset; image[static_cast<std::size_t>(k)] != 0; k += 2) {
        list.entries.emplace_back(image[static_cast<std::size_t>(k)], image[static_cast<std::size_t>(k) + 1]);
    }
    return list;
}

void putEntries(Writes& writes,
                const Bytes& image,
                std::int32_t offset,
                const std::vector<std::pair<int, int>>& entries)
{
    for (const auto& [level, move] : entries) {
        for (const int byte : {level, move}) {
            if (image[static_cast<std::size_t>(offset)] != byte) {
                writes[offset] = static_cast<std::uint8_t>(byte);
            }
            ++offset;
        }
    }
}

struct PokemonWindow
{
    explicit PokemonWindow(GameVersion version) : rom(version), path(editor.open(rom))
    {
        editor.trigger("mnuPokemon");
        window = editor.window.pokemonWindow();
    }
    template <typename T> T* find(const char* name) { return child<T>(window, name); }
    QString note(const char* table, int row, int column)
    {
        const QTableWidgetItem* item = find<QTableWidget>(table)->item(row, column);
        return item != nullptr ? item->text() : QString();
    }
    void save() { press(window, Qt::Key_S, Qt::ControlModifier); }

    const SyntheticRom rom;
    EditorUnderTest editor;
    std::string path;
    Form6* window = nullptr;
};

} // namespace

TEST(PokemonWindow, SavesExactlyTheEditedBytes)
{
    for (const GameVersion version : Versions) {
        SCOPED_TRACE(static_cast<int>(version));
        PokemonWindow pokemon(version);
        Form6* window = pokemon.window;
        ASSERT_NE(window, nullptr);
        const Bytes& before = pokemon.rom.bytes();
        const std::int32_t record = LayoutOffsets::baseStats(version, 1);
        const ListAt list = listOf(before, version, 1);
        const auto kind = before[static_cast<std::size_t>(list.offset)];
        ASSERT_GE(list.entries.size(), 2U);

        window->selectNumber(1);
        retype(pokemon.find<QLineEdit>("sbaseHP"), "201");
        pokemon.find<QComboBox>("stype2")->setCurrentIndex(0x14);
        retype(pokemon.find<QLineEdit>("evolevel1"), "37");
        // A move at level 100 goes in last; the first entry goes: the list keeps its length, and its place.
        retype(pokemon.find<QLineEdit>("learnaddlevel"), "100");
        pokemon.find<QComboBox>("learnadd")->setCurrentIndex(7);
        QTest::mouseClick(pokemon.find<QToolButton>("learnremove1"), Qt::LeftButton);
        pokemon.find<QTabWidget>("tabs")->setCurrentIndex(1);
        auto* moves = pokemon.find<QTableWidget>("moves");
        moves->setCurrentCell(9, 2);
        moves->editItem(moves->item(9, 2));
        auto* power = moves->findChild<QSpinBox*>("moveeditor");
        ASSERT_NE(power, nullptr);
        power->setValue(123);
        QTest::keyClick(power, Qt::Key_Return);
        EXPECT_TRUE(window->isWindowModified());

        pokemon.save();
        EXPECT_TRUE(pokemon.editor.watcher.boxes.empty());
        EXPECT_TRUE(pokemon.find<QLabel>("notes")->text().startsWith("Data for the Pokémon saved successfully!"))
            << pokemon.find<QLabel>("notes")->text().toStdString();
        Writes writes{{record + 1, 201},
                      {record + 7, 0x14},
                      {list.offset + (kind == 2 ? 2 : 1), 37},
                      {LayoutOffsets::species(version).moves + 6 * 9 + 2, 123}};
        std::vector<std::pair<int, int>> entries(list.entries.begin() + 1, list.entries.end());
        entries.emplace_back(100, 7);
        putEntries(writes, before, list.learnset, entries);
        EXPECT_TRUE(changedExactly(before, fileBytes(pokemon.path), writes));
        EXPECT_FALSE(window->isWindowModified());
    }
}

// The synthetic list of Pokédex number 40 holds its third entry's level before its second's.
TEST(PokemonWindow, MarksAnEntryBehindAHigherOneAndSortsOnlyWhenAsked)
{
    for (const GameVersion version : Versions) {
        SCOPED_TRACE(static_cast<int>(version));
        PokemonWindow pokemon(version);
        const Bytes& before = pokemon.rom.bytes();
        const ListAt list = listOf(before, version, 40);
        pokemon.window->selectNumber(40);
        EXPECT_TRUE(pokemon.note("learnset", 0, 3).isEmpty());
        EXPECT_FALSE(pokemon.note("learnset", 2, 3).isEmpty());
        // A new entry goes in by its level, the marked one kept where it is.
        retype(pokemon.find<QLineEdit>("learnaddlevel"), QString::number(list.entries[0].first));
        pokemon.find<QComboBox>("learnadd")->setCurrentIndex(3);
        EXPECT_EQ(pokemon.find<QLineEdit>("learnlevel2")->text().toInt(), list.entries[0].first);
        QTest::mouseClick(pokemon.find<QPushButton>("cmdSortLearnset"), Qt::LeftButton);
        QTest::mouseClick(pokemon.find<QToolButton>("learnremove2"), Qt::LeftButton);
        for (int row = 0; row < static_cast<int>(list.entries.size()); ++row) {
            EXPECT_TRUE(pokemon.note("learnset", row, 3).isEmpty()) << row;
        }
        pokemon.save();
        std::vector<std::pair<int, int>> sorted = list.entries;
        std::stable_sort(sorted.begin(), sorted.end(), [](auto a, auto b) { return a.first < b.first; });
        Writes writes;
        putEntries(writes, before, list.learnset, sorted);
        EXPECT_TRUE(changedExactly(before, fileBytes(pokemon.path), writes));
    }
}

TEST(PokemonWindow, RefusesALevelOfZeroWithoutAWrite)
{
    PokemonWindow pokemon(GameVersion::Red);
    pokemon.window->selectNumber(2);
    retype(pokemon.find<QLineEdit>("learnlevel1"), "0");
    EXPECT_TRUE(pokemon.note("learnset", 0, 3).contains("a level of 0"))
        << pokemon.note("learnset", 0, 3).toStdString();
    pokemon.save();
    ASSERT_EQ(pokemon.editor.watcher.boxes.size(), 1U);
    EXPECT_TRUE(pokemon.editor.watcher.boxes.back().text.contains("learnset[0].level"))
        << pokemon.editor.watcher.boxes.back().text.toStdString();
    EXPECT_EQ(fileBytes(pokemon.path), pokemon.rom.bytes());
    EXPECT_TRUE(pokemon.window->isWindowModified());
}

TEST(PokemonWindow, OpensOnceAsksBeforeDroppingEditsAndShowsTheBanksRoom)
{
    {
        EditorUnderTest closed;
        EXPECT_TRUE(closed.find<QAction>("mnuPokemon")->isVisible());
        EXPECT_FALSE(closed.find<QAction>("mnuPokemon")->isEnabled());
    }
    PokemonWindow pokemon(GameVersion::Yellow);
    Form6* window = pokemon.window;
    ASSERT_NE(window, nullptr);
    // Ctrl+P from the main window raises the one window.
    press(&pokemon.editor.window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pokemon.editor.window.pokemonWindow(), window);
    EXPECT_TRUE(window->isVisible());

    pokemon.editor.trigger("mnuParties");
    EXPECT_EQ(pokemon.find<QLabel>("bankroom")->text(),
              child<QLabel>(pokemon.editor.window.partiesWindow(), "bankroom")->text());
    EXPECT_TRUE(pokemon.find<QLabel>("bankroom")->text().startsWith("Trainer bank: "));

    retype(pokemon.find<QLineEdit>("sbaseSpc"), "9");
    press(window, Qt::Key_Escape);
    ASSERT_EQ(pokemon.editor.watcher.boxes.size(), 1U);
    EXPECT_EQ(pokemon.editor.watcher.boxes.back().text, "Save the changes to the Pokémon?");
    // Cancelled: the window stays with its edit, which Edit > Undo takes back.
    EXPECT_TRUE(window->isVisible());
    child<QAction>(window, "mnuUndo")->trigger();
    EXPECT_FALSE(window->isWindowModified());
    press(window, Qt::Key_Escape);
    EXPECT_EQ(pokemon.editor.watcher.boxes.size(), 1U);
    EXPECT_EQ(fileBytes(pokemon.path), pokemon.rom.bytes());
}

// Each place it is met in opens where it is: a map in the Maps window, a party in Trainer Parties.
TEST(PokemonWindow, OpensTheMapsAndPartiesItIsMetIn)
{
    PokemonWindow pokemon(GameVersion::Red);
    auto* places = pokemon.find<QListWidget>("metin");
    const auto activate = [&](const QString& kind) {
        for (int row = 0; row < places->count(); ++row) {
            if (places->item(row)->data(Qt::UserRole).toString().startsWith(kind)) {
                places->setCurrentRow(row);
                QTest::keyClick(places, Qt::Key_Return);
                return places->item(row);
            }
        }
        return static_cast<QListWidgetItem*>(nullptr);
    };
    const QListWidgetItem* map = activate("map:");
    ASSERT_NE(map, nullptr);
    ASSERT_NE(pokemon.editor.window.mapsWindow(), nullptr);
    EXPECT_EQ(QString::number(pokemon.editor.window.mapsWindow()->selectedMap()),
              map->data(Qt::UserRole).toString().section(':', 1));
    const QListWidgetItem* party = activate("party:");
    ASSERT_NE(party, nullptr);
    Form4* parties = pokemon.editor.window.partiesWindow();
    ASSERT_NE(parties, nullptr);
    const QStringList at = party->data(Qt::UserRole).toString().split(':');
    EXPECT_EQ(parties->partyTree()->currentItem(), parties->item(at[1].toInt(), at[2].toInt()));
}

// A learnset that grows takes bytes of the trainer bank: Trainer Parties, open beside it, counts them at once, and an
// edit of another window's kept over the save.
TEST(PokemonWindow, ASaveIsShownInTrainerParties)
{
    PokemonWindow pokemon(GameVersion::Yellow);
    pokemon.editor.trigger("mnuParties");
    Form4* parties = pokemon.editor.window.partiesWindow();
    const QString before = pokemon.find<QLabel>("bankroom")->text();
    pokemon.editor.trigger("mnuPokemon");
    retype(pokemon.find<QLineEdit>("learnaddlevel"), "99");
    pokemon.find<QComboBox>("learnadd")->setCurrentIndex(5);
    pokemon.save();
    const QString after = pokemon.find<QLabel>("bankroom")->text();
    EXPECT_NE(after, before);
    EXPECT_EQ(child<QLabel>(parties, "bankroom")->text(), after);
    EXPECT_EQ(listOf(fileBytes(pokemon.path), GameVersion::Yellow, 1).entries.back(), std::make_pair(99, 5));
}

// A list the game's pointer does not lead to is greyed and named, and a save of the record beside it leaves it be.
TEST(PokemonWindow, LeavesAListItCannotReadAsItIs)
{
    SyntheticRom rom(GameVersion::Red);
    const LayoutOffsets::SpeciesTables& at = LayoutOffsets::species(GameVersion::Red);
    int species = 1;
    while (rom.bytes()[static_cast<std::size_t>(at.pokedexNumbers + species - 1)] != 1) {
        ++species;
    }
    rom.put(at.evosMovesPointers + 2 * (species - 1), {0x00, 0x00});
    EditorUnderTest editor;
    const std::string path = editor.open(rom);
    editor.trigger("mnuPokemon");
    Form6* window = editor.window.pokemonWindow();
    window->selectNumber(1);
    EXPECT_FALSE(child<QTableWidget>(window, "learnset")->isEnabled());
    EXPECT_FALSE(child<QTableWidget>(window, "evolutions")->isEnabled());
    EXPECT_TRUE(child<QLabel>(window, "notes")->text().contains("leaves the evolutions and learnset of this species"));
    retype(child<QLineEdit>(window, "sbaseAtk"), "3");
    press(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{LayoutOffsets::baseStats(GameVersion::Red, 1) + 2, 3}}));
}
