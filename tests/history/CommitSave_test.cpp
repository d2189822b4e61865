// What a save records: the last 50 saves, one history for every path to a ROM, the global checksum when asked,
// nothing for a save that changes nothing, a fresh start over a history that cannot be read; and the history's
// file read back as it was written.

#include "TempRom.h"
#include "history/CommitSave.h"
#include "history/HistoryFolder.h"
#include "history/HistoryFormat.h"
#include "history/UndoRedo.h"
#include "patches/Checksum.h"

#include <fstream>
#include <numeric>

namespace {

ByteWrite oneByte(std::int32_t offset, int value)
{
    return {offset, {static_cast<std::uint8_t>(value)}};
}

TEST(CommitSave, KeepsTheLastFiftySavesAndDropsTheUndoneOnANewOne)
{
    TempDir dir;
    Bytes image = SyntheticRom(GameVersion::Yellow).bytes();
    const std::string path = dir.writeBytes(image, "rom.gb");
    std::vector<Bytes> states = {image};
    for (int save = 1; save <= 55; ++save) {
        const WritePlan plan = {oneByte(0x4000 + save, save), oneByte(0x5000, save)};
        ASSERT_TRUE(commitSave(path, image, plan, "save " + std::to_string(save)).ok());
        applyWritePlan(image, plan);
        states.push_back(image);
    }
    ASSERT_EQ(readHistory(path)->entries().size(), HistoryLimit);
    EXPECT_EQ(readHistory(path)->entries().front().label, "save 6");
    for (int undo = 0; undo < 50; ++undo) {
        ASSERT_TRUE(undoSave(path).ok());
    }
    EXPECT_EQ(undoSave(path).failure().number, FailureNumber::NothingToUndo);
    EXPECT_EQ(fileBytes(path), states[5]);
    for (int redo = 0; redo < 3; ++redo) {
        EXPECT_EQ(redoSave(path)->sentence(), "Redid save " + std::to_string(6 + redo) + ": 2 bytes written.");
    }
    image = fileBytes(path);
    ASSERT_TRUE(commitSave(path, image, {oneByte(0x6000, 1)}, "after the undos", {"difficulty"}).ok());
    const auto history = readHistory(path);
    ASSERT_EQ(history->entries().size(), 4U);
    EXPECT_FALSE(history->canRedo());
    EXPECT_EQ(history->nextUndo()->label, "after the undos");
    EXPECT_TRUE(history->holdsKind("difficulty"));
    ASSERT_TRUE(undoSave(path).ok());
    EXPECT_FALSE(readHistory(path)->holdsKind("difficulty"));
}

TEST(CommitSave, FindsOneHistoryThroughEveryPathToTheRom)
{
    TempDir dir;
    const Bytes image = SyntheticRom(GameVersion::Red).bytes();
    const std::string path = dir.writeBytes(image, "rom.gb");
    std::filesystem::create_directory(dir.path / "sub");
    std::filesystem::create_symlink(path, dir.file("link.gb"));
    ASSERT_TRUE(commitSave(dir.file("link.gb"), image, {oneByte(0x4000, 7)}, "through the link").ok());
    EXPECT_EQ(undoSave((dir.path / "sub" / ".." / "rom.gb").string())->sentence(),
              "Undid through the link: 1 byte restored.");
    EXPECT_EQ(fileBytes(path), image);
    EXPECT_EQ(readHistory(path)->romPath(), std::filesystem::canonical(path).string());
}

TEST(CommitSave, WritesTheGlobalChecksumWhenAskedAndUndoesIt)
{
    TempDir dir;
    const Bytes image = SyntheticRom(GameVersion::Blue).bytes();
    const std::string path = dir.writeBytes(image, "rom.gb");
    const WritePlan plan = {oneByte(0x4000, image[0x4000] + 1)};
    for (const bool keep : {false, true}) {
        const auto commit = commitSave(path, image, plan, "a level", {"", keep});
        const Bytes after = fileBytes(path);
        const auto sums = cartridgeChecksums(after);
        EXPECT_EQ(commit->checksumWritten, keep);
        EXPECT_EQ(sums->globalRight(), keep);
        Writes writes = {{0x4000, plan[0].bytes[0]}};
        if (keep) {
            writes.insert({{0x14E, static_cast<std::uint8_t>(sums->global >> 8)}, {0x14F, sums->global & 0xFF}});
        }
        EXPECT_TRUE(changedExactly(image, after, writes));
        EXPECT_EQ(
            commit->bytesChanged,
            std::inner_product(
                image.begin(), image.end(), after.begin(), std::int64_t{0}, std::plus<>(), std::not_equal_to<>()));
        ASSERT_TRUE(undoSave(path).ok());
        EXPECT_EQ(fileBytes(path), image);
    }
}

// A line a crash cut short is left out and never written after; a history that cannot be read is not undone, and
// the next save starts a new one.
TEST(CommitSave, RecordsNothingForASaveThatChangesNothingAndGetsOverDamagedHistories)
{
    TempDir dir;
    Bytes image = SyntheticRom(GameVersion::Red).bytes();
    const std::string path = dir.writeBytes(image, "rom.gb");
    const std::filesystem::path history = historyFileOf(*canonicalRomPath(path));
    ASSERT_TRUE(commitSave(path, image, {oneByte(0x4000, image[0x4000])}, "nothing").ok());
    EXPECT_TRUE(readHistory(path)->entries().empty());
    for (const char* label : {"one", "two"}) {
        ASSERT_TRUE(commitSave(path, image, {oneByte(0x4000, image[0x4000] + 1)}, label).ok());
        image = fileBytes(path);
        std::ofstream(history, std::ios::app) << "mark 0 und";
    }
    EXPECT_EQ(readHistory(path)->entries().size(), 2U);
    std::ofstream(history) << "Tavrik history 1\nrom " << path << "\nidentity x\n";
    EXPECT_EQ(undoSave(path).failure().number, FailureNumber::HistoryUnreadable);
    EXPECT_EQ(fileBytes(path), image);
    ASSERT_TRUE(commitSave(path, image, {oneByte(0x4000, 1)}, "a fresh start").ok());
    EXPECT_EQ(readHistory(path)->entries().size(), 1U);
}

// The entries, then the journal replayed over them: a save as SaveHistory::record adds it, a mark, a drop, and a
// last line a crash cut short left out.
TEST(HistoryFormat, ReadsBackWhatItWroteAndRefusesAnythingElse)
{
    SaveHistory history("/roms/50% of a hack\n.gb", {0x100000, Bytes(16, 0x41)});
    const HistoryEntry first = {
        1717171717, "the save of PKMN♂ 100%\r\nparty", "hard mode", {{0x3A3B6, {1, 2}, {3, 4}}}, false, {}, true};
    history.record(first);
    history.record({-5, "", "", {{0, {0xFF}, {0}}, {0x7FFFFFF0, {9}, {8}}}, true, Pending::Redo, false});
    const HistoryEntry third = {7, "a third", "-", {{0x10, {1}, {2}}}, false, Pending::Save, false};
    HistoryEntry marked = first;
    marked.undone = true;
    marked.pending = Pending::Undo;
    const std::string text = historyText(history) + saveLine(third) + markLine(0, marked) + dropLine(1) + "mark 0 un";
    SaveHistory expected = history;
    expected.record(third);
    expected.entries()[0] = marked;
    expected.entries().pop_back();
    // The file outlives the program that wrote it: its lines stay as they are.
    EXPECT_NE(text.find("\nidentity 1048576 41414141414141414141414141414141\nentry 1717171717 done settled mixed "
                        "hard%20mode 3A3B6:0102:0304 the save of PKMN♂ 100%25%0D%0Aparty\n"),
              std::string::npos)
        << text;
    const auto back = parseHistory(text, "file");
    ASSERT_TRUE(back.ok()) << back.failure().description;
    EXPECT_EQ(back->history.romPath(), history.romPath());
    EXPECT_EQ(back->history.identity(), history.identity());
    EXPECT_EQ(back->history.entries(), expected.entries());
    EXPECT_EQ(back->journalLines, 3U);
    EXPECT_TRUE(back->cutShort);
    // Each line spoilt in turn: the whole history is unreadable.
    const std::vector<std::pair<std::string, std::string>> spoilt = {{"Tavrik history 1", "Tavrik history 2"},
                                                                     {"rom /roms", "room /roms"},
                                                                     {"identity 1048576", "identity -"},
                                                                     {"1717171717 done", "1717171717 gone"},
                                                                     {"3A3B6:0102:0304", "3A3B6:0102:03"},
                                                                     {"3A3B6:0102:0304", "3A3B6::"},
                                                                     {"%25", "%2"},
                                                                     {" 0:FF:00", " -1:FF:00"},
                                                                     {"save 7", "saved 7"},
                                                                     {"mark 0", "mark 3"},
                                                                     {"drop 1", "drop x"}};
    for (const auto& [line, spoiltLine] : spoilt) {
        std::string bad = text;
        ASSERT_NE(bad.find(line), std::string::npos) << line;
        bad.replace(bad.find(line), line.size(), spoiltLine);
        const auto refused = parseHistory(bad, "file");
        ASSERT_FALSE(refused.ok()) << spoiltLine;
        EXPECT_EQ(refused.failure().number, FailureNumber::HistoryUnreadable);
    }
}

} // namespace
