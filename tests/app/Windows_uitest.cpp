// The windows of one ROM side by side: a save in one is shown in the others, which ask before dropping edits of what
// it changed; closing the program asks once in each window with edits; and the keys people press work in each.

#include "MapIds.h"
#include "UiHarness.h"
#include "history/SaveSettings.h"
#include "maps/Form5.h"
#include "overworld/Form3.h"
#include "patches/Checksum.h"
#include "trainers/Form4.h"

namespace {

struct SideBySide : ::testing::Test
{
    SideBySide() : path(editor.open(rom)) {}

    Form4* parties()
    {
        editor.trigger("mnuParties");
        return editor.window.partiesWindow();
    }

    const SyntheticRom rom{GameVersion::Red};
    EditorUnderTest editor;
    std::string path;
};

} // namespace

// The main window edits the first leader while Trainer Parties saves the same party: Keep Mine keeps the main window's
// level for its own save, Reload shows the file's; an edit of what the save left alone is kept without a question.
TEST_F(SideBySide, ASaveElsewhereKeepsOrReloadsEditsAtTheUsersWord)
{
    const TrainerClass& leader = trainerClass(0);
    const std::int32_t level = LayoutOffsets::Red[0].party;
    Form4* window = parties();
    window->selectParty(leader.number, leader.party);
    clickTrainer(editor.window, 0);
    const QString name = editor.find<QLineEdit>("namebox")->text();
    const struct
    {
        QMessageBox::StandardButton answer;
        const char* mine;
        const char* theirs;
        const char* shown;
    } rounds[] = {{QMessageBox::Yes, "33", "44", "33"}, {QMessageBox::No, "55", "66", "66"}};
    for (const auto& round : rounds) {
        retype(editor.window.levelBox(1), round.mine);
        retype(window->partyRows()->levelBox(1), round.theirs);
        editor.watcher.answers.push_back(round.answer);
        press(window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(editor.watcher.boxes.back().text,
                  "Another window just saved " + name.trimmed() + ", which you have changed here.");
        EXPECT_EQ(fileBytes(path)[static_cast<std::size_t>(level)], QString(round.theirs).toInt());
        EXPECT_EQ(editor.window.levelBox(1)->text(), round.shown);
        EXPECT_EQ(editor.window.hasUnsavedChanges(), round.answer == QMessageBox::Yes);
        if (round.answer == QMessageBox::Yes) {
            editor.trigger("mnuSave");
            EXPECT_EQ(fileBytes(path)[static_cast<std::size_t>(level)], 33);
            EXPECT_EQ(window->partyRows()->levelBox(1)->text(), "33");
        }
    }
    // A name edited here, the party saved there: no question, both kept.
    const std::size_t boxes = editor.watcher.boxes.size();
    clickTrainer(editor.window, 0);
    retype(editor.find<QLineEdit>("namebox"), "ZED");
    retype(window->partyRows()->levelBox(1), "77");
    press(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(editor.watcher.boxes.size(), boxes);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), "ZED");
    EXPECT_EQ(editor.window.levelBox(1)->text(), "77");
}

// Closing the program asks once in each window that has edits, in front of it; Cancel keeps everything open.
TEST_F(SideBySide, ClosingAsksOnceInEveryWindowWithEdits)
{
    clickTrainer(editor.window, 1);
    retype(editor.window.levelBox(1), "21");
    Form4* window = parties();
    window->selectParty(34, 1);
    retype(window->partyRows()->levelBox(1), "22");
    editor.trigger("mnuBattle");
    retype(editor.window.overworldWindow()->levelBox(0), "23");
    editor.trigger("mnuMaps");
    Form5* maps = editor.window.mapsWindow();
    maps->selectMap(MapIds::Route1);
    retype(child<QLineEdit>(maps, "grassrate"), "24");
    editor.watcher.answers = {QMessageBox::Discard, QMessageBox::Discard, QMessageBox::Discard, QMessageBox::Cancel};
    EXPECT_FALSE(editor.window.close());
    ASSERT_EQ(editor.watcher.boxes.size(), 4U);
    EXPECT_EQ(editor.watcher.boxes[0].text, "Save the changes to MISTA?");
    EXPECT_EQ(editor.watcher.boxes[1].text, "Save the changes to the overworld battles?");
    EXPECT_EQ(editor.watcher.boxes[3].text, "Save the changes to Route 1?");
    EXPECT_TRUE(maps->isVisible() && maps->isWindowModified() && !window->isWindowModified());
    editor.watcher.answers = {QMessageBox::Save};
    EXPECT_TRUE(editor.window.close());
    EXPECT_EQ(editor.watcher.boxes.size(), 5U);
    const MapTable now = readMaps(fileBytes(path), profileOf(GameVersion::Red));
    EXPECT_EQ(now.wildOf(MapIds::Route1)->grass.rate, 24);
    EXPECT_EQ(fileBytes(path)[static_cast<std::size_t>(LayoutOffsets::Red[1].party)],
              rom.at(LayoutOffsets::Red[1].party));
}

