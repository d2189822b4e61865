// The trainer form through the real widgets: loading every trainer of every version, one edit and save
// per version checked against the whole file, typing into the boxes, and the faults a save must not
// turn into a corrupt cartridge. Offsets come from LayoutOffsets.h, apart from the program's tables.

#include "LayoutOffsets.h"
#include "UiHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>

namespace {

const LayoutOffsets::Trainer& RedFirst = LayoutOffsets::Red[0];

QString species(int number)
{
    return QString::fromStdString(SyntheticRom::speciesName(number));
}

} // namespace

class TrainerEditor : public ::testing::Test
{
protected:
    void open(const SyntheticRom& rom, int rosterIndex = 0)
    {
        path = editor.open(rom);
        clickTrainer(editor.window, rosterIndex);
    }
    QComboBox* list(const char* name) { return editor.find<QComboBox>(name); }
    QLineEdit* box(const char* name) { return editor.find<QLineEdit>(name); }
    // Saves through the menu; the file must change at exactly the given bytes.
    ::testing::AssertionResult saveChanges(const std::map<std::int64_t, std::uint8_t>& writes)
    {
        const Bytes before = readWholeFile(path);
        editor.save();
        return changedExactly(before, readWholeFile(path), writes);
    }
    bool confirmed() const
    {
        const auto& boxes = editor.watcher.boxes();
        return std::any_of(
            boxes.begin(), boxes.end(), [](const SeenBox& seen) { return seen.text.endsWith("saved successfully!"); });
    }

    EditorUnderTest editor;
    std::string path;
};

TEST_F(TrainerEditor, LoadsEveryTrainerOfEveryVersion)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        const SyntheticRom rom(version);
        path = editor.open(rom);
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(std::string(profileOf(version).code) + " entry " + std::to_string(i));
            const LayoutOffsets::Trainer& at = LayoutOffsets::trainer(version, i);
            clickTrainer(editor.window, i);
            EXPECT_EQ(box("namebox")->text(), QString::fromStdString(SyntheticRom::trainerName(i)));
            EXPECT_EQ(box("namebox")->maxLength(), at.nameLength);
            QStringList party;
            for (int member = 1; member <= 6; ++member) {
                const bool shown = member <= at.partySize;
                EXPECT_EQ(editor.window.speciesBox(member)->isHidden(), !shown) << member;
                EXPECT_EQ(editor.window.levelBox(member)->isHidden(), !shown) << member;
                // A hidden row's level box reads 0, never empty.
                const int level = shown ? rom.at(at.party + 2 * member - 2) : 0;
                EXPECT_EQ(editor.window.levelBox(member)->text(), QString::number(level)) << member;
                if (shown) {
                    EXPECT_EQ(editor.window.speciesBox(member)->currentIndex(), rom.at(at.party + 2 * member - 1));
                    party << species(rom.at(at.party + 2 * member - 1));
                }
            }
            const bool gymLeader = i < 8;
            EXPECT_EQ(editor.find<QGroupBox>("frmprize")->isHidden(), !gymLeader);
            EXPECT_EQ(list("pkmnno")->isHidden(), !gymLeader);
            if (at.prizeAmount) {
                EXPECT_EQ(list("itemlst")->currentIndex(), rom.at(*at.prizeAmount + 1) - 1);
                EXPECT_EQ(box("itemquant")->text(), QString::number(rom.at(*at.prizeAmount)));
            }
            if (at.move) {
                EXPECT_EQ(list("attacklst")->currentIndex(), rom.at(*at.move) - 1);
            }
            // The special move's user is picked from the party, where the version lets it be edited.
            if (gymLeader) {
                QStringList users;
                for (int k = 0; k < list("pkmnno")->count(); ++k) {
                    users << list("pkmnno")->itemText(k);
                }
                EXPECT_EQ(users, at.moveUser ? party : QStringList());
            }
            if (at.moveUser) {
                EXPECT_EQ(list("pkmnno")->currentIndex(), rom.at(*at.moveUser));
            }
        }

        // An Elite Four member keeps the prize of the gym leader shown before, hidden.
        const LayoutOffsets::Trainer& first = LayoutOffsets::trainer(version, 0);
        clickTrainer(editor.window, 0);
        clickTrainer(editor.window, 8);
        EXPECT_TRUE(editor.find<QGroupBox>("frmprize")->isHidden());
        EXPECT_EQ(list("itemlst")->currentIndex(), rom.at(*first.prizeAmount + 1) - 1);
        EXPECT_EQ(box("itemquant")->text(), QString::number(rom.at(*first.prizeAmount)));
        // The roster loads by keyboard too.
        QTest::keyClick(editor.find<QListWidget>("trainerlst"), Qt::Key_Down);
        EXPECT_EQ(box("namebox")->text(), QString::fromStdString(SyntheticRom::trainerName(9)));
    }
    EXPECT_TRUE(editor.watcher.boxes().empty());
}

