// Test in Emulator with a stand-in emulator that logs each start (its folder and arguments): the question
// about unsaved edits first, the emulator outliving the window, an emulator offered or asked for the first
// time, and a command that cannot start. tavrik --play runs without a display in command_line.play.

#include "UiHarness.h"
#include "app/Emulator.h"
#include "app/EmulatorCommand.h"
#include "app/EmulatorDialog.h"

#include <fstream>
#include <unistd.h>

namespace {

struct TestInEmulator : ::testing::Test
{
    // The stand-ins still waiting end at once.
    ~TestInEmulator() override { std::ofstream(editor.dir.file("go")).put('\n'); }

    // A program of that name that logs "folder|argument|...|", then waits for the test to say "go" (for ten
    // seconds at most) and logs its parent's number.
    std::string emulator(const std::string& name)
    {
        std::ofstream(editor.dir.file(name))
            << "#!/bin/sh\n{ printf '%s|' \"$PWD\" \"$@\"; echo; } >> '" << editor.dir.file("starts.log") << "'\n"
            << "i=0; while [ ! -e '" << editor.dir.file("go") << "' ] && [ $i -lt 200 ]; do /bin/sleep 0.05; "
            << "i=$((i+1)); done\n{ echo $PPID >> '" << editor.dir.file("parents") << "'; } 2>/dev/null\n";
        std::filesystem::permissions(editor.dir.file(name), std::filesystem::perms::owner_all);
        return editor.dir.file(name);
    }
    // The lines of a log once there are expected of them, or after five seconds.
    std::vector<std::string> logged(const char* log, std::size_t expected)
    {
        std::vector<std::string> lines;
        (void)QTest::qWaitFor(
            [&] {
                std::ifstream file(editor.dir.file(log));
                lines.clear();
                for (std::string line; std::getline(file, line);) {
                    lines.push_back(line);
                }
                return lines.size() >= expected;
            },
            5000);
        return lines;
    }
    std::vector<std::string> starts(std::size_t expected) { return logged("starts.log", expected); }

    EditorUnderTest editor;
};

} // namespace

TEST_F(TestInEmulator, SettlesUnsavedEditsThenStartsTheEmulatorDetached)
{
    setEmulatorSetting(QString::fromStdString(commandOf(emulator("my emu")) + " --scale 2 --rom=%f 'two words'"));
    const SyntheticRom rom(GameVersion::Red);
    const std::string path = editor.open(rom);
    clickTrainer(editor.window, 1);
    retype(editor.window.levelBox(1), "77");
    editor.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor.window));
    QTest::keyClick(&editor.window, Qt::Key_F5);
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to MISTA before testing in my emu?");
    // Discard: the file as it is, which the form shows again. Save: written first, the trainer still picked.
    editor.watcher.answers = {QMessageBox::Discard, QMessageBox::Save};
    editor.trigger("mnuPlay");
    EXPECT_EQ(editor.window.levelBox(1)->text().toInt(), rom.at(LayoutOffsets::Red[1].party));
    EXPECT_EQ(fileBytes(path), rom.bytes());
    retype(editor.window.levelBox(1), "88");
    editor.trigger("mnuPlay");
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{LayoutOffsets::Red[1].party, 88}}));
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), 1);
    EXPECT_TRUE(editor.find<QStatusBar>("statusbar")->currentMessage().startsWith("my emu started on test.gb at "));
    const std::string started = editor.dir.path.string() + "|--scale|2|--rom=" + path + "|two words|";
    EXPECT_EQ(starts(2), std::vector<std::string>(2, started));
    // Neither a child of Tavrik nor ended with its window: both still wait when it closes, and go on after.
    editor.window.close();
    std::ofstream(editor.dir.file("go")).put('\n');
    const std::vector<std::string> parents = logged("parents", 2);
    ASSERT_EQ(parents.size(), 2U);
    EXPECT_TRUE(std::none_of(parents.begin(), parents.end(), [](const std::string& parent) {
        return parent == std::to_string(::getpid());
    }));
}

TEST_F(TestInEmulator, SaysWhyACommandCannotStartAndStartsNothing)
{
    const std::string emu = emulator("emu");
    std::filesystem::permissions(emu, std::filesystem::perms::owner_read);
    editor.open(SyntheticRom(GameVersion::Blue));
    for (const std::string& command : {editor.dir.file("gone"), emu + " -f", std::string("no-such-emulator")}) {
        setEmulatorSetting(QString::fromStdString(command));
        editor.trigger("mnuPlay");
        const std::string why = emulatorLaunch(command, "", "").problem;
        EXPECT_EQ(editor.watcher.boxes.back().text.toStdString(), "Tavrik could not start " + command + ": " + why);
        EXPECT_EQ(editor.watcher.boxes.back().icon, QMessageBox::Warning);
    }
    // Nor on a ROM gone since it was opened.
    std::filesystem::permissions(emu, std::filesystem::perms::owner_all);
    setEmulatorSetting(QString::fromStdString(emu));
    std::filesystem::remove(editor.window.session().path);
    editor.trigger("mnuPlay");
    EXPECT_EQ(editor.watcher.boxes.back().title, "Error: 53");
    EXPECT_FALSE(std::filesystem::exists(editor.dir.file("starts.log")));
}

// The first time, the first known emulator on the PATH is offered; turned down, the program is asked for.
// File > Choose Emulator... changes the command later.
TEST_F(TestInEmulator, OffersAnEmulatorTheFirstTimeOrAsksForIt)
{
    emulator("mednafen");
    emulator("sameboy");
    const std::string rom = editor.open(SyntheticRom(GameVersion::Red));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", editor.dir.path.c_str());
    editor.watcher.answers = {QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No};
    editor.trigger("mnuPlay");
    EXPECT_EQ(editor.watcher.boxes.back().text + emulatorSetting(), "Test ROMs in sameboy?");
    editor.trigger("mnuPlay");
    EXPECT_EQ(emulatorSetting(), "sameboy");
    setEmulatorSetting({});
    editor.watcher.openAnswers.push_back(editor.dir.file("mednafen"));
    editor.trigger("mnuPlay");
    qputenv("PATH", path);
    EXPECT_EQ(editor.watcher.openDialog.front(), "Choose the emulator to test ROMs in");
    EXPECT_EQ(starts(2).size(), 2U);

    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<EmulatorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(child<QLineEdit>(dialog, "txtEmulator")->text().toStdString(), editor.dir.file("mednafen"));
        QTest::keyClicks(child<QLineEdit>(dialog, "txtEmulator"), " -f %f");
        child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    editor.trigger("mnuEmulator");
    editor.trigger("mnuPlay");
    EXPECT_EQ(starts(3).back(), editor.dir.path.string() + "|-f|" + rom + "|");
}
