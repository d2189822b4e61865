// Loading and saving every trainer of every version through the main window. The images carry values
// planted at the game's own offsets, written out here, so a wrong layout entry shows up as a wrong
// value on screen or a stray byte in the file.

#include "UiHarness.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

constexpr std::int32_t None = -1;

// Where one trainer keeps its data in one version (0-based file offsets).
struct Place
{
    std::int32_t name;
    int nameLength;
    std::int32_t party;
    int partySize;
    std::int32_t moveUser;
    std::int32_t move;
    std::int32_t prizeAmount; // the prize item is the byte after it
};

const Place RedPlaces[12] = {{0x39B21, 5, 0x3A3B6, 2, 0x39D22, 0x39D23, 0x5C3EC},
                             {0x39B27, 5, 0x3A3BC, 2, 0x39D24, 0x39D25, 0x5C71A},
                             {0x39B2D, 8, 0x3A3C2, 3, 0x39D26, 0x39D27, 0x5CAB7},
                             {0x39B36, 5, 0x3A3CA, 3, 0x39D28, 0x39D29, 0x48970},
                             {0x39B3C, 4, 0x3A3D2, 4, 0x39D2A, 0x39D2B, 0x754A4},
                             {0x39B48, 7, 0x3A3E6, 4, 0x39D2C, 0x39D2D, 0x5D075},
                             {0x39B41, 6, 0x3A3DC, 4, 0x39D2E, 0x39D2F, 0x75864},
                             {0x39AF1, 8, 0x3A291, 5, 0x39D30, 0x39D31, 0x749A2},
                             {0x39B68, 7, 0x3A4BC, 5, None, 0x39D33, None},
                             {0x39B1B, 5, 0x3A3AA, 5, None, 0x39D35, None},
                             {0x39B7A, 6, 0x3A517, 5, None, 0x39D37, None},
                             {0x39B81, 5, 0x3A523, 5, None, 0x39D39, None}};

const Place YellowPlaces[12] = {{0x39AA0, 5, 0x3A455, 2, None, None, 0x5C2C9},
                                {0x39AA6, 5, 0x3A45B, 2, None, None, 0x5C5EA},
                                {0x39AAC, 8, 0x3A461, 1, None, None, 0x5C9AD},
                                {0x39AB5, 5, 0x3A465, 3, None, None, 0x48987},
                                {0x39ABB, 4, 0x3A46D, 4, None, None, 0x74C4C},
                                {0x39AC7, 7, 0x3A47F, 3, None, None, 0x5CF6B},
                                {0x39AC0, 6, 0x3A477, 3, None, None, 0x75070},
                                {0x39A70, 8, 0x3A310, 5, None, None, 0x741DF},
                                {0x39AE7, 7, 0x3A540, 5, None, None, None},
                                {0x39A9A, 5, 0x3A449, 5, None, None, None},
                                {0x39AF9, 6, 0x3A59B, 5, None, None, None},
                                {0x39B00, 5, 0x3A5A7, 5, None, None, None}};

Place placeOf(GameVersion version, int rosterIndex)
{
    if (version == GameVersion::Yellow) {
        return YellowPlaces[rosterIndex];
    }
    Place place = RedPlaces[rosterIndex];
    // Blue keeps every position of Red but three prizes.
    if (version == GameVersion::Blue && (rosterIndex == 4 || rosterIndex == 6 || rosterIndex == 7)) {
        place.prizeAmount = rosterIndex == 4 ? 0x754A5 : rosterIndex == 6 ? 0x75865 : 0x749A3;
    }
    return place;
}

// Invented names, each as long as its field.
const char* const Names[12] = {"TOBIN",
                               "MARLA",
                               "ZEPHYRUS",
                               "OKARA",
                               "JUNO",
                               "VESPERA",
                               "HALDOR",
                               "CORVINUS",
                               "ROSALIN",
                               "BRAMS",
                               "ELOWEN",
                               "KASPR"};