// Every field edited and saved, per version; the names are padded with the game's blank 0x7F and never
// hold a terminator. Blue's three gym leaders whose prize lies apart from Red's; Yellow has no special move.
TEST_F(TrainerEditor, OneSavePerVersionChangesExactlyTheEditedBytes)
{
    // Version, roster entry, the name typed, and the name as it lands in its field.
    const std::tuple<GameVersion, int, const char*, const char*> saves[] = {
        {GameVersion::Red, 0, "ZQ", "ZQ"},
        {GameVersion::Blue, 4, "ABCD", "ABCD"},
        {GameVersion::Blue, 6, " AB", " AB"},
        {GameVersion::Blue, 7, "ABCDEFGHIJ", "ABCDEFGH"},
        {GameVersion::Yellow, 2, "A", "A"}};
    for (const auto& [version, i, typed, field] : saves) {
        SCOPED_TRACE(std::string(profileOf(version).code) + " entry " + std::to_string(i));
        const LayoutOffsets::Trainer& at = LayoutOffsets::trainer(version, i);
        open(SyntheticRom(version), i);
        const std::string name = field;
        std::map<std::int64_t, std::uint8_t> writes;
        for (std::size_t k = 0; k < static_cast<std::size_t>(at.nameLength); ++k) {
            const char letter = k < name.size() ? name[k] : ' ';
            writes[at.name + static_cast<std::int64_t>(k)] =
                static_cast<std::uint8_t>(letter == ' ' ? 0x7F : 0x80 + (letter - 'A'));
        }
        retype(box("namebox"), typed);
        retype(editor.window.levelBox(1), "123");
        writes[at.party] = 123;
        editor.window.speciesBox(at.partySize)->setCurrentIndex(150);
        writes[at.party + 2 * at.partySize - 1] = 150;
        clickTab(editor.window, 1);
        list("attacklst")->setCurrentIndex(99);
        list("pkmnno")->setCurrentIndex(at.partySize - 1);
        list("itemlst")->setCurrentIndex(200);
        retype(box("itemquant"), "77");
        clickTab(editor.window, 0);
        if (at.move) {
            writes[*at.move] = 100;
        }
        if (at.moveUser) {
            writes[*at.moveUser] = static_cast<std::uint8_t>(at.partySize - 1);
        }
        if (at.prizeAmount) {
            writes[*at.prizeAmount] = 77;
            writes[*at.prizeAmount + 1] = 201;
        }
        EXPECT_TRUE(saveChanges(writes));

        const QString shown = QString::fromStdString(name).trimmed();
        ASSERT_FALSE(editor.watcher.boxes().empty());
        const SeenBox& confirmation = editor.watcher.boxes().back();
        EXPECT_EQ(confirmation.title, "Tavrik");
        EXPECT_EQ(confirmation.text, "Data for " + shown + " saved successfully!");
        EXPECT_EQ(confirmation.icon, QMessageBox::Information);
        // The roster is read again from the file and its first entry shown.
        auto* roster = editor.find<QListWidget>("trainerlst");
        ASSERT_EQ(roster->count(), 12);
        EXPECT_EQ(roster->item(i)->text().trimmed(), shown);
        EXPECT_EQ(roster->currentRow(), 0);
        EXPECT_EQ(box("namebox")->text(), i == 0 ? shown : QString::fromStdString(SyntheticRom::trainerName(0)));
    }
}

TEST_F(TrainerEditor, SaveWithNoTrainerSelectedWritesNothingAndSaysNothing)
{
    path = editor.open(SyntheticRom(GameVersion::Red));
    EXPECT_TRUE(saveChanges({}));
    EXPECT_TRUE(editor.watcher.boxes().empty());
}

