// Test in Emulator and tavrik --play, with a stand-in emulator that logs each start: the arguments and the
// folder it runs in, the emulator outliving the window, the question about unsaved edits first, the emulator
// offered or asked for the first time, and a command that cannot start.

#include "UiHarness.h"
#include "app/Emulator.h"
#include "app/EmulatorCommand.h"
#include "app/EmulatorDialog.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

struct TestInEmulator : ::testing::Test
{
    // A program of that name in the editor's folder that logs "folder|argument|...|" once it runs, then, a
    // moment later, its parent's process number.
    std::string emulator(const std::string& name = "emu")
    {
        const std::string log = editor.dir.file("starts.log");
        std::ofstream(editor.dir.file(name))
            << "#!/bin/sh\n{ printf '%s|' \"$PWD\" \"$@\"; echo; } >> '" << log << "'\n/bin/sleep 0.3\n{ echo $PPID > '"
            << editor.dir.file("parent") << "'; } 2>/dev/null\n";
        std::filesystem::permissions(editor.dir.file(name), std::filesystem::perms::owner_all);
        return editor.dir.file(name);
    }
    // Each start logged so far, waiting a moment for the ones just made.
    std::vector<std::string> starts(std::size_t expected)
    {
        std::vector<std::string> lines;
        (void)QTest::qWaitFor(
            [&] {
                std::ifstream log(editor.dir.file("starts.log"));
                lines.clear();
                for (std::string line; std::getline(log, line);) {
                    lines.push_back(line);
                }
                return lines.size() >= expected;
            },
            5000);
        return lines;
    }
    std::string started(const std::string& arguments) { return editor.dir.path.string() + "|" + arguments; }

    EditorUnderTest editor;
};

struct PathVariable
{
    explicit PathVariable(const std::string& path) : saved(qgetenv("PATH")) { qputenv("PATH", path.c_str()); }
    ~PathVariable() { qputenv("PATH", saved); }
    QByteArray saved;
};

} // namespace

TEST_F(TestInEmulator, StartsTheEmulatorOnTheRomDetachedFromTheWindow)
{
    const std::string emu = emulator("my emu");
    const std::string rom = editor.open(SyntheticRom(GameVersion::Yellow));
    setEmulatorSetting(QString::fromStdString(commandOf(emu)));
    editor.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor.window));
    QTest::keyClick(&editor.window, Qt::Key_F5);
    setEmulatorSetting(QString::fromStdString(commandOf(emu) + " --scale 2 --rom=%f 'two words'"));
    editor.trigger("mnuPlay");
    EXPECT_EQ(starts(2),
              (std::vector<std::string>{started(rom + "|"), started("--scale|2|--rom=" + rom + "|two words|")}));
    EXPECT_TRUE(editor.watcher.boxes.empty());
    // Neither a child of Tavrik nor ended with its window.
    std::filesystem::remove(editor.dir.file("parent"));
    editor.window.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(editor.dir.file("parent")); }, 5000));
    std::ifstream parent(editor.dir.file("parent"));
    pid_t parentId = 0;
    parent >> parentId;
    EXPECT_NE(parentId, ::getpid());
}

TEST_F(TestInEmulator, SettlesUnsavedEditsFirstAndCancelStartsNothing)
{
    setEmulatorSetting(QString::fromStdString(emulator()));
    const SyntheticRom rom(GameVersion::Red);
    const std::string path = editor.open(rom);
    clickTrainer(editor.window, 1);
    retype(editor.window.levelBox(1), "77");
    editor.trigger("mnuPlay");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to MISTA?");
    EXPECT_EQ(editor.window.levelBox(1)->text(), "77");
    // Discard: the emulator runs the file as it is, which the form shows again.
    editor.watcher.answers.push_back(QMessageBox::Discard);
    editor.trigger("mnuPlay");
    EXPECT_EQ(starts(1), std::vector<std::string>{started(path + "|")});
    EXPECT_EQ(fileBytes(path), rom.bytes());
    EXPECT_EQ(editor.window.levelBox(1)->text().toInt(), rom.at(LayoutOffsets::Red[1].party));
    // Save: the edit is written first, and the trainer stays picked.
    retype(editor.window.levelBox(1), "88");
    editor.watcher.answers.push_back(QMessageBox::Save);
    editor.trigger("mnuPlay");
    EXPECT_EQ(starts(2).size(), 2U);
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{LayoutOffsets::Red[1].party, 88}}));
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), 1);
    EXPECT_FALSE(editor.window.isWindowModified());
}

