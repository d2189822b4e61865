// Files that are not what they seem, and ROMs that change under the editor: each ends in a clear
// message, no crash, and no byte written.

#include "UiHarness.h"
#include "overworld/Form3.h"

#include <unistd.h>

// Files that are no ROM of these games end in "Unsupported ROM!" with the reason under it, stay unchanged, and
// leave the ROM open before as it was; a folder is not taken by the dialog; odd names open.
TEST(BadFiles, FilesThatAreNoRomAreRejectedUnchangedAndOddNamesOpen)
{
    EditorUnderTest editor;
    SyntheticRom lowerCase(GameVersion::Red);
    lowerCase.setVersionCode("red");
    Bytes cut = SyntheticRom(GameVersion::Red).bytes();
    cut.resize(102400);
    Bytes tetris(0x8000, 0x00);
    std::string_view title = "TETRIS";
    std::copy(title.begin(), title.end(), tetris.begin() + 0x134);
    const std::string text = "These are my notes, not a ROM.\n";
    const std::tuple<std::string, Bytes, const char*> files[] = {
        {"empty.gb", {}, "The file is empty."},
        {"notes.gb", Bytes(text.begin(), text.end()), "The file has 31 bytes; Red, Blue and Yellow have 1,048,576."},
        {"cut.gb", cut, "The file has 102,400 bytes; Red, Blue and Yellow have 1,048,576."},
        {"tetris.gb", tetris, "The cartridge header names \"TETRIS\", not Pokémon Red, Blue or Yellow."},
        {"red.gb",
         lowerCase.bytes(),
         "The cartridge header names \"POKEMON red\" (version code \"red\"), not Pokémon Red, Blue or Yellow."},
        {"foreign.gb",
         Bytes(SyntheticRom::DefaultSize, 0x00),
         "The cartridge header holds no title: this is not Pokémon Red, Blue or Yellow."}};
    const std::string good = editor.open(SyntheticRom(GameVersion::Red), "good.gb");
    clickTrainer(editor.window, 2);
    for (const auto& [name, bytes, reason] : files) {
        const std::string path = editor.dir.writeBytes(bytes, name);
        editor.window.openRomFile(QString::fromStdString(path));
        const SeenBox& box = editor.watcher.boxes.back();
        EXPECT_EQ(box.title + box.text + editor.window.windowTitle(), "TavrikUnsupported ROM!RED - Tavrik[*]");
        EXPECT_EQ(box.detail, reason);
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(editor.window.session().path, good);
        EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), 2);
        EXPECT_EQ(fileBytes(path), bytes);
    }
    // Typing a folder's name and pressing Open goes into the folder; the user then cancels.
    std::filesystem::create_directory(editor.dir.file("folder.gb"));
    editor.watcher.openAnswers.push_back(editor.dir.file("folder.gb"));
    editor.trigger("mnuOpen");
    EXPECT_EQ(editor.watcher.boxes.size(), std::size(files));
    EXPECT_EQ(editor.window.session().path, good);
    std::filesystem::create_directory(editor.dir.file("My ROMs"));
    editor.open(SyntheticRom(GameVersion::Blue), "My ROMs/Pokémon Rot (Ä) – kopie.gb");
    EXPECT_EQ(editor.window.session().path, editor.dir.file("My ROMs/Pokémon Rot (Ä) – kopie.gb"));
    EXPECT_EQ(editor.watcher.boxes.size(), std::size(files));
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