// The values planted for trainer i, member m (0-based).
std::uint8_t plantedLevel(int i, int m)
{
    return static_cast<std::uint8_t>(20 + 3 * i + m);
}
std::uint8_t plantedSpecies(int i, int m)
{
    return static_cast<std::uint8_t>(2 + 15 * i + m);
}
std::uint8_t plantedMove(int i)
{
    return static_cast<std::uint8_t>(1 + 13 * i);
}
std::uint8_t plantedAmount(int i)
{
    return static_cast<std::uint8_t>(200 + i);
}
std::uint8_t plantedItem(int i)
{
    return static_cast<std::uint8_t>(3 + 7 * i);
}

SyntheticRom plantedRom(GameVersion version)
{
    SyntheticRom rom(version);
    for (int i = 0; i < 12; ++i) {
        const Place place = placeOf(version, i);
        rom.putText(place.name, Names[i], true);
        for (int m = 0; m < place.partySize; ++m) {
            rom.set(place.party + 2 * m, plantedLevel(i, m));
            rom.set(place.party + 2 * m + 1, plantedSpecies(i, m));
        }
        if (place.moveUser != None) {
            rom.set(place.moveUser, static_cast<std::uint8_t>((i + 1) % place.partySize));
        }
        if (place.move != None) {
            rom.set(place.move, plantedMove(i));
        }
        if (place.prizeAmount != None) {
            rom.set(place.prizeAmount, plantedAmount(i));
            rom.set(place.prizeAmount + 1, plantedItem(i));
        }
    }
    return rom;
}

QString species(int number)
{
    return QString::fromStdString(SyntheticRom::speciesName(number));
}

std::string traceOf(GameVersion version, int rosterIndex)
{
    return std::string(profileOf(version).code) + " entry " + std::to_string(rosterIndex);
}

const GameVersion Versions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

std::string versionName(const ::testing::TestParamInfo<GameVersion>& param)
{
    return std::string(profileOf(param.param).code);
}

} // namespace

class TrainerEditor : public ::testing::TestWithParam<GameVersion>
{
protected:
    void SetUp() override { path = editor.open(plantedRom(GetParam())); }

    QComboBox* list(const char* name) { return editor.find<QComboBox>(name); }
    QLineEdit* box(const char* name) { return editor.find<QLineEdit>(name); }
    bool specialMoves() const { return GetParam() != GameVersion::Yellow; }

    EditorUnderTest editor;
    std::string path;
};

TEST_P(TrainerEditor, LoadsEveryTrainer)
{
    const GameVersion version = GetParam();
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(traceOf(version, i));
        const Place place = placeOf(version, i);
        clickTrainer(editor.window, i);

        EXPECT_EQ(box("namebox")->text(), Names[i]);
        EXPECT_EQ(box("namebox")->maxLength(), place.nameLength);
        QStringList hiddenLevels;
        for (int member = 1; member <= 6; ++member) {
            SCOPED_TRACE("member " + std::to_string(member));
            const bool shown = member <= place.partySize;
            EXPECT_EQ(editor.window.speciesBox(member)->isHidden(), !shown);
            EXPECT_EQ(editor.window.levelBox(member)->isHidden(), !shown);
            if (shown) {
                EXPECT_EQ(editor.window.levelBox(member)->text(), QString::number(plantedLevel(i, member - 1)));
                EXPECT_EQ(editor.window.speciesBox(member)->currentIndex(), plantedSpecies(i, member - 1));
            } else {
                hiddenLevels << editor.window.levelBox(member)->text();
            }
        }
        // A hidden row's level box reads 0, never empty.
        EXPECT_EQ(hiddenLevels, QStringList(6 - place.partySize, QStringLiteral("0")));

        const bool gymLeader = i < 8;
        EXPECT_EQ(editor.find<QGroupBox>("frmprize")->isHidden(), !gymLeader);
        EXPECT_EQ(list("pkmnno")->isHidden(), !gymLeader);
        EXPECT_FALSE(editor.find<QLabel>("Label5")->isHidden());
        if (gymLeader) {
            EXPECT_EQ(list("itemlst")->currentIndex(), plantedItem(i) - 1);
            EXPECT_EQ(box("itemquant")->text(), QString::number(plantedAmount(i)));
        }
        if (specialMoves()) {
            EXPECT_EQ(list("attacklst")->currentIndex(), plantedMove(i) - 1);
        }
        if (gymLeader && specialMoves()) {
            QStringList users;
            for (int m = 0; m < place.partySize; ++m) {
                users << species(plantedSpecies(i, m));
            }
            ASSERT_EQ(list("pkmnno")->count(), place.partySize);
            for (int m = 0; m < place.partySize; ++m) {
                EXPECT_EQ(list("pkmnno")->itemText(m), users[m]);
            }
            EXPECT_EQ(list("pkmnno")->currentIndex(), (i + 1) % place.partySize);
        } else if (gymLeader) {
            EXPECT_EQ(list("pkmnno")->count(), 0);
        }
    }
    EXPECT_TRUE(editor.watcher.boxes().empty());
}

