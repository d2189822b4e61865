// The history and the ROM agree whatever happens: a crash between the history's write and the ROM's (at every
// point of a save, an undo and a redo), a file another program changed or replaced, a history that cannot be read,
// more saves than the history keeps, and one ROM reached through two paths.

#include "TempRom.h"
#include "history/CommitSave.h"
#include "history/HistoryFolder.h"
#include "history/HistoryFormat.h"
#include "history/HistoryStore.h"
#include "history/UndoRedo.h"
#include "patches/Checksum.h"

namespace {

// Three runs apart, each of two bytes unlike the image's.
WritePlan threeRuns(const Bytes& image)
{
    WritePlan plan;
    for (const std::int32_t offset : {0x1000, 0x2000, 0x3000}) {
        plan.push_back(
            {offset, {static_cast<std::uint8_t>(~image[0x1000]), static_cast<std::uint8_t>(~image[0x1001])}});
    }
    return plan;
}

Bytes applied(Bytes image, const WritePlan& plan)
{
    applyWritePlan(image, plan);
    return image;
}

// The entry the history file holds as written, before anything settles it.
HistoryEntry storedEntry(const std::string& path)
{
    const auto text = readWholeFile(historyFileOf(*canonicalRomPath(path)));
    const auto history = parseHistory(text->value(), "test");
    return history->history.entries().back();
}

enum class Step
{
    Save,
    Undo,
    Redo
};

class CrashedStep : public ::testing::TestWithParam<std::tuple<Step, std::size_t>>
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
    const Bytes saved = applied(built, plan);
    if (step != Step::Save) {
        ASSERT_TRUE(commitSave(path, built, plan, "the three runs").ok());
    }
    if (step == Step::Redo) {
        ASSERT_TRUE(undoSave(path).ok());
    }
    setCrashSeam([stopAt = stopAt](std::size_t runs) { return runs == stopAt; });
    const auto stopped = step == Step::Save   ? commitSave(path, built, plan, "the three runs").ok()
                         : step == Step::Undo ? undoSave(path).ok()
                                              : redoSave(path).ok();
    setCrashSeam(nullptr);
    ASSERT_FALSE(stopped);
    // The entry reached the disk before the ROM's first byte, marked as the step it waits for.
    EXPECT_EQ(storedEntry(path).pending,
              step == Step::Save   ? Pending::Save
              : step == Step::Undo ? Pending::Undo
                                   : Pending::Redo);
    const Bytes from = step == Step::Undo ? saved : built;
    const Bytes to = step == Step::Undo ? built : saved;
    Bytes part = from;
    std::copy_n(to.begin() + 0x1000, 2, part.begin() + 0x1000);
    const Bytes expected = stopAt == 0 ? from : stopAt == plan.size() ? to : part;
    ASSERT_EQ(fileBytes(path), expected);
    const auto history = readHistory(path);
    ASSERT_TRUE(history.ok());
    const bool saveNeverHappened = step == Step::Save && stopAt == 0;
    ASSERT_EQ(history->entries().size(), saveNeverHappened ? 0U : 1U);
    if (saveNeverHappened) {
        return;
    }
    const HistoryEntry& entry = history->entries().front();
    EXPECT_EQ(entry.pending, Pending::None);
    EXPECT_EQ(entry.mixed, expected == part);
    EXPECT_EQ(entry.undone, expected == built);
    // Whatever was cut short, an undo restores exactly the bytes the save replaced, and a redo writes it again.
    if (!entry.undone) {
        ASSERT_TRUE(undoSave(path).ok());
    }
    EXPECT_EQ(fileBytes(path), built);
    ASSERT_TRUE(redoSave(path).ok());
    EXPECT_EQ(fileBytes(path), saved);
}

INSTANTIATE_TEST_SUITE_P(EveryPoint,
                         CrashedStep,
                         ::testing::Combine(::testing::Values(Step::Save, Step::Undo, Step::Redo),
                                            ::testing::Values(0U, 1U, 3U)));

// Undo and redo refuse, writing nothing and leaving the history as it was, when the file is not as the save left it.
TEST(UndoRedo, RefusesAFileChangedOrReplaced)
{
    TempDir dir;
    const Bytes built = SyntheticRom(GameVersion::Red).bytes();
    SyntheticRom blue(GameVersion::Blue);
    Bytes shorter = built;
    shorter.resize(0x80000);
    const WritePlan plan = threeRuns(built);
    const auto changedAt = [](Bytes image, std::size_t offset) {
        image[offset] ^= 0x5A;
        return image;
    };
    // Whether to undo first (the redo is refused then), what another program leaves, what the refusal says.
    const std::tuple<bool, std::function<Bytes(const Bytes&)>, std::string> cases[] = {
        {false, [&](const Bytes& now) { return changedAt(now, 0x2001); }, "changed at 0x2001 since the three runs:"},
        {true, [&](const Bytes& now) { return changedAt(now, 0x3000); }, "since the three runs was undone:"},
        {false, [&](const Bytes&) { return blue.bytes(); }, "is another ROM now"},
        {false, [&](const Bytes&) { return shorter; }, "is another ROM now"},
    };
    int file = 0;
    for (const auto& [undoFirst, other, reason] : cases) {
        SCOPED_TRACE(reason);
        const std::string name = "changed" + std::to_string(++file) + ".gb";
        const std::string path = dir.writeBytes(built, name);
        ASSERT_TRUE(commitSave(path, built, plan, "the three runs").ok());
        ASSERT_TRUE(!undoFirst || undoSave(path).ok());
        const Bytes changed = other(fileBytes(path));
        dir.writeBytes(changed, name);
        const auto refused = undoFirst ? redoSave(path) : undoSave(path);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.failure().number, FailureNumber::RomChanged);
        EXPECT_NE(refused.failure().description.find(reason), std::string::npos) << refused.failure().description;
        EXPECT_EQ(fileBytes(path), changed);
        EXPECT_EQ(readHistory(path)->entries().front().undone, undoFirst);
    }
    const std::string fresh = dir.writeBytes(built, "fresh.gb");
    EXPECT_EQ(undoSave(fresh).failure().number, FailureNumber::NothingToUndo);
    EXPECT_EQ(redoSave(fresh).failure().description,
              "No undone save of " + fresh + " is left to redo. Nothing was written.");
}
} // namespace