// A byte no list entry stands for shows as no selection and is saved back as loaded; the ends of each
// list load as their entries.
TEST_F(TrainerEditor, ListsWithoutASelectionSaveTheLoadedByte)
{
    struct Planted
    {
        std::int32_t offset;
        std::uint8_t value;
        const char* list;
        int index;
    };
    const std::int32_t species1 = RedFirst.party + 1, species2 = RedFirst.party + 3;
    const std::int32_t move = *RedFirst.move, user = *RedFirst.moveUser, item = *RedFirst.prizeAmount + 1;
    const std::vector<Planted> roms[] = {
        {{species1, 191, "pkmn1", -1}, {species2, 0xFF, "pkmn2", -1}, {move, 0, "attacklst", -1}},
        {{item, 0, "itemlst", -1}, {user, 2, "pkmnno", -1}, {move, 166, "attacklst", -1}},
        {{item, 252, "itemlst", -1}, {user, 0xFF, "pkmnno", -1}},
        {{species1, 0, "pkmn1", 0}, {species2, 190, "pkmn2", 190}, {move, 165, "attacklst", 164}},
        {{item, 251, "itemlst", 250}, {user, 1, "pkmnno", 1}}};
    for (const std::vector<Planted>& planted : roms) {
        SyntheticRom rom(GameVersion::Red);
        for (const Planted& byte : planted) {
            rom.set(byte.offset, byte.value);
        }
        open(rom);
        for (const Planted& byte : planted) {
            EXPECT_EQ(list(byte.list)->currentIndex(), byte.index) << byte.list << " " << int{byte.value};
        }
        EXPECT_EQ(box("namebox")->text(), QString::fromStdString(SyntheticRom::trainerName(0)));
        retype(editor.window.levelBox(2), "77");
        EXPECT_TRUE(saveChanges({{RedFirst.party + 2, 77}}));
    }
    EXPECT_EQ(editor.watcher.boxes().size(), std::size(roms));
    EXPECT_TRUE(confirmed());
}

TEST_F(TrainerEditor, ATrainerThatCouldNotBeReadIsNotSaved)
{
    open(SyntheticRom(GameVersion::Red));
    // The file is cut short behind the editor's back; the next trainer's bytes are gone.
    std::filesystem::resize_file(path, 0x30000);
    clickTrainer(editor.window, 1);
    ASSERT_EQ(editor.watcher.boxes().size(), 1u);
    EXPECT_TRUE(editor.watcher.boxes().front().title.startsWith("Error: "));

    EXPECT_TRUE(saveChanges({}));
    ASSERT_EQ(editor.watcher.boxes().size(), 2u);
    EXPECT_EQ(editor.watcher.boxes().back().title, "Error: 1003");
    EXPECT_FALSE(confirmed());
}

TEST_F(TrainerEditor, AWriteFailureIsReportedAndNotConfirmed)
{
    open(SyntheticRom(GameVersion::Red));
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
    EXPECT_TRUE(editor.watcher.boxes().front().title.startsWith("Error: "));
    EXPECT_FALSE(editor.watcher.boxes().front().text.isEmpty());
    EXPECT_FALSE(confirmed());
    EXPECT_EQ(readWholeFile(path), before);
}

// The terminator would split the game's name table: a name holding it is refused, and nothing written.
TEST_F(TrainerEditor, ANameWithTheTerminatorIsRefused)
{
    open(SyntheticRom(GameVersion::Red));
    for (const char* name : {"\\", "A\\h50"}) {
        SCOPED_TRACE(name);
        clickTrainer(editor.window, 1);
        clickTrainer(editor.window, 0);
        const std::size_t seen = editor.watcher.boxes().size();
        retype(box("namebox"), name);
        retype(editor.window.levelBox(1), "99");
        EXPECT_TRUE(saveChanges({}));
        ASSERT_EQ(editor.watcher.boxes().size(), seen + 1);
        EXPECT_EQ(editor.watcher.boxes().back().title, "Error: 1002");
    }
    EXPECT_FALSE(confirmed());
}

// 0x05 decodes to nothing, so the name box cannot show it; a save that leaves the name alone keeps it.
TEST_F(TrainerEditor, AnUneditedNameKeepsBytesTheNameBoxCannotShow)
{
    SyntheticRom rom(GameVersion::Red);
    rom.put(RedFirst.name, {0x80, 0x81, 0x05, 0x82, 0x83});
    open(rom);
    ASSERT_EQ(box("namebox")->text(), "ABCD");
    retype(editor.window.levelBox(2), "77");
    EXPECT_TRUE(saveChanges({{RedFirst.party + 2, 77}}));
}

