// The main window before any ROM is opened (the start page), every way of opening one (the dialog, the command
// line, a drop), a cancel, Close ROM, and the About window that locks the main window while shown.

#include "UiHarness.h"
#include "app/Form2.h"

namespace {

// Nothing that needs a ROM can be reached.
void expectEditorOff(EditorUnderTest& editor)
{
    EXPECT_FALSE(editor.window.session().loaded());
    EXPECT_EQ(editor.window.windowTitle() + editor.find<QLabel>("headr")->text(), "Tavrik[*]");
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->count(), 0);
    EXPECT_FALSE(editor.find<QGroupBox>("Frame3")->isEnabled() || editor.find<QGroupBox>("Frame1")->isEnabled());
    EXPECT_FALSE(editor.find<QTabWidget>("SSTab1")->isEnabled());
    EXPECT_FALSE(editor.find<QAction>("mnuSave")->isEnabled() || editor.find<QAction>("mnuBattle")->isEnabled() ||
                 editor.find<QAction>("mnuPlay")->isEnabled());
    EXPECT_EQ(editor.find<QStackedWidget>("pages")->currentWidget()->objectName(), "startpage");
}

// Drags a file over the window and drops it; true when the window took it.
bool drop(Form1& window, const std::string& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    return enter.isAccepted() && QCoreApplication::sendEvent(&window, &dropped);
}

} // namespace

TEST(MainWindow, StartsWithTheEditorSwitchedOffAndTheAboutWindowLocksIt)
{
    EditorUnderTest editor;
    expectEditorOff(editor);
    for (const bool byOk : {true, false}) {
        editor.trigger("mnuAbout");
        Form2* about = editor.window.aboutWindow();
        // The main window is locked, while the About window (not a child of it) still takes input.
        EXPECT_FALSE(editor.window.isEnabled());
        EXPECT_TRUE(about->isVisible() && about->isEnabled());
        byOk ? QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton) : (void)about->close();
        EXPECT_TRUE(editor.window.isEnabled());
    }
}

// One window opens the versions one after another, each by another way in; each open refills the lists.
TEST(OpenRom, EveryWayInSwitchesTheEditorOnAndACancelKeepsTheRomOpen)
{
    EditorUnderTest editor;
    const std::tuple<GameVersion, std::string, const char*> ways[] = {
        {GameVersion::Yellow, "dialog", "YEL - Tavrik[*]Pokémon Yellow"},
        {GameVersion::Red, "command line", "RED - Tavrik[*]Pokémon Red"},
        {GameVersion::Blue, "drop", "BLU - Tavrik[*]Pokémon Blue"}};
    for (const auto& [version, way, captions] : ways) {
        SCOPED_TRACE(way);
        const std::string path = editor.dir.write(SyntheticRom(version), way + ".GBC");
        if (way == "dialog") {
            editor.watcher.openAnswers.push_back(path);
            editor.trigger("mnuOpen");
            // The dialog asks for a Game Boy ROM and lists .gb and .gbc files in any letter case: it matches
            // the patterns in its filter's last parentheses.
            const QStringList dialog = editor.watcher.openDialog;
            EXPECT_EQ(dialog.mid(0, 2).join('|'), "Open Pokémon Red, Blue or Yellow ROM...|GB ROMs (*.gb)");
            for (const char* name : {"b.gb", "C.GB", "D.gbC", "f.gba", "g.txt", "h.gb.bak"}) {
                editor.dir.writeBytes({0}, name);
            }
            const QString patterns = QRegularExpression(R"(\(([^()]*)\)$)").match(dialog.back()).captured(1);
            EXPECT_EQ(QDir(QString::fromStdString(editor.dir.file("")))
                          .entryList(patterns.split(' '), QDir::Files | QDir::CaseSensitive, QDir::Name),
                      (QStringList{"C.GB", "D.gbC", "b.gb", "dialog.GBC"}));
        } else if (way == "command line") {
            editor.window.openRomFile(QString::fromStdString(path));
        } else {
            EXPECT_TRUE(drop(editor.window, path));
        }
        const bool yellow = version == GameVersion::Yellow;
        EXPECT_TRUE(editor.watcher.boxes.empty());
        EXPECT_EQ(editor.window.windowTitle() + editor.find<QLabel>("headr")->text(), captions);
        EXPECT_EQ(editor.find<QGroupBox>("frmmove")->isHidden(), yellow);
        // Yellow's custom moves where Red and Blue have the champion's.
        EXPECT_EQ(editor.find<QGroupBox>("frmcustom")->isHidden(), !yellow);
        EXPECT_EQ(editor.find<QGroupBox>("frmchampion")->isHidden(), yellow);
        EXPECT_TRUE(editor.find<QGroupBox>("Frame6")->isHidden());
        EXPECT_TRUE(editor.find<QTabWidget>("SSTab1")->isEnabled() && editor.find<QAction>("mnuSave")->isEnabled() &&
                    editor.find<QGroupBox>("Frame1")->isEnabled() && editor.find<QAction>("mnuPlay")->isEnabled());
        EXPECT_EQ(editor.find<QStackedWidget>("pages")->currentWidget()->objectName(), "editorpage");
        auto* roster = editor.find<QListWidget>("trainerlst");
        EXPECT_EQ(roster->item(11)->text(), QString::fromStdString(SyntheticRom::trainerName(11)).leftJustified(10));
        EXPECT_EQ(roster->count() + roster->currentRow(), 11);
        // Species: position = byte, headed by the placeholder for byte 0. Moves and items: position + 1.
        EXPECT_EQ(editor.window.speciesBox(6)->count(), 191);
        EXPECT_EQ(editor.window.speciesBox(6)->itemText(190), QString::fromStdString(SyntheticRom::speciesName(190)));
        EXPECT_EQ(editor.find<QComboBox>("attacklst")->itemText(SyntheticRom::MoveCount - 1),
                  QString::fromStdString(SyntheticRom::moveName(SyntheticRom::MoveCount)));
        auto* items = editor.find<QComboBox>("itemlst");
        ASSERT_EQ(items->count(), 250);
        EXPECT_EQ(items->itemText(82) + items->itemText(194) + items->itemText(195) + items->itemText(249),
                  QString::fromStdString(SyntheticRom::itemName(83)) + "?????HM01TM50");
    }
    EXPECT_FALSE(drop(editor.window, editor.dir.writeBytes({0}, "notes.txt")));
    // A cancelled dialog leaves the ROM open, with the trainer picked; File > Close ROM (Ctrl+W) closes it.
    clickTrainer(editor.window, 3);
    editor.trigger("mnuOpen");
    EXPECT_TRUE(editor.watcher.boxes.empty());
    EXPECT_EQ(editor.window.windowTitle(), "BLU - Tavrik[*]");
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), 3);
    press(&editor.window, Qt::Key_W, Qt::ControlModifier);
    expectEditorOff(editor);
    EXPECT_TRUE(editor.window.speciesBox(1)->isHidden());
}