// Each window is opened once and raised when asked again; the main window's keys work from the others, and Escape
// closes the window it is pressed in.
TEST_F(SideBySide, TheMainWindowsKeysWorkEverywhere)
{
    editor.trigger("mnuBattle");
    Form3* overworld = editor.window.overworldWindow();
    press(overworld, Qt::Key_T, Qt::ControlModifier);
    Form4* window = editor.window.partiesWindow();
    ASSERT_NE(window, nullptr);
    press(window, Qt::Key_M, Qt::ControlModifier);
    Form5* maps = editor.window.mapsWindow();
    ASSERT_NE(maps, nullptr);
    press(maps, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(editor.window.partiesWindow(), window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    press(maps, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(editor.watcher.openDialog.value(0), "Open Pokémon Red, Blue or Yellow ROM...");
    EXPECT_EQ(editor.window.session().path, path);
    press(overworld, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.window.overworldWindow(), nullptr);
    // Another ROM opened: the windows of this one close.
    editor.open(SyntheticRom(GameVersion::Blue), "blue.gb");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.window.partiesWindow() == nullptr && editor.window.mapsWindow() == nullptr);
    EXPECT_EQ(editor.window.windowTitle(), "BLU - Tavrik[*]");
}

// With nothing cut off, every window fits a screen of 1,366 × 768 at scale 1 and of 2,560 × 1,440 at scale 2, the
// smaller of the two in the window's own pixels, title bar and frame included.
TEST_F(SideBySide, EveryWindowFitsTheSmallerScreens)
{
    editor.trigger("mnuBattle");
    editor.trigger("mnuMaps");
    const QSize screen = QSize(1280, 720) - QSize(16, 48);
    for (QWidget* window : std::initializer_list<QWidget*>{
             &editor.window, editor.window.overworldWindow(), parties(), editor.window.mapsWindow()}) {
        EXPECT_TRUE(window->minimumSizeHint().boundedTo(screen) == window->minimumSizeHint() &&
                    window->minimumSize().boundedTo(screen) == window->minimumSize())
            << window->windowTitle().toStdString() << " needs " << window->minimumSizeHint().width() << " × "
            << window->minimumSizeHint().height();
    }
}

// Edit > Undo and Redo walk a window's unsaved edits, typing in one box as one step, with the focus in the box too.
TEST_F(SideBySide, UndoAndRedoWalkEachWindowsEdits)
{
    clickTrainer(editor.window, 0);
    QLineEdit* level = editor.window.levelBox(1);
    const QString loaded = level->text();
    level->setFocus();
    retype(level, "33");
    editor.window.speciesBox(2)->setCurrentIndex(7);
    press(&editor.window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.window.speciesBox(2)->currentIndex(), rom.at(LayoutOffsets::Red[0].party + 3));
    EXPECT_EQ(level->text(), "33");
    level->setFocus();
    press(&editor.window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(level->text(), loaded);
    EXPECT_FALSE(editor.window.hasUnsavedChanges());
    press(&editor.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(level->text(), "33");

    Form4* window = parties();
    window->selectParty(34, 1);
    auto* undo = child<QAction>(window, "mnuUndo");
    EXPECT_FALSE(undo->isEnabled());
    retype(window->partyRows()->levelBox(1), "50");
    EXPECT_EQ(undo->text(), "Undo Typing");
    press(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(window->hasUnsavedChanges());
    EXPECT_EQ(fileBytes(path), rom.bytes());
}

// Past a window's unsaved edits, Edit > Undo and Redo walk the ROM's saves: thirty saves of Trainer Parties undone
// one by one give back the original file, redone give the edited one, every window following the file; an undo of
// bytes another program changed since is refused and writes nothing.
TEST_F(SideBySide, UndoAndRedoWalkTheSavesOfTheRom)
{
    Form4* window = parties();
    constexpr int Saves = 30;
    QString loaded;
    Bytes beforeLast;
    for (int classNumber = 1; classNumber <= Saves; ++classNumber) {
        beforeLast = fileBytes(path);
        window->selectParty(classNumber, 1);
        QLineEdit* level = window->partyRows()->levelBox(1);
        loaded = level->text();
        retype(level, loaded == "77" ? "78" : "77");
        press(window, Qt::Key_S, Qt::ControlModifier);
    }
    const Bytes edited = fileBytes(path);
    ASSERT_NE(edited, rom.bytes());
    auto* undo = child<QAction>(window, "mnuUndo");
    EXPECT_TRUE(undo->text().startsWith("Undo the save of ")) << undo->text().toStdString();
    auto* status = window->findChild<QStatusBar*>();
    for (int k = 0; k < Saves; ++k) {
        press(window, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(status->currentMessage().startsWith("Undid the save of "))
            << status->currentMessage().toStdString();
    }
    EXPECT_EQ(fileBytes(path), rom.bytes());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(window->partyRows()->levelBox(1)->text(), loaded);
    for (int k = 0; k < Saves; ++k) {
        press(&editor.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    EXPECT_EQ(fileBytes(path), edited);
    EXPECT_EQ(window->partyRows()->levelBox(1)->text(), loaded == "77" ? "78" : "77");

    // Another program writes where the newest save wrote: the undo says why and leaves the file as it is.
    Bytes changed = edited;
    const auto at = std::mismatch(changed.begin(), changed.end(), beforeLast.begin()).first;
    *at = static_cast<std::uint8_t>(*at + 1);
    editor.dir.writeBytes(changed, "test.gb");
    const std::size_t boxes = editor.watcher.boxes.size();
    press(window, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(editor.watcher.boxes.size(), boxes + 1);
    EXPECT_EQ(fileBytes(path), changed);
}

// With "Keep the global checksum right" on, a window's save writes the two bytes as well and its note says so; the
// undo of that save restores them with the rest.
TEST_F(SideBySide, ASaveKeepsTheGlobalChecksumRightWhenAsked)
{
    setKeepGlobalChecksum(true);
    Form4* window = parties();
    window->selectParty(34, 1);
    retype(window->partyRows()->levelBox(1), "61");
    press(window, Qt::Key_S, Qt::ControlModifier);
    const auto sums = cartridgeChecksums(fileBytes(path));
    ASSERT_TRUE(sums.has_value());
    EXPECT_TRUE(sums->globalRight());
    EXPECT_TRUE(child<QLabel>(window, "notes")->text().contains("The global checksum was written too."));
    press(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fileBytes(path), rom.bytes());
}