// Typing: the number boxes take digits only and always hold 0..255, whatever reaches them; the
// special-move user list takes hexadecimal digits. Entry 7 of Red shows five level boxes.
class TypingIntoTheForm : public TrainerEditor
{
protected:
    void SetUp() override { open(SyntheticRom(GameVersion::Red), 7); }
    // The prize amount is on the second tab.
    QLineEdit* numberBox(const char* name)
    {
        clickTab(editor.window, std::string_view(name) == "itemquant" ? 1 : 0);
        return box(name);
    }
};

TEST_F(TypingIntoTheForm, NumberBoxesTakeDigitsUpTo255AndNothingElse)
{
    // The name box shows that the clipboard works here.
    QApplication::clipboard()->setText("77");
    box("namebox")->selectAll();
    controlKey(box("namebox"), 'v');
    ASSERT_EQ(box("namebox")->text(), "77");

    const std::pair<const char*, QStringList> typing[] = {
        {"300", {"3", "30", "255"}}, {"256", {"2", "25", "255"}}, {"9a-", {"9", "9", "9"}}, {" .+", {"0", "0", "0"}}};
    for (const char* name : {"lvl1", "lvl2", "lvl3", "lvl4", "lvl5", "itemquant"}) {
        SCOPED_TRACE(name);
        QLineEdit* field = numberBox(name);
        for (const auto& [keys, shown] : typing) {
            // Deleting everything leaves 0; the first key replaces it.
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
            QTest::keyClick(field, Qt::Key_Delete);
            ASSERT_EQ(field->text(), "0");
            QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
            QStringList seen;
            for (const char* key = keys; *key != '\0'; ++key) {
                QTest::keyClick(field, *key);
                seen << field->text();
            }
            EXPECT_EQ(seen, shown) << keys;
        }

        // Paste and cut keys do nothing.
        retype(field, "12");
        QApplication::clipboard()->setText("77");
        controlKey(field, 'v');
        QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
        controlKey(field, 'x');
        EXPECT_EQ(field->text(), "12");

        // Text that arrives without typing (a paste from the context menu, a drop, a program) ends as a
        // number: the last valid text, 0 for nothing, 255 for more.
        QApplication::clipboard()->setText("abc");
        field->selectAll();
        field->paste();
        EXPECT_EQ(field->text(), "12");
        field->setText("4 2");
        EXPECT_EQ(field->text(), "12");
        field->setText("");
        EXPECT_EQ(field->text(), "0");
        field->setText("99999999999");
        EXPECT_EQ(field->text(), "255");
    }
}

TEST_F(TypingIntoTheForm, BackspaceLeavesZeroAndALeadingZeroSavesAsTheNumber)
{
    clickTrainer(editor.window, 0);
    QLineEdit* level = numberBox("lvl1");
    retype(level, "12");
    QTest::keyClick(level, Qt::Key_Backspace);
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "0");
    QTest::keyClick(level, '5');
    EXPECT_EQ(level->text(), "05");
    QLineEdit* amount = numberBox("itemquant");
    retype(amount, "7");
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_EQ(amount->text(), "0");

    EXPECT_TRUE(saveChanges({{RedFirst.party, 0x05}, {*RedFirst.prizeAmount, 0x00}}));
}

TEST_F(TypingIntoTheForm, KeysThatTypeNoCharacterKeepWorking)
{
    editor.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor.window));
    QLineEdit* level = numberBox("lvl2");
    retype(level, "123");
    QTest::keyClick(level, Qt::Key_Home);
    QTest::keyClick(level, Qt::Key_Delete);
    QTest::keyClick(level, Qt::Key_Right);
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "3");
    QTest::keyClick(level, Qt::Key_End);
    QTest::keyClick(level, '4');
    QTest::keyClick(level, Qt::Key_Left);
    QTest::keyClick(level, '1');
    EXPECT_EQ(level->text(), "255"); // 314 is over the limit

    // Tab walks the keyboard order: the level of member 2, then the species of member 3.
    level->setFocus();
    QTest::keyClick(level, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), editor.window.speciesBox(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), level);
}

TEST_F(TypingIntoTheForm, TheUserListTakesHexadecimalDigitsAsCapitals)
{
    auto* users = list("pkmnno");
    clickTab(editor.window, 1);
    // Made editable here so that what reaches the list can be read back as text.
    users->setEditable(true);
    users->lineEdit()->clear();
    QTest::keyClicks(users, "a1fgZ9B.c");
    EXPECT_EQ(users->lineEdit()->text(), "A1F9BC");
    QApplication::clipboard()->setText("D");
    controlKey(users, 'v');
    EXPECT_EQ(users->lineEdit()->text(), "A1F9BCD");
}