TEST_P(TrainerEditor, AnEliteFourMemberKeepsTheLastGymLeadersPrizeHidden)
{
    clickTrainer(editor.window, 3);
    clickTrainer(editor.window, 8);
    EXPECT_TRUE(editor.find<QGroupBox>("frmprize")->isHidden());
    EXPECT_EQ(list("itemlst")->currentIndex(), plantedItem(3) - 1);
    EXPECT_EQ(box("itemquant")->text(), QString::number(plantedAmount(3)));

    // Saving it writes the Elite Four member's bytes only, never the leftover prize.
    const Bytes before = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(changedExactly(before, readWholeFile(path), {}));
}

TEST_P(TrainerEditor, SavesEveryFieldOfEveryTrainer)
{
    const GameVersion version = GetParam();
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(traceOf(version, i));
        const Place place = placeOf(version, i);
        clickTrainer(editor.window, i);
        std::map<std::int64_t, std::uint8_t> writes;

        // A shorter name: "ZQ" (0x99 0x90), padded with the game's blank, no terminator in the field.
        retype(box("namebox"), "ZQ");
        for (int k = 0; k < place.nameLength; ++k) {
            writes[place.name + k] = k == 0 ? 0x99 : k == 1 ? 0x90 : 0x7F;
        }
        for (int member = 1; member <= place.partySize; ++member) {
            const auto level = static_cast<std::uint8_t>(90 + 10 * member + i);
            const auto newSpecies = static_cast<std::uint8_t>(180 + member);
            retype(editor.window.levelBox(member), QString::number(level));
            editor.window.speciesBox(member)->setCurrentIndex(newSpecies);
            writes[place.party + 2 * (member - 1)] = level;
            writes[place.party + 2 * (member - 1) + 1] = newSpecies;
        }
        clickTab(editor.window, 1);
        list("attacklst")->setCurrentIndex(SyntheticRom::MoveCount - 1 - i);
        if (place.move != None) {
            writes[place.move] = static_cast<std::uint8_t>(SyntheticRom::MoveCount - i);
        }
        if (place.moveUser != None) {
            list("pkmnno")->setCurrentIndex(i % place.partySize);
            writes[place.moveUser] = static_cast<std::uint8_t>(i % place.partySize);
        }
        if (place.prizeAmount != None) {
            list("itemlst")->setCurrentIndex(200 + i);
            retype(box("itemquant"), QString::number(7 + i));
            writes[place.prizeAmount] = static_cast<std::uint8_t>(7 + i);
            writes[place.prizeAmount + 1] = static_cast<std::uint8_t>(201 + i);
        }
        clickTab(editor.window, 0);

        const Bytes before = readWholeFile(path);
        editor.save();
        EXPECT_TRUE(changedExactly(before, readWholeFile(path), writes));
        ASSERT_EQ(editor.watcher.boxes().size(), static_cast<std::size_t>(i + 1));
        const SeenBox& confirmation = editor.watcher.boxes().back();
        EXPECT_EQ(confirmation.title, "Tavrik");
        EXPECT_EQ(confirmation.text, "Data for ZQ saved successfully!");
        EXPECT_EQ(confirmation.icon, QMessageBox::Information);

        // The roster is read again from the file and the first trainer shown.
        auto* roster = editor.find<QListWidget>("trainerlst");
        ASSERT_EQ(roster->count(), 12);
        EXPECT_EQ(roster->item(i)->text(), "ZQ        ");
        EXPECT_EQ(roster->currentRow(), 0);
        EXPECT_EQ(box("namebox")->text(), "ZQ");

        // And the trainer reads back as edited.
        clickTrainer(editor.window, i);
        EXPECT_EQ(box("namebox")->text(), "ZQ");
        EXPECT_EQ(editor.window.levelBox(1)->text(), QString::number(100 + i));
        EXPECT_EQ(editor.window.speciesBox(place.partySize)->currentIndex(), 180 + place.partySize);
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, TrainerEditor, ::testing::ValuesIn(Versions), versionName);

