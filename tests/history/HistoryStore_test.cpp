// The history and the ROM agree whatever happens: a crash between the history's write and the ROM's at every point
// of a save, an undo and a redo; a file another program changed or replaced is neither undone nor redone.

#include "TempRom.h"
#include "history/CommitSave.h"
#include "history/HistoryFolder.h"
#include "history/HistoryFormat.h"
#include "history/HistoryStore.h"
#include "history/UndoRedo.h"

namespace {

// Three runs apart, each of two bytes unlike the image's.
WritePlan threeRuns(const Bytes& image)
{
    WritePlan plan;
    for (const std::size_t at : {0x1000U, 0x2000U, 0x3000U}) {
        plan.push_back({static_cast<std::int32_t>(at),
                        {static_cast<std::uint8_t>(~image[at]), static_cast<std::uint8_t>(~image[at + 1])}});
    }
    return plan;
}

Bytes changedAt(Bytes image, std::size_t offset)
{
    image[offset] ^= 0x5A;
    return image;
}

// The step (a save, an undo or a redo) and how many of its three runs reach the ROM before the crash.
class CrashedStep : public ::testing::TestWithParam<std::tuple<Pending, std::size_t>>
{
protected:
    void TearDown() override { setCrashSeam(nullptr); }
};

TEST_P(CrashedStep, LeavesHistoryAndFileAgreeing)
{
    const auto [step, stopAt] = GetParam();
    TempDir dir;
    const Bytes built = SyntheticRom(GameVersion::Red).bytes();
    const std::string path = dir.writeBytes(built, "rom.gb");
    const WritePlan plan = threeRuns(built);
    Bytes saved = built;
    applyWritePlan(saved, plan);
    ASSERT_TRUE(step == Pending::Save || commitSave(path, built, plan, "the three runs").ok());
    ASSERT_TRUE(step != Pending::Redo || undoSave(path).ok());
    setCrashSeam([stopAt = stopAt](std::size_t runs) { return runs == stopAt; });
    const auto stopped = step == Pending::Save   ? commitSave(path, built, plan, "the three runs").ok()
                         : step == Pending::Undo ? undoSave(path).ok()
                                                 : redoSave(path).ok();
    setCrashSeam(nullptr);
    ASSERT_FALSE(stopped);
    // The entry reached the disk before the ROM's first byte, marked as the step it waits for.
    const auto stored = parseHistory(readWholeFile(historyFileOf(*canonicalRomPath(path)))->value(), "test");
    EXPECT_EQ(stored->history.entries().back().pending, step);
    // Once the file is there, a step appends to it rather than writing it anew.
    EXPECT_EQ(stored->journalLines > 0, step != Pending::Save);
    const Bytes& from = step == Pending::Undo ? saved : built;
    const Bytes& to = step == Pending::Undo ? built : saved;
    Bytes part = from;
    std::copy_n(to.begin() + 0x1000, 2, part.begin() + 0x1000);
    const Bytes expected = stopAt == 0 ? from : stopAt == plan.size() ? to : part;
    ASSERT_EQ(fileBytes(path), expected);
    const auto history = readHistory(path);
    const bool saveNeverHappened = step == Pending::Save && stopAt == 0;
    ASSERT_EQ(history->entries().size(), saveNeverHappened ? 0U : 1U);
    if (saveNeverHappened) {
        EXPECT_TRUE(readHistory(path)->entries().empty());
        return;
    }
    const HistoryEntry& entry = history->entries().front();
    EXPECT_EQ(entry.pending, Pending::None);
    EXPECT_EQ(entry.mixed, expected == part);
    EXPECT_EQ(entry.undone, expected == built);
    // Whatever was cut short, an undo restores exactly the bytes the save replaced, and a redo writes it again.
    ASSERT_TRUE(entry.undone || undoSave(path).ok());
    EXPECT_EQ(fileBytes(path), built);
    ASSERT_TRUE(redoSave(path).ok());
    EXPECT_EQ(fileBytes(path), saved);
}

INSTANTIATE_TEST_SUITE_P(EveryPoint,
                         CrashedStep,
                         ::testing::Combine(::testing::Values(Pending::Save, Pending::Undo, Pending::Redo),
                                            ::testing::Values(0U, 1U, 3U)));

// Undo and redo refuse, writing nothing and leaving the history as it was, when the file is not as the save left it.
TEST(UndoRedo, RefusesAFileChangedOrReplaced)
{
    TempDir dir;
    const Bytes built = SyntheticRom(GameVersion::Red).bytes();
    const WritePlan plan = threeRuns(built);
    Bytes saved = built;
    applyWritePlan(saved, plan);
    Bytes shorter = saved;
    shorter.resize(0x80000);
    // Whether to undo first (the redo is refused then), what another program leaves, what the refusal says.
    const std::tuple<bool, Bytes, std::string> cases[] = {
        {false, changedAt(saved, 0x2001), "changed at 0x2001 since the three runs:"},
        {true, changedAt(built, 0x3000), "since the three runs was undone:"},
        {false, SyntheticRom(GameVersion::Blue).bytes(), "is another ROM now"},
        {false, shorter, "is another ROM now"},
    };
    int file = 0;
    for (const auto& [undoFirst, changed, reason] : cases) {
        SCOPED_TRACE(reason);
        const std::string name = "changed" + std::to_string(++file) + ".gb";
        const std::string path = dir.writeBytes(built, name);
        ASSERT_TRUE(commitSave(path, built, plan, "the three runs").ok());
        ASSERT_TRUE(!undoFirst || undoSave(path).ok());
        dir.writeBytes(changed, name);
        const auto refused = undoFirst ? redoSave(path) : undoSave(path);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.failure().number, FailureNumber::RomChanged);
        EXPECT_NE(refused.failure().description.find(reason), std::string::npos) << refused.failure().description;
        EXPECT_EQ(fileBytes(path), changed);
        EXPECT_EQ(readHistory(path)->entries().front().undone, undoFirst);
    }
    // A save a crash cut off is settled only against the ROM it was made to.
    const std::string cut = dir.writeBytes(built, "cut.gb");
    setCrashSeam([](std::size_t) { return true; });
    EXPECT_FALSE(commitSave(cut, built, plan, "cut off").ok());
    setCrashSeam(nullptr);
    dir.writeBytes(SyntheticRom(GameVersion::Blue).bytes(), "cut.gb");
    EXPECT_EQ(readHistory(cut)->entries().front().pending, Pending::Save);
    const std::string fresh = dir.writeBytes(built, "fresh.gb");
    EXPECT_EQ(undoSave(fresh).failure().number, FailureNumber::NothingToUndo);
    EXPECT_EQ(redoSave(fresh).failure().description,
              "No undone save of " + fresh + " is left to redo. Nothing was written.");
}

} // namespace
