// The main window before any ROM is opened, File > Open ROM through the real dialog for each version,
// a cancel and an unsupported file, and the About window that locks the main window while shown.

#include "UiHarness.h"
#include "app/Form2.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
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

const QString YellowNote = "Support for editing the special moves in Pokémon Yellow will be coming soon!";

// Nothing that needs a ROM can be reached; after a ROM was open, its frames and rows are hidden too.
void expectEditorOff(EditorUnderTest& editor, bool afterRom = true)
{
    EXPECT_FALSE(editor.window.session().loaded());
    EXPECT_EQ(editor.window.windowTitle(), "Tavrik");
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->count(), 0);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), "");
    EXPECT_EQ(editor.find<QLabel>("headr")->text(), "");
    EXPECT_FALSE(editor.find<QGroupBox>("Frame3")->isEnabled());
    EXPECT_FALSE(editor.find<QGroupBox>("Frame1")->isEnabled());
    EXPECT_FALSE(editor.find<QTabWidget>("SSTab1")->isEnabled());
    EXPECT_FALSE(menuAction(&editor.window, "mnuSave")->isEnabled());
    EXPECT_FALSE(menuAction(&editor.window, "mnuBattle")->isEnabled());
    if (afterRom) {
        EXPECT_TRUE(editor.find<QGroupBox>("frmmove")->isHidden());
        EXPECT_TRUE(editor.find<QGroupBox>("frmprize")->isHidden());
        EXPECT_TRUE(editor.window.speciesBox(1)->isHidden());
    }
}

} // namespace

TEST(MainWindow, StartsWithTheEditorSwitchedOff)
{
    EditorUnderTest editor;
    for (const char* name : ControlNames) {
        EXPECT_NE(editor.find<QWidget>(name), nullptr) << name;
    }
    expectEditorOff(editor, false);
    EXPECT_TRUE(editor.find<QGroupBox>("Frame2")->isEnabled());
    // Under each party control lies a greyed placeholder: Combo6 and Text6 under member 1, then 1 to 5.
    for (int member = 1; member <= 6; ++member) {
        const QString number = QString::number((member + 4) % 6 + 1);
        const auto* species = editor.window.findChild<QComboBox*>("Combo" + number);
        const auto* level = editor.window.findChild<QLineEdit*>("Text" + number);
        EXPECT_FALSE(species->isEnabled() || level->isEnabled()) << member;
        EXPECT_EQ(species->geometry(), editor.window.speciesBox(member)->geometry());
        EXPECT_EQ(level->geometry(), editor.window.levelBox(member)->geometry());
    }

    const std::tuple<const char*, const char*, const char*, bool> menus[] = {
        {"mnuOpen", "Open ROM...", "Ctrl+O", true},
        {"mnuSave", "Save ROM", "Ctrl+S", false},
        {"mnuExit", "Exit", "Ctrl+Q", true},
        {"mnuBattle", "Overworld Battle Editor", "", false},
        {"mnuAbout", "About...", "", true}};
    for (const auto& [name, text, shortcut, enabled] : menus) {
        QAction* action = menuAction(&editor.window, name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), text);
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(shortcut)));
        EXPECT_EQ(action->isEnabled(), enabled);
    }
    QTest::keyClick(&editor.window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(editor.watcher.boxes().empty());
}

TEST(MainWindow, TheAboutWindowLocksTheMainWindowUntilItCloses)
{
    EditorUnderTest editor;
    for (const bool byOk : {true, false}) {
        menuAction(&editor.window, "mnuAbout")->trigger();
        Form2* about = editor.window.aboutWindow();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), "About Tavrik");
        EXPECT_EQ(child<QLabel>(about, "Label1")->text(), "Tavrik v1.0.1");
        // The main window is locked, while the About window (not a child of it) still takes input.
        EXPECT_FALSE(editor.window.isEnabled());
        EXPECT_TRUE(about->isVisible() && about->isWindow() && about->isEnabled());
        if (byOk) {
            QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton);
        } else {
            about->close();
        }
        EXPECT_TRUE(editor.window.isEnabled()) << (byOk ? "OK" : "close box");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// One window opens the versions one after another: each open refills the lists and sets the note anew.