TEST(TrainerEditorRed, TheEditOfTheFirstTrainersSecondLevel)
{
    EditorUnderTest editor;
    const std::string path = editor.open(plantedRom(GameVersion::Red));
    clickTrainer(editor.window, 0);
    retype(editor.window.levelBox(2), "15");

    const Bytes before = readWholeFile(path);
    editor.save();
    EXPECT_TRUE(changedExactly(before, readWholeFile(path), {{0x3A3B8, 0x0F}}));
    ASSERT_EQ(editor.watcher.boxes().size(), 1u);
    EXPECT_EQ(editor.watcher.boxes().front().text, "Data for TOBIN saved successfully!");
    EXPECT_EQ(editor.window.levelBox(2)->text(), "15");

    // The trainer reloaded after the save can be saved again at once; nothing changes.
    const Bytes saved = readWholeFile(path);
    editor.save();
    EXPECT_EQ(editor.watcher.boxes().size(), 2u);
    EXPECT_EQ(readWholeFile(path), saved);
}

TEST(TrainerEditorRed, TheRosterLoadsByKeyboardToo)
{
    EditorUnderTest editor;
    editor.open(plantedRom(GameVersion::Red));
    clickTrainer(editor.window, 0);
    auto* roster = editor.find<QListWidget>("trainerlst");
    QTest::keyClick(roster, Qt::Key_Down);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), Names[1]);
    EXPECT_EQ(editor.window.levelBox(1)->text(), QString::number(plantedLevel(1, 0)));
    QTest::keyClick(roster, Qt::Key_End);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), Names[11]);
    EXPECT_TRUE(editor.find<QGroupBox>("frmprize")->isHidden());
}

TEST(TrainerEditorYellow, NeverWritesASpecialMove)
{
    EditorUnderTest editor;
    const std::string path = editor.open(plantedRom(GameVersion::Yellow));
    for (const int i : {2, 5, 9}) {
        SCOPED_TRACE(i);
        clickTrainer(editor.window, i);
        auto* moves = editor.find<QComboBox>("attacklst");
        moves->setCurrentIndex(40 + i);
        editor.find<QComboBox>("pkmnno")->setCurrentIndex(0);
        // The move list is not read for Yellow; it keeps what was picked.
        clickTrainer(editor.window, 11);
        EXPECT_EQ(moves->currentIndex(), 40 + i);
        clickTrainer(editor.window, i);

        const Bytes before = readWholeFile(path);
        editor.save();
        EXPECT_TRUE(changedExactly(before, readWholeFile(path), {}));
    }
}
