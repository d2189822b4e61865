#include "LayoutOffsets.h"
#include "SyntheticRom.h"
#include "TempRom.h"
#include "UiHarness.h"
#include "app/Form1.h"
#include "overworld/Form3.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {

using LayoutOffsets::Battle;

const Battle& positionsOf(GameVersion version, int battle)
{
    return LayoutOffsets::battle(version, battle);
}

class OverworldWindow : public ::testing::TestWithParam<GameVersion>
{
protected:
    Form3* openEditor()
    {
        window.findChild<QAction*>(QStringLiteral("mnuBattle"))->trigger();
        return window.overworldWindow();
    }
    void openRomAt(const std::string& romPath)
    {
        path = romPath;
        openRom(window, path, watcher);
        ASSERT_TRUE(window.session().loaded());
    }
    void clickSave(Form3* editor)
    {
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    TempDir dir;
    std::string path;
    ModalWatcher watcher;
    Form1 window;
};

TEST_P(OverworldWindow, OpensDisablingTheMainWindowAndLoadsTheSixBattles)
{
    const SyntheticRom rom(GetParam());
    openRomAt(dir.write(rom));
    Form3* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_FALSE(window.isEnabled());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Overworld Battle Editor"));
    for (int battle = 0; battle < 6; ++battle) {
        SCOPED_TRACE(battle);
        const Battle& at = positionsOf(GetParam(), battle);
        EXPECT_EQ(editor->speciesBox(battle)->count(), 191);
        EXPECT_EQ(editor->speciesBox(battle)->currentIndex(), rom.at(at.species));
        EXPECT_EQ(editor->levelBox(battle)->text(), QString::number(rom.at(at.level)));
    }
    editor->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.overworldWindow(), nullptr);
}

