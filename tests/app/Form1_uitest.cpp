// The main window before any ROM is opened, its menus, and the About window that locks it while shown.

#include "UiHarness.h"
#include "app/Form2.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// Every control the other windows and the user's scripts rely on by name.
const char* const ControlNames[] = {
    "Image1", "Frame3", "trainerlst", "namebox",  "SSTab1",  "Frame1", "headr",     "Frame2", "Label1",  "pkmn1",
    "pkmn2",  "pkmn3",  "pkmn4",      "pkmn5",    "pkmn6",   "lvl1",   "lvl2",      "lvl3",   "lvl4",    "lvl5",
    "lvl6",   "Combo1", "Combo2",     "Combo3",   "Combo4",  "Combo5", "Combo6",    "Text1",  "Text2",   "Text3",
    "Text4",  "Text5",  "Text6",      "frmprize", "itemlst", "Label3", "itemquant", "Frame7", "frmmove", "attacklst",
    "Label2", "pkmnno", "Label5",     "Frame8",   "Frame6",  "info",   "Label4"};

// The greyed placeholder that shows where a party member's control is hidden.
const std::pair<const char*, const char*> Placeholders[] = {{"Combo6", "pkmn1"},
                                                            {"Combo1", "pkmn2"},
                                                            {"Combo2", "pkmn3"},
                                                            {"Combo3", "pkmn4"},
                                                            {"Combo4", "pkmn5"},
                                                            {"Combo5", "pkmn6"},
                                                            {"Text6", "lvl1"},
                                                            {"Text1", "lvl2"},
                                                            {"Text2", "lvl3"},
                                                            {"Text3", "lvl4"},
                                                            {"Text4", "lvl5"},
                                                            {"Text5", "lvl6"}};

} // namespace

TEST(MainWindow, StartsWithTheEditorSwitchedOff)
{
    Form1 window;
    window.show();

    for (const char* name : ControlNames) {
        SCOPED_TRACE(name);
        EXPECT_NE(child<QWidget>(&window, name), nullptr);
    }
    EXPECT_EQ(window.windowTitle(), "Tavrik");
    EXPECT_FALSE(child<QGroupBox>(&window, "Frame3")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>(&window, "Frame1")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>(&window, "Frame2")->isEnabled());
    EXPECT_EQ(child<QListWidget>(&window, "trainerlst")->count(), 0);
    EXPECT_EQ(child<QLineEdit>(&window, "namebox")->text(), "");
    EXPECT_EQ(child<QLabel>(&window, "headr")->text(), "");
    EXPECT_EQ(child<QTabWidget>(&window, "SSTab1")->currentIndex(), 0);
    for (const char* list : {"pkmn1", "pkmn6", "attacklst", "itemlst", "pkmnno"}) {
        SCOPED_TRACE(list);
        EXPECT_EQ(child<QComboBox>(&window, list)->count(), 0);
    }
    for (const auto& [placeholder, member] : Placeholders) {
        SCOPED_TRACE(placeholder);
        const QWidget* below = child<QWidget>(&window, placeholder);
        const QWidget* above = child<QWidget>(&window, member);
        EXPECT_FALSE(below->isEnabled());
        EXPECT_EQ(below->parentWidget(), above->parentWidget());
        EXPECT_EQ(below->geometry(), above->geometry());
        EXPECT_EQ(below->metaObject(), above->metaObject());
    }

    struct MenuItem
    {
        const char* name;
        const char* text;
        const char* shortcut;
        bool enabled;
    };
    const MenuItem items[] = {{"mnuOpen", "Open ROM...", "Ctrl+O", true},
                              {"mnuSave", "Save ROM", "Ctrl+S", false},
                              {"mnuExit", "Exit", "Ctrl+Q", true},
                              {"mnuBattle", "Overworld Battle Editor", "", false},
                              {"mnuAbout", "About...", "", true}};
    for (const MenuItem& item : items) {
        SCOPED_TRACE(item.name);
        QAction* action = menuAction(&window, item.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), item.text);
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
        EXPECT_EQ(action->isEnabled(), item.enabled);
    }
}

TEST(MainWindow, SaveBeforeAnyOpenDoesNothing)
{
    EditorUnderTest editor;
    QTest::keyClick(&editor.window, Qt::Key_S, Qt::ControlModifier);
    editor.save();
    EXPECT_TRUE(editor.watcher.boxes().empty());
    EXPECT_EQ(editor.watcher.openDialogs(), 0);
    EXPECT_EQ(editor.window.windowTitle(), "Tavrik");
}

class AboutWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.show();
        menuAction(&window, "mnuAbout")->trigger();
        about = window.aboutWindow();
        ASSERT_NE(about, nullptr);
    }

    Form1 window;
    QPointer<Form2> about;
};

TEST_F(AboutWindow, ShowsOnItsOwnAndLocksTheMainWindow)
{
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Tavrik");
    EXPECT_EQ(child<QLabel>(about, "Label1")->text(), "Tavrik v1.0.1");
    EXPECT_EQ(child<QLabel>(about, "Label3")->text(),
              "A tool to edit various aspects of the Gym and Elite Four battles in Pokémon Red, Blue and Yellow "
              "ROMs, plus the opportunity to edit overworld Pokémon Battles.");

    // The main window is locked, while the About window (not a child of it) still takes input.
    EXPECT_FALSE(window.isEnabled());
    EXPECT_TRUE(about->isWindow());
    EXPECT_TRUE(about->isEnabled());
}

TEST_F(AboutWindow, OkOrTheCloseBoxUnlocksTheMainWindow)
{
    QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull() || !about->isVisible());
    EXPECT_TRUE(window.isEnabled());

    menuAction(&window, "mnuAbout")->trigger();
    ASSERT_NE(window.aboutWindow(), nullptr);
    EXPECT_FALSE(window.isEnabled());
    window.aboutWindow()->close();
    EXPECT_TRUE(window.isEnabled());
}

TEST(AboutWindowLock, LockedMainWindowIgnoresClicksAndKeys)
{
    EditorUnderTest editor;
    editor.open(SyntheticRom(GameVersion::Red));
    menuAction(&editor.window, "mnuAbout")->trigger();
    ASSERT_FALSE(editor.window.isEnabled());

    clickTrainer(editor.window, 3);
    QTest::keyClick(editor.find<QListWidget>("trainerlst"), Qt::Key_Down);
    QTest::keyClick(&editor.window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), -1);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), "");
    EXPECT_EQ(editor.watcher.openDialogs(), 1);

    QTest::mouseClick(child<QPushButton>(editor.window.aboutWindow(), "Command1"), Qt::LeftButton);
    clickTrainer(editor.window, 3);
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), 3);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), QString::fromStdString(SyntheticRom::trainerName(3)));
}
