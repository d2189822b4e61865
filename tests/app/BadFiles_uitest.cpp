// Files that are not what they seem, and ROMs that change under the editor: each ends in a clear
// message, no crash, and no byte written.

#include "SyntheticRom.h"
#include "TempRom.h"
#include "UiHarness.h"
#include "app/Form1.h"
#include "overworld/Form3.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class BadFiles : public ::testing::Test
{
protected:
    // Opens path and expects no ROM to be loaded afterwards; returns the boxes seen.
    std::vector<SeenBox> openRejected(const std::string& path)
    {
        openRom(window, path, watcher);
        EXPECT_FALSE(window.session().loaded());
        EXPECT_FALSE(menuAction(&window, "mnuSave")->isEnabled());
        EXPECT_FALSE(menuAction(&window, "mnuBattle")->isEnabled());
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavrik"));
        return watcher.boxes();
    }

    TempDir dir;
    ModalWatcher watcher;
    Form1 window;
};

void expectUnsupported(const std::vector<SeenBox>& boxes)
{
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Unsupported ROM!"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Tavrik"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
}

TEST_F(BadFiles, FilesThatAreNoRomAreRejectedUnchanged)
{
    Bytes redHeaderOnly(1024, 0);
    redHeaderOnly.resize(0x400);
    std::copy_n("RED", 3, redHeaderOnly.begin() + 0x13C);
    SyntheticRom oneByteShort(GameVersion::Red);
    oneByteShort.resize(static_cast<std::size_t>(requiredRomSize(profileOf(GameVersion::Red))) - 1);
    const std::vector<std::pair<std::string, Bytes>> files = {
        {"empty.gb", {}},
        {"three.gb", {0x52, 0x45, 0x44}},
        {"header-only.gb", redHeaderOnly},
        {"one-byte-short.gb", oneByteShort.bytes()},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::size_t seen = watcher.boxes().size();
        const std::string path = dir.writeBytes(bytes, name);
        const auto boxes = openRejected(path);
        expectUnsupported(std::vector<SeenBox>(boxes.begin() + static_cast<std::ptrdiff_t>(seen), boxes.end()));
        EXPECT_EQ(readWholeFile(path), bytes);
    }
}

TEST_F(BadFiles, ADirectoryIsNotAcceptedByTheDialog)
{
    std::filesystem::create_directory(dir.file("folder.gb"));
    // Typing a folder's name and pressing Open goes into the folder; the user then cancels.
    const auto boxes = openRejected(dir.file("folder.gb"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_GE(watcher.openDialogs(), 2);
}

TEST_F(BadFiles, UnusualButValidNamesOpen)
{
    std::filesystem::create_directory(dir.file("My ROMs"));
    const std::vector<std::pair<GameVersion, std::string>> names = {
        {GameVersion::Red, "My ROMs/Pokémon Rot (Ä) – kopie.gb"},
        {GameVersion::Blue, "BLUE.GB"},
        {GameVersion::Yellow, "Yellow.GBC"},
    };
    for (const auto& [version, name] : names) {
        SCOPED_TRACE(name);
        const std::string path = dir.write(SyntheticRom(version), name);
        openRom(window, path, watcher);
        EXPECT_TRUE(window.session().loaded());
        EXPECT_EQ(window.session().path, path);
        EXPECT_EQ(window.findChild<QListWidget*>(QStringLiteral("trainerlst"))->count(), 12);
    }
    EXPECT_TRUE(watcher.boxes().empty());
}

// The ROM is opened, then something happens to the file before the user goes on.
class ChangedRom : public BadFiles
{
protected:
    void SetUp() override
    {
        path = dir.write(rom);
        openRom(window, path, watcher);
        ASSERT_TRUE(window.session().loaded());
        clickTrainer(window, 0);
        ASSERT_TRUE(watcher.boxes().empty());
        window.findChild<QLineEdit*>(QStringLiteral("lvl1"))->setText(QStringLiteral("77"));
    }

    void saveTrainer() { menuAction(&window, "mnuSave")->trigger(); }

    void saveOverworld()
    {
        menuAction(&window, "mnuBattle")->trigger();
        Form3* editor = window.overworldWindow();
        if (editor != nullptr) {
            QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
            editor->close();
        }
    }

    void expectOnlyFailures() const
    {
        ASSERT_FALSE(watcher.boxes().empty());
        for (const SeenBox& box : watcher.boxes()) {
            EXPECT_TRUE(box.title.startsWith(QStringLiteral("Error: "))) << box.title.toStdString();
            EXPECT_FALSE(box.text.contains(QStringLiteral("successfully")));
        }
    }

    SyntheticRom rom{GameVersion::Red};
    std::string path;
};

TEST_F(ChangedRom, ReadOnlyRomRefusesBothSaves)
{
    ImmutableFile locked(path);
    if (!locked.active()) {
        GTEST_SKIP() << "this file system cannot make a file immutable";
    }
    saveTrainer();
    saveOverworld();
    expectOnlyFailures();
    EXPECT_EQ(readWholeFile(path), rom.bytes());
}

TEST_F(ChangedRom, DeletedRomIsNeverCreatedAgain)
{
    std::filesystem::remove(path);
    saveTrainer();
    clickTrainer(window, 1);
    saveTrainer();
    saveOverworld();
    expectOnlyFailures();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ChangedRom, TruncatedRomIsNeitherReadPastItsEndNorGrown)
{
    std::filesystem::resize_file(path, 0x39000);
    saveTrainer();
    clickTrainer(window, 2);
    saveTrainer();
    saveOverworld();
    expectOnlyFailures();
    EXPECT_EQ(std::filesystem::file_size(path), 0x39000u);
}

TEST_F(ChangedRom, RomReplacedByAnotherVersionIsNotWritten)
{
    const SyntheticRom yellow(GameVersion::Yellow);
    yellow.writeTo(path);
    saveTrainer();
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].title, QStringLiteral("Error: 1001"));
    clickTrainer(window, 3);
    saveTrainer();
    saveOverworld();
    expectOnlyFailures();
    EXPECT_EQ(readWholeFile(path), yellow.bytes());
}

// Root reads every file, so this one runs as an unprivileged user from its own CTest entry.
TEST(UnreadableRom, SaysWhyAndLoadsNothing)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "run as an unprivileged user to test a file that cannot be read";
    }
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(GameVersion::Red));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    ModalWatcher watcher;
    Form1 window;
    openRom(window, path, watcher);
    EXPECT_FALSE(window.session().loaded());
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].title, QStringLiteral("Error: 70"));
    EXPECT_TRUE(watcher.boxes()[0].text.contains(QStringLiteral("Permission denied")));
}

} // namespace