TEST_F(TestInEmulator, SaysWhyACommandCannotStartAndStartsNothing)
{
    const std::string emu = emulator();
    std::filesystem::permissions(emu, std::filesystem::perms::owner_read);
    editor.open(SyntheticRom(GameVersion::Blue));
    const std::pair<std::string, std::string> commands[] = {
        {editor.dir.file("gone"), "there is no such file"},
        {emu + " -f", "the file is not executable"},
        {"no-such-emulator", "no program of that name is on the PATH"},
        {emu + " 'open", "a ' quote is not closed"},
    };
    for (const auto& [command, why] : commands) {
        SCOPED_TRACE(command);
        setEmulatorSetting(QString::fromStdString(command));
        editor.trigger("mnuPlay");
        ASSERT_FALSE(editor.watcher.boxes.empty());
        EXPECT_EQ(editor.watcher.boxes.back().text.toStdString(), "Tavrik could not start " + command + ": " + why);
        EXPECT_EQ(editor.watcher.boxes.back().icon, QMessageBox::Warning);
        editor.watcher.boxes.clear();
    }
    EXPECT_TRUE(editor.window.session().loaded());
    EXPECT_FALSE(std::filesystem::exists(editor.dir.file("starts.log")));
}

// The first time, the first known emulator on the PATH is offered; turning it down, or finding none, asks for
// the program. File > Choose Emulator... changes the command later.
TEST_F(TestInEmulator, OffersAnEmulatorTheFirstTimeOrAsksForIt)
{
    emulator("mednafen");
    const std::string sameboy = emulator("sameboy");
    const std::string rom = editor.open(SyntheticRom(GameVersion::Red));
    const PathVariable path(editor.dir.file(""));
    editor.watcher.answers = {QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No};
    editor.trigger("mnuPlay");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Test ROMs in sameboy?");
    EXPECT_EQ(emulatorSetting(), "");
    editor.trigger("mnuPlay");
    EXPECT_EQ(emulatorSetting(), "sameboy");
    setEmulatorSetting({});
    editor.watcher.openAnswers.push_back(editor.dir.file("mednafen"));
    editor.trigger("mnuPlay");
    EXPECT_EQ(emulatorSetting().toStdString(), editor.dir.file("mednafen"));
    EXPECT_EQ(starts(2).size(), 2U);
    // With none on the PATH the program is asked for at once; a cancel starts nothing.
    setEmulatorSetting({});
    const PathVariable none("/nonexistent");
    editor.trigger("mnuPlay");
    EXPECT_EQ(editor.watcher.openDialog.front(), "Choose the emulator to test ROMs in");
    EXPECT_EQ(emulatorSetting(), "");

    setEmulatorSetting(QString::fromStdString(sameboy));
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<EmulatorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* command = child<QLineEdit>(dialog, "txtEmulator");
        shown = command->text();
        editor.watcher.openAnswers.push_back(editor.dir.file("mednafen"));
        QTest::mouseClick(child<QPushButton>(dialog, "cmdBrowse"), Qt::LeftButton);
        QTest::keyClicks(command, " -f %f");
        child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    editor.trigger("mnuEmulator");
    EXPECT_EQ(shown.toStdString(), sameboy);
    editor.trigger("mnuPlay");
    EXPECT_EQ(starts(3).back(), started("-f|" + rom + "|"));
}

TEST_F(TestInEmulator, PlaysFromTheCommandLineWithoutAQuestion)
{
    const std::string rom = editor.dir.write(SyntheticRom(GameVersion::Blue));
    emulator("mgba");
    std::ostringstream err;
    {
        const PathVariable path("/nonexistent:" + editor.dir.file(""));
        EXPECT_EQ(playCommand(QString::fromStdString(rom), err), 0);
        EXPECT_EQ(starts(1).back(), started(rom + "|"));
        EXPECT_EQ(playCommand(QString::fromStdString(editor.dir.file("missing.gb")), err), 1);
        EXPECT_EQ(err.str(), "Error: 53: File not found: " + editor.dir.file("missing.gb") + "\n");
    }
    err.str("");
    const PathVariable none("/nonexistent");
    EXPECT_EQ(playCommand(QString::fromStdString(rom), err), 1);
    EXPECT_EQ(err.str(),
              "tavrik: no emulator is set, and none of mgba-qt, mgba, sameboy, bgb, visualboyadvance-m and mednafen "
              "is on the PATH; choose one with File > Choose Emulator...\n");
    setEmulatorSetting("gone");
    err.str("");
    EXPECT_EQ(playCommand(QString::fromStdString(rom), err), 1);
    EXPECT_EQ(err.str(), "tavrik: Tavrik could not start gone: no program of that name is on the PATH\n");
    EXPECT_TRUE(editor.watcher.boxes.empty());
}