// Random species and levels, typed and picked, saved: the file must equal the old one with exactly
// the species, second species and level bytes set, and reopening must show the values.
TEST_P(OverworldWindow, SavesExactlyTheBattleBytesAndReopensWithThem)
{
    openRomAt(dir.write(SyntheticRom(GetParam())));
    std::mt19937 random(1206u + static_cast<unsigned>(GetParam()));
    for (int round = 0; round < 3; ++round) {
        Form3* editor = openEditor();
        Bytes expected = readWholeFile(path);
        std::vector<std::pair<int, int>> values;
        for (int battle = 0; battle < 6; ++battle) {
            values.emplace_back(std::uniform_int_distribution<int>(0, 190)(random),
                                std::uniform_int_distribution<int>(0, 255)(random));
            const auto& [species, level] = values.back();
            editor->speciesBox(battle)->setCurrentIndex(species);
            QLineEdit* box = editor->levelBox(battle);
            box->selectAll();
            QTest::keyClicks(box, QString::number(level));
            const Battle& at = positionsOf(GetParam(), battle);
            expected[static_cast<std::size_t>(at.species)] = static_cast<std::uint8_t>(species);
            if (at.secondSpecies) {
                expected[static_cast<std::size_t>(*at.secondSpecies)] = static_cast<std::uint8_t>(species);
            }
            expected[static_cast<std::size_t>(at.level)] = static_cast<std::uint8_t>(level);
        }
        clickSave(editor);
        EXPECT_EQ(readWholeFile(path), expected);
        ASSERT_EQ(watcher.boxes().size(), static_cast<std::size_t>(round + 1));
        EXPECT_EQ(watcher.boxes().back().title, QStringLiteral("Tavrik"));
        EXPECT_EQ(watcher.boxes().back().text, QStringLiteral("Overworld Pokémon Battle Data Saved successfully!"));
        EXPECT_EQ(watcher.boxes().back().icon, QMessageBox::Information);
        EXPECT_TRUE(editor->isVisible());
        editor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        Form3* reopened = openEditor();
        for (int battle = 0; battle < 6; ++battle) {
            EXPECT_EQ(reopened->speciesBox(battle)->currentIndex(), values[static_cast<std::size_t>(battle)].first);
            EXPECT_EQ(reopened->levelBox(battle)->text(),
                      QString::number(values[static_cast<std::size_t>(battle)].second));
        }
        reopened->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_P(OverworldWindow, ASpeciesWithoutAnEntryIsWrittenBackUnchangedAtBothPositions)
{
    SyntheticRom rom(GetParam());
    const Battle& first = positionsOf(GetParam(), 0);
    rom.set(first.species, 0xC8);
    rom.set(*first.secondSpecies, 0x21);
    openRomAt(dir.write(rom));
    Form3* editor = openEditor();
    EXPECT_EQ(editor->speciesBox(0)->currentIndex(), -1);
    clickSave(editor);

    const Bytes after = readWholeFile(path);
    EXPECT_EQ(after.at(static_cast<std::size_t>(first.species)), 0xC8);
    EXPECT_EQ(after.at(static_cast<std::size_t>(*first.secondSpecies)), 0xC8);
    const auto changed = differingOffsets(rom.bytes(), after);
    EXPECT_EQ(changed, std::vector<std::int64_t>{*first.secondSpecies});
}

TEST_P(OverworldWindow, AFailedWriteShowsItsErrorAndNoConfirmation)
{
    openRomAt(dir.write(SyntheticRom(GetParam())));
    Form3* editor = openEditor();
    editor->speciesBox(2)->setCurrentIndex(3);
    const Bytes before = readWholeFile(path);
    {
        ImmutableFile locked(path);
        if (!locked.active()) {
            GTEST_SKIP() << "this file system cannot make a file immutable";
        }
        clickSave(editor);
    }
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_TRUE(watcher.boxes()[0].title.startsWith(QStringLiteral("Error: ")));
    EXPECT_FALSE(watcher.boxes()[0].text.contains(QStringLiteral("successfully")));
    EXPECT_EQ(readWholeFile(path), before);
}

TEST_P(OverworldWindow, BattlesThatCouldNotBeReadAreNotWritten)
{
    if (GetParam() == GameVersion::Yellow) {
        GTEST_SKIP() << "Yellow keeps its species names behind every battle: a cut loses the lists first";
    }
    const SyntheticRom rom(GetParam());
    openRomAt(dir.write(rom));
    // Cut the file short before the editor opens: the battles beyond the cut cannot be read.
    std::filesystem::resize_file(path, 0x50000);
    Form3* editor = openEditor();
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_TRUE(watcher.boxes()[0].title.startsWith(QStringLiteral("Error: ")));
    // The file is whole again when the user saves.
    rom.writeTo(path);
    editor->levelBox(0)->setText(QStringLiteral("99"));
    clickSave(editor);

    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes().back().title, QStringLiteral("Error: 1003"));
    const auto changed = differingOffsets(rom.bytes(), readWholeFile(path));
    EXPECT_EQ(changed, std::vector<std::int64_t>{positionsOf(GetParam(), 0).level});
}

TEST_P(OverworldWindow, AnUnreadableSpeciesListClosesTheEditorAgain)
{
    openRomAt(dir.write(SyntheticRom(GetParam())));
    std::filesystem::resize_file(path, 0x1000);
    openEditor();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.overworldWindow(), nullptr);
    EXPECT_TRUE(window.isEnabled());
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].title, QStringLiteral("Error: 62"));
    EXPECT_EQ(std::filesystem::file_size(path), 0x1000u);
}

INSTANTIATE_TEST_SUITE_P(Versions,
                         OverworldWindow,
                         ::testing::Values(GameVersion::Red, GameVersion::Blue, GameVersion::Yellow),
                         [](const auto& param) { return std::string(profileOf(param.param).code); });

TEST(OverworldWindowLifetime, ClosingTheMainWindowClosesTheEditor)
{
    TempDir dir;
    ModalWatcher watcher;
    auto window = std::make_unique<Form1>();
    openRom(*window, dir.write(SyntheticRom(GameVersion::Red)), watcher);
    window->findChild<QAction*>(QStringLiteral("mnuBattle"))->trigger();
    QPointer<Form3> editor = window->overworldWindow();
    ASSERT_FALSE(editor.isNull());
    window->close();
    EXPECT_TRUE(editor.isNull());
}

} // namespace
