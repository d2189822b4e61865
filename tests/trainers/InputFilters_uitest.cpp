// Typing into the trainer form: the number boxes take digits only and always hold 0..255, whatever
// reaches them; the special-move user list takes hexadecimal digits.

#include "UiHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

// Entry 7 of Red has five party members, so five level boxes are in view.
constexpr int FiveMembers = 7;

const char* const NumberBoxes[] = {"lvl1", "lvl2", "lvl3", "lvl4", "lvl5", "itemquant"};

} // namespace

class InputFilters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = editor.open(SyntheticRom(GameVersion::Red));
        clickTrainer(editor.window, FiveMembers);
    }

    QLineEdit* box(const char* name)
    {
        // The prize amount is on the second tab.
        clickTab(editor.window, std::string_view(name) == "itemquant" ? 1 : 0);
        return editor.find<QLineEdit>(name);
    }

    EditorUnderTest editor;
    std::string path;
};

TEST_F(InputFilters, NumberBoxesHoldWhatIsTypedUpTo255)
{
    struct Case
    {
        const char* keys;
        QStringList shown; // after each key
    };
    const Case cases[] = {{"300", {"3", "30", "255"}},
                          {"256", {"2", "25", "255"}},
                          {"255", {"2", "25", "255"}},
                          {"007", {"0", "00", "007"}},
                          {"9a-", {"9", "9", "9"}},
                          {" .+", {"0", "0", "0"}},
                          {"1e5", {"1", "1", "15"}}};
    for (const char* name : NumberBoxes) {
        QLineEdit* field = box(name);
        for (const Case& item : cases) {
            SCOPED_TRACE(std::string(name) + " typing " + item.keys);
            // The first key replaces the whole text.
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
            QTest::keyClick(field, Qt::Key_Delete);
            ASSERT_EQ(field->text(), "0");
            QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
            QStringList shown;
            for (const char* key = item.keys; *key != '\0'; ++key) {
                QTest::keyClick(field, *key);
                shown << field->text();
            }
            EXPECT_EQ(shown, item.shown);
        }
    }
}

TEST_F(InputFilters, DeletingTheLastDigitLeavesZeroAndALeadingZeroSavesAsTheNumber)
{
    clickTrainer(editor.window, 0);
    QLineEdit* level = box("lvl1");
    retype(level, "12");
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "1");
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "0");
    QTest::keyClick(level, '5');
    EXPECT_EQ(level->text(), "05");

    QLineEdit* amount = box("itemquant");
    retype(amount, "7");
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_EQ(amount->text(), "0");

    const Bytes before = readWholeFile(path);
    editor.save();
    // Red, first trainer: level 1 at 0x3A3B6, prize amount at 0x5C3EC.
    EXPECT_TRUE(changedExactly(before, readWholeFile(path), {{0x3A3B6, 0x05}, {0x5C3EC, 0x00}}));
}

TEST_F(InputFilters, ClipboardKeysDoNothingInANumberBox)
{
    QApplication::clipboard()->setText("77");
    // The name box shows that the clipboard works here.
    auto* name = editor.find<QLineEdit>("namebox");
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClick(name, Qt::Key_Home, Qt::ShiftModifier);
    controlKey(name, 'v');
    ASSERT_EQ(name->text(), "77");

    for (const char* boxName : NumberBoxes) {
        SCOPED_TRACE(boxName);
        QLineEdit* field = box(boxName);
        retype(field, "12");
        controlKey(field, 'v');
        EXPECT_EQ(field->text(), "12");
        QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
        controlKey(field, 'x');
        EXPECT_EQ(field->text(), "12");
    }
}

TEST_F(InputFilters, TextThatArrivesWithoutTypingEndsAsANumber)
{
    for (const char* boxName : NumberBoxes) {
        SCOPED_TRACE(boxName);
        QLineEdit* field = box(boxName);
        retype(field, "42");

        // A paste from the context menu, a drop, or a program setting the text.
        QApplication::clipboard()->setText("abc");
        field->selectAll();
        field->paste();
        EXPECT_EQ(field->text(), "42");
        field->end(false);
        field->insert("-1");
        EXPECT_EQ(field->text(), "42");
        field->setText("4 2");
        EXPECT_EQ(field->text(), "42");
        QApplication::clipboard()->setText("300");
        field->selectAll();
        field->paste();
        EXPECT_EQ(field->text(), "255");
        field->setText("");
        EXPECT_EQ(field->text(), "0");
        field->setText("99999999999");
        EXPECT_EQ(field->text(), "255");
        field->setText("17");
        EXPECT_EQ(field->text(), "17");
    }
}

TEST_F(InputFilters, KeysThatTypeNoCharacterKeepWorking)
{
    editor.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor.window));
    for (const char* boxName : {"lvl2", "itemquant"}) {
        SCOPED_TRACE(boxName);
        QLineEdit* field = box(boxName);
        retype(field, "123");
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(field->text(), "23");
        QTest::keyClick(field, Qt::Key_Right);
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), "3");
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, '4');
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, '1');
        // "314" is over the limit.
        EXPECT_EQ(field->text(), "255");
    }

    // Tab walks the keyboard order: the level of member 2, then the species of member 3.
    QLineEdit* level = box("lvl2");
    level->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), level);
    QTest::keyClick(level, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), editor.window.speciesBox(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), level);
}

TEST_F(InputFilters, TheUserListTakesHexadecimalDigits)
{
    auto* users = editor.find<QComboBox>("pkmnno");
    clickTab(editor.window, 1);
    ASSERT_EQ(users->count(), 5);

    // The list picks by the first letter typed: letters beyond F do not arrive, A-F do.
    SyntheticRom rom(GameVersion::Red);
    const char* const names[] = {"GAMMA", "BRAVO", "HOTEL", "ECHO", "ALPHA"};
    for (int member = 0; member < 5; ++member) {
        // Red's species names are 10-byte records from 0x1C21E; member k of entry 7 gets species 10 + k.
        rom.putText(0x1C21E + 10 * (10 + member - 1), names[member], true);
        rom.set(0x3A291 + 2 * member + 1, static_cast<std::uint8_t>(10 + member));
    }
    rom.set(0x39D30, 3);
    path = editor.open(rom, "named.gb");
    clickTrainer(editor.window, FiveMembers);
    ASSERT_EQ(users->currentText(), "ECHO");

    struct Step
    {
        char key;
        const char* selected;
    };
    const Step steps[] = {{'g', "ECHO"}, {'b', "BRAVO"}, {'h', "BRAVO"}, {'a', "ALPHA"}, {'e', "ECHO"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key);
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClick(users, step.key);
        EXPECT_EQ(users->currentText(), step.selected);
    }
}

TEST_F(InputFilters, TheUserListEntersLowerCaseHexLettersAsCapitals)
{
    // Made editable here so that what reaches the list can be read back as text.
    auto* users = editor.find<QComboBox>("pkmnno");
    clickTab(editor.window, 1);
    users->setEditable(true);
    users->lineEdit()->clear();
    QTest::keyClicks(users, "a1fgz9B.c");
    EXPECT_EQ(users->lineEdit()->text(), "A1F9BC");

    QApplication::clipboard()->setText("D");
    controlKey(users, 'v');
    EXPECT_EQ(users->lineEdit()->text(), "A1F9BCD");
}
