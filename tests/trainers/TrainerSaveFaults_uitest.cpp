// Where a save could corrupt a cartridge: bytes no list can show, names that would split the game's
// name table, a trainer that could not be read, a file that cannot be written.
// The first trainer of Red is used throughout: name 0x39B21 (5 bytes), party 0x3A3B6 (two members),
// special move user 0x39D22 and move 0x39D23, prize amount 0x5C3EC and item 0x5C3ED.

#include "UiHarness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

namespace {

constexpr std::int32_t NameOffset = 0x39B21;
constexpr std::int32_t FirstLevel = 0x3A3B6;
constexpr std::int32_t FirstSpecies = 0x3A3B7;
constexpr std::int32_t SecondLevel = 0x3A3B8;
constexpr std::int32_t MoveUser = 0x39D22;
constexpr std::int32_t Move = 0x39D23;
constexpr std::int32_t PrizeItem = 0x5C3ED;

bool sawConfirmation(const ModalWatcher& watcher)
{
    for (const SeenBox& box : watcher.boxes()) {
        if (box.text.endsWith("saved successfully!")) {
            return true;
        }
    }
    return false;
}

} // namespace

class TrainerSaveFaults : public ::testing::Test
{
protected:
    void open(const SyntheticRom& rom) { path = editor.open(rom); }
    void openAndPickFirst(const SyntheticRom& rom)
    {
        open(rom);
        clickTrainer(editor.window, 0);
    }
    QComboBox* list(const char* name) { return editor.find<QComboBox>(name); }

    EditorUnderTest editor;
    std::string path;
};

TEST_F(TrainerSaveFaults, NothingSelectedWritesNothingAndSaysNothing)
{
    open(SyntheticRom(GameVersion::Red));
    const Bytes before = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(editor.watcher.boxes().empty());
    EXPECT_EQ(readWholeFile(path), before);
}

// A byte no list entry stands for is shown as no selection and saved back as it was.
struct UnlistedByte
{
    const char* what;
    std::int32_t offset;
    std::uint8_t value;
    const char* list;
};

void PrintTo(const UnlistedByte& planted, std::ostream* out)
{
    *out << planted.what;
}

class UnlistedBytes : public TrainerSaveFaults, public ::testing::WithParamInterface<UnlistedByte>
{
};

TEST_P(UnlistedBytes, LoadAsNoSelectionAndSaveUnchangedUntilPicked)
{
    const UnlistedByte& planted = GetParam();
    SyntheticRom rom(GameVersion::Red);
    rom.set(planted.offset, planted.value);
    openAndPickFirst(rom);

    EXPECT_EQ(list(planted.list)->currentIndex(), -1);
    // The rest of the trainer is still loaded.
    EXPECT_EQ(editor.window.levelBox(1)->text(), QString::number(rom.at(FirstLevel)));
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), QString::fromStdString(SyntheticRom::trainerName(0)));
    EXPECT_TRUE(editor.watcher.boxes().empty());

    retype(editor.window.levelBox(2), "77");
    const Bytes before = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(changedExactly(before, readWholeFile(path), {{SecondLevel, 77}, {planted.offset, planted.value}}));
    EXPECT_TRUE(sawConfirmation(editor.watcher));

    // Once the user picks an entry, the pick is written.
    list(planted.list)->setCurrentIndex(1);
    const auto picked = static_cast<std::uint8_t>(planted.offset == Move || planted.offset == PrizeItem ? 2 : 1);
    const Bytes unpicked = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(changedExactly(unpicked, readWholeFile(path), {{planted.offset, picked}}));
}

INSTANTIATE_TEST_SUITE_P(Red,
                         UnlistedBytes,
                         ::testing::Values(UnlistedByte{"SpeciesAboveTheList", FirstSpecies, 191, "pkmn1"},
                                           UnlistedByte{"SpeciesFF", FirstSpecies, 0xFF, "pkmn1"},
                                           UnlistedByte{"MoveZero", Move, 0, "attacklst"},
                                           UnlistedByte{"MoveBeyondTheList", Move, 166, "attacklst"},
                                           UnlistedByte{"ItemZero", PrizeItem, 0, "itemlst"},
                                           UnlistedByte{"ItemBeyondTheList", PrizeItem, 252, "itemlst"},
                                           UnlistedByte{"UserBeyondTheParty", MoveUser, 2, "pkmnno"},
                                           UnlistedByte{"UserFF", MoveUser, 0xFF, "pkmnno"}),
                         [](const ::testing::TestParamInfo<UnlistedByte>& param) {
                             return std::string(param.param.what);
                         });

TEST_F(TrainerSaveFaults, BytesAtTheEndsOfTheListsLoadAndSaveUnchanged)
{
    SyntheticRom rom(GameVersion::Red);
    rom.set(FirstLevel, 0xFF);
    rom.set(FirstSpecies, 0);
    rom.set(FirstSpecies + 2, 190);
    rom.set(Move, SyntheticRom::MoveCount);
    rom.set(PrizeItem, 251);
    rom.set(MoveUser, 1);
    openAndPickFirst(rom);

    EXPECT_EQ(editor.window.levelBox(1)->text(), "255");
    EXPECT_EQ(editor.window.speciesBox(1)->currentText(), "MISSINGNO.");
    EXPECT_EQ(editor.window.speciesBox(2)->currentIndex(), 190);
    EXPECT_EQ(list("attacklst")->currentIndex(), SyntheticRom::MoveCount - 1);
    EXPECT_EQ(list("itemlst")->currentText(), "TM50");
    EXPECT_EQ(list("pkmnno")->currentIndex(), 1);

    const Bytes before = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(changedExactly(before, readWholeFile(path), {}));
}

