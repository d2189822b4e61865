// Files that are not what they seem, and ROMs that change under the editor: each ends in a clear
// message, no crash, and no byte written.

#include "UiHarness.h"
#include "overworld/Form3.h"

#include <unistd.h>

// Files that are no ROM of these games (too short, a code in another letter case, the right code over
// another layout) end in "Unsupported ROM!", with the editor switched off even after a ROM was open, and
// stay unchanged; a folder is not taken by the dialog; odd names open.
TEST(BadFiles, FilesThatAreNoRomAreRejectedUnchangedAndOddNamesOpen)
{
    EditorUnderTest editor;
    SyntheticRom lowerCase(GameVersion::Red);
    lowerCase.setVersionCode("red");
    const std::pair<std::string, Bytes> files[] = {{"empty.gb", {}},
                                                   {"three.gb", {'R', 'E', 'D'}},
                                                   {"red.gb", lowerCase.bytes()},
                                                   {"foreign.gb", Bytes(SyntheticRom::DefaultSize, 0x00)}};
    for (const auto& [name, bytes] : files) {
        editor.open(SyntheticRom(GameVersion::Red), "good.gb");
        const std::string path = editor.dir.writeBytes(bytes, name);
        editor.window.openRomFile(QString::fromStdString(path));
        EXPECT_EQ(editor.watcher.boxes.back().title + editor.watcher.boxes.back().text + editor.window.windowTitle(),
                  "TavrikUnsupported ROM!Tavrik[*]");
        EXPECT_EQ(editor.watcher.boxes.back().icon, QMessageBox::Warning);
        EXPECT_FALSE(editor.window.session().loaded() || editor.find<QAction>("mnuSave")->isEnabled());
        EXPECT_EQ(fileBytes(path), bytes);
    }
    // Typing a folder's name and pressing Open goes into the folder; the user then cancels.
    std::filesystem::create_directory(editor.dir.file("folder.gb"));
    editor.watcher.openAnswers.push_back(editor.dir.file("folder.gb"));
    editor.trigger("mnuOpen");
    EXPECT_EQ(editor.watcher.boxes.size(), 4U);
    EXPECT_FALSE(editor.window.session().loaded());
    std::filesystem::create_directory(editor.dir.file("My ROMs"));
    editor.open(SyntheticRom(GameVersion::Blue), "My ROMs/Pokémon Rot (Ä) – kopie.gb");
    EXPECT_EQ(editor.window.session().path, editor.dir.file("My ROMs/Pokémon Rot (Ä) – kopie.gb"));
    EXPECT_EQ(editor.watcher.boxes.size(), 4U);
}

// The ROM is opened and a trainer edited, then something happens to the file before the user saves,
// picks another trainer, or saves the overworld battles.
TEST(ChangedRom, NothingIsWrittenIntoARomThatChangedUnderTheEditor)
{
    const SyntheticRom red(GameVersion::Red);
    const SyntheticRom yellow(GameVersion::Yellow);
    const std::pair<const char*, std::function<void(const std::string&)>> situations[] = {
        {"deleted", [](const std::string& path) { std::filesystem::remove(path); }},
        {"cut short", [](const std::string& path) { std::filesystem::resize_file(path, 0x39000); }},
        {"replaced by Yellow", [&](const std::string& path) { yellow.writeTo(path); }}};
    for (const auto& [situation, change] : situations) {
        EditorUnderTest editor;
        const std::string path = editor.open(red);
        clickTrainer(editor.window, 0);
        change(path);
        const Bytes before = fileBytes(path);
        editor.trigger("mnuSave");
        clickTrainer(editor.window, 1);
        editor.trigger("mnuSave");
        editor.trigger("mnuBattle");
        EXPECT_EQ(editor.window.overworldWindow(), nullptr);
        // A trainer that could not be read is not saved (1003).
        const QString failure = situation == std::string("deleted") ? "Error: 53" : "Error: 1001";
        ASSERT_EQ(editor.watcher.boxes.size(), 4U);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(editor.watcher.boxes[k].title, k == 2 ? "Error: 1003" : failure) << situation;
        }
        EXPECT_EQ(fileBytes(path), before);
        EXPECT_EQ(std::filesystem::exists(path), situation != std::string("deleted"));
    }
}

// Root reads every file, so this one runs as an unprivileged user from its own CTest entry.
TEST(UnreadableRom, SaysWhyAndLoadsNothing)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "run as an unprivileged user to test a file that cannot be read";
    }
    EditorUnderTest editor;
    const std::string path = editor.dir.write(SyntheticRom(GameVersion::Red));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    editor.window.openRomFile(QString::fromStdString(path));
    EXPECT_FALSE(editor.window.session().loaded());
    ASSERT_EQ(editor.watcher.boxes.size(), 1U);
    EXPECT_EQ(editor.watcher.boxes[0].title, "Error: 70");
}