TEST(OpenRom, EachVersionSwitchesTheEditorOnAndACancelSwitchesItOff)
{
    const std::tuple<GameVersion, const char*, const char*> versions[] = {
        {GameVersion::Yellow, "YEL - Tavrik", "Pokémon Yellow"},
        {GameVersion::Red, "RED - Tavrik", "Pokémon Red"},
        {GameVersion::Blue, "BLU - Tavrik", "Pokémon Blue"}};
    EditorUnderTest editor;
    for (const auto& [version, caption, header] : versions) {
        SCOPED_TRACE(caption);
        editor.open(SyntheticRom(version));
        const bool yellow = version == GameVersion::Yellow;
        EXPECT_TRUE(editor.watcher.boxes().empty());
        EXPECT_EQ(editor.window.windowTitle(), caption);
        EXPECT_EQ(editor.find<QLabel>("headr")->text(), header);
        EXPECT_EQ(editor.find<QGroupBox>("frmmove")->isHidden(), yellow);
        EXPECT_EQ(editor.find<QLabel>("info")->text(), yellow ? YellowNote : QString());
        EXPECT_TRUE(editor.find<QGroupBox>("Frame3")->isEnabled() && editor.find<QGroupBox>("Frame1")->isEnabled());
        EXPECT_TRUE(editor.find<QTabWidget>("SSTab1")->isEnabled());
        EXPECT_TRUE(menuAction(&editor.window, "mnuSave")->isEnabled());
        EXPECT_TRUE(menuAction(&editor.window, "mnuBattle")->isEnabled());

        // The roster shows the ten characters of each name, and nothing is picked yet.
        auto* roster = editor.find<QListWidget>("trainerlst");
        ASSERT_EQ(roster->count(), 12);
        for (int row = 0; row < 12; ++row) {
            EXPECT_EQ(roster->item(row)->text(),
                      QString::fromStdString(SyntheticRom::trainerName(row)).leftJustified(10));
        }
        EXPECT_EQ(roster->currentRow(), -1);
        // Species: position = byte, headed by the placeholder for byte 0. Moves and items: position + 1.
        for (int member = 1; member <= 6; ++member) {
            EXPECT_EQ(editor.window.speciesBox(member)->count(), 191) << member;
        }
        EXPECT_EQ(editor.window.speciesBox(1)->itemText(0), "MISSINGNO.");
        EXPECT_EQ(editor.window.speciesBox(6)->itemText(190), QString::fromStdString(SyntheticRom::speciesName(190)));
        auto* moves = editor.find<QComboBox>("attacklst");
        ASSERT_EQ(moves->count(), SyntheticRom::MoveCount);
        EXPECT_EQ(moves->itemText(0), QString::fromStdString(SyntheticRom::moveName(1)));
        auto* items = editor.find<QComboBox>("itemlst");
        const int fromRom = SyntheticRom::ItemCount;
        ASSERT_EQ(items->count(), fromRom + 114 + 55);
        EXPECT_EQ(items->itemText(fromRom - 1), QString::fromStdString(SyntheticRom::itemName(fromRom)));
        EXPECT_EQ(items->itemText(fromRom), "?????");
        EXPECT_EQ(items->itemText(fromRom + 113), "?????");
        EXPECT_EQ(items->itemText(fromRom + 114), "HM01");
        EXPECT_EQ(items->itemText(fromRom + 119), "TM01");
        EXPECT_EQ(items->itemText(items->count() - 1), "TM50");
    }

    clickTrainer(editor.window, 2);
    ASSERT_FALSE(editor.find<QLineEdit>("namebox")->text().isEmpty());
    openRom(editor.window, "", editor.watcher);
    EXPECT_EQ(editor.watcher.openDialogs(), 4);
    EXPECT_TRUE(editor.watcher.boxes().empty());
    expectEditorOff(editor);
}

TEST(OpenRom, ALowerCaseOrUnknownVersionCodeIsUnsupported)
{
    for (const char* code : {"red", "BLV"}) {
        SCOPED_TRACE(code);
        EditorUnderTest editor;
        editor.open(SyntheticRom(GameVersion::Red), "good.gb");
        clickTrainer(editor.window, 0);
        SyntheticRom rom(GameVersion::Red);
        rom.setVersionCode(code);
        const std::string path = editor.open(rom, "rom.gb");

        ASSERT_EQ(editor.watcher.boxes().size(), 1u);
        const SeenBox& box = editor.watcher.boxes().front();
        EXPECT_EQ(box.title, "Tavrik");
        EXPECT_EQ(box.text, "Unsupported ROM!");
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        expectEditorOff(editor);
        EXPECT_EQ(readWholeFile(path), rom.bytes());
    }
}

TEST(OpenRom, TheDialogAsksForAGameBoyRomAndListsGbAndGbcFilesInAnyCase)
{
    EditorUnderTest editor;
    for (const char* name : {"a.gb", "b.gbc", "C.GB", "D.GBC", "e.Gbc", "f.gba", "g.txt", "gb", "h.gb.bak"}) {
        editor.dir.writeBytes({0}, name);
    }
    openRom(editor.window, "", editor.watcher);

    EXPECT_EQ(editor.watcher.openDialogTitle(), "Open Pokémon Red, Blue or Yellow ROM...");
    EXPECT_EQ(editor.watcher.openDialogShownFilter(), "GB ROMs (*.gb)");
    const QStringList filters = editor.watcher.openDialogFilters();
    ASSERT_EQ(filters.size(), 1);
    // The dialog matches the patterns in the filter's last parentheses.
    const QRegularExpressionMatch patterns = QRegularExpression(R"(\(([^()]*)\)$)").match(filters.front());
    ASSERT_TRUE(patterns.hasMatch()) << filters.front().toStdString();
    const QDir folder(QString::fromStdString(editor.dir.path().string()));
    EXPECT_EQ(folder.entryList(
                  patterns.captured(1).split(' ', Qt::SkipEmptyParts), QDir::Files | QDir::CaseSensitive, QDir::Name),
              (QStringList{"C.GB", "D.GBC", "a.gb", "b.gbc", "e.Gbc"}));
}