TEST_F(TrainerSaveFaults, ATrainerThatCouldNotBeReadIsNotWritten)
{
    openAndPickFirst(SyntheticRom(GameVersion::Red));
    // The file is cut short behind the editor's back; the next trainer's bytes are gone.
    std::filesystem::resize_file(path, 0x30000);
    clickTrainer(editor.window, 1);
    ASSERT_EQ(editor.watcher.boxes().size(), 1u);
    EXPECT_TRUE(editor.watcher.boxes().front().title.startsWith("Error: "));

    const Bytes before = readWholeFile(path);
    editor.save();
    ASSERT_EQ(editor.watcher.boxes().size(), 2u);
    EXPECT_EQ(editor.watcher.boxes().back().title, "Error: 1003");
    EXPECT_FALSE(sawConfirmation(editor.watcher));
    EXPECT_EQ(readWholeFile(path), before);
}

TEST_F(TrainerSaveFaults, AWriteFailureIsReportedAndNotConfirmed)
{
    openAndPickFirst(SyntheticRom(GameVersion::Red));
    retype(editor.window.levelBox(1), "99");
    const Bytes before = readWholeFile(path);
    {
        const ImmutableFile locked(path);
        if (!locked.active()) {
            GTEST_SKIP() << "this file system or user cannot make a file immutable";
        }
        editor.save();
    }
    ASSERT_EQ(editor.watcher.boxes().size(), 1u);
    const SeenBox& box = editor.watcher.boxes().front();
    EXPECT_TRUE(box.title.startsWith("Error: ")) << box.title.toStdString();
    EXPECT_FALSE(box.text.isEmpty());
    EXPECT_FALSE(sawConfirmation(editor.watcher));
    EXPECT_EQ(readWholeFile(path), before);
}

// Names are padded with the game's blank 0x7F to their field, with no terminator inside it: the game
// finds each trainer class's name by counting terminators.
TEST_F(TrainerSaveFaults, NamesFillTheirFieldWithoutATerminator)
{
    struct Case
    {
        int rosterIndex;
        std::int32_t offset;
        const char* typed;
        const char* confirmed;
        Bytes field;
    };
    const Case cases[] = {{4, 0x39B3C, "AB", "AB", {0x80, 0x81, 0x7F, 0x7F}},
                          {4, 0x39B3C, "ABCD", "ABCD", {0x80, 0x81, 0x82, 0x83}},
                          {2, 0x39B2D, "A", "A", {0x80, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
                          {0, NameOffset, " AB", "AB", {0x7F, 0x80, 0x81, 0x7F, 0x7F}},
                          {0, NameOffset, "ABCDEFG", "ABCDE", {0x80, 0x81, 0x82, 0x83, 0x84}}};
    open(SyntheticRom(GameVersion::Red));
    for (const Case& item : cases) {
        SCOPED_TRACE(item.typed);
        clickTrainer(editor.window, item.rosterIndex == 0 ? 1 : 0);
        clickTrainer(editor.window, item.rosterIndex);
        retype(editor.find<QLineEdit>("namebox"), item.typed);

        const Bytes before = readWholeFile(path);
        editor.save();
        std::map<std::int64_t, std::uint8_t> writes;
        for (std::size_t k = 0; k < item.field.size(); ++k) {
            writes[item.offset + static_cast<std::int64_t>(k)] = item.field[k];
        }
        EXPECT_TRUE(changedExactly(before, readWholeFile(path), writes));
        ASSERT_FALSE(editor.watcher.boxes().empty());
        EXPECT_EQ(editor.watcher.boxes().back().text, QString("Data for %1 saved successfully!").arg(item.confirmed));
    }
}

// A save that leaves the name alone keeps its bytes, also one the name box cannot show (0x05 decodes
// to nothing).
TEST_F(TrainerSaveFaults, AnUneditedNameKeepsBytesTheNameBoxCannotShow)
{
    SyntheticRom rom(GameVersion::Red);
    rom.put(NameOffset, {0x80, 0x81, 0x05, 0x82, 0x83});
    openAndPickFirst(rom);
    ASSERT_EQ(editor.find<QLineEdit>("namebox")->text(), "ABCD");
    retype(editor.window.levelBox(2), "77");

    const Bytes before = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(changedExactly(before, readWholeFile(path), {{SecondLevel, 77}}));
}

TEST_F(TrainerSaveFaults, ANameWithTheTerminatorIsRefused)
{
    open(SyntheticRom(GameVersion::Red));
    for (const char* name : {"\\", "AB\\", "\\h50", "A\\h50"}) {
        SCOPED_TRACE(name);
        clickTrainer(editor.window, 1);
        clickTrainer(editor.window, 0);
        const std::size_t boxesBefore = editor.watcher.boxes().size();
        retype(editor.find<QLineEdit>("namebox"), name);
        retype(editor.window.levelBox(1), "99");
        editor.window.speciesBox(2)->setCurrentIndex(3);

        const Bytes before = readWholeFile(path);
        editor.save();
        EXPECT_EQ(readWholeFile(path), before);
        ASSERT_EQ(editor.watcher.boxes().size(), boxesBefore + 1);
        EXPECT_EQ(editor.watcher.boxes().back().title, "Error: 1002");
        EXPECT_FALSE(sawConfirmation(editor.watcher));
    }
}
