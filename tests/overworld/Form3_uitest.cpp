// The overworld battle editor through its real window, beside the main window: the six battles load, edits are saved at
// exactly their bytes by Save or by the question when the window closes, and a battle the ROM keeps elsewhere, or a
// file that may not be written, is never written.

#include "UiHarness.h"
#include "overworld/Form3.h"

using OverworldWindow = ::testing::TestWithParam<GameVersion>;

TEST_P(OverworldWindow, SavesExactlyTheEditedBattleBytes)
{
    EditorUnderTest editor;
    SyntheticRom rom(GetParam());
    // A species byte the list has no entry for shows nothing and is written back unchanged.
    rom.set(LayoutOffsets::battle(GetParam(), 3).species, 0xC8);
    const std::string path = editor.open(rom);
    // Saved by the button, then by the question when the window closes (after a Cancel that keeps it open).
    for (const bool byButton : {true, false}) {
        editor.trigger("mnuBattle");
        Form3* battles = editor.window.overworldWindow();
        Writes writes;
        for (int battle = 0; battle < 6; ++battle) {
            const auto& at = LayoutOffsets::battle(GetParam(), battle);
            const Bytes before = fileBytes(path);
            EXPECT_EQ(battles->levelBox(battle)->text().toInt(), before[static_cast<std::size_t>(at.level)]);
            EXPECT_EQ(battles->speciesBox(battle)->currentIndex(),
                      battle == 3 ? -1 : before[static_cast<std::size_t>(at.species)]);
            const int species = battle == 3 ? -1 : 10 * battle + byButton;
            battles->speciesBox(battle)->setCurrentIndex(species);
            // Typed, and kept within 0..255.
            retype(battles->levelBox(battle), QString::number(256 - battle + byButton));
            const auto byte = static_cast<std::uint8_t>(species < 0 ? 0xC8 : species);
            writes.insert({{at.species, byte},
                           {at.level, std::min(256 - battle + byButton, 255)},
                           {at.secondSpecies.value_or(at.species), byte}});
        }
        const Bytes before = fileBytes(path);
        if (byButton) {
            QTest::mouseClick(child<QPushButton>(battles, "Command1"), Qt::LeftButton);
            EXPECT_EQ(editor.watcher.boxes.back().text, "Overworld Pokémon Battle Data Saved successfully!");
            EXPECT_FALSE(battles->isWindowModified());
        } else {
            EXPECT_FALSE(battles->close());
            editor.watcher.answers.push_back(QMessageBox::Save);
        }
        EXPECT_TRUE(battles->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(changedExactly(before, fileBytes(path), writes));
        EXPECT_TRUE(editor.window.isEnabled() && editor.window.overworldWindow() == nullptr);
    }
}

TEST_P(OverworldWindow, ABattleNotInPlaceIsShownDisabledAndNeverWritten)
{
    EditorUnderTest editor;
    SyntheticRom rom(GetParam());
    rom.set(LayoutOffsets::battle(GetParam(), 0).species - 2, 0x00);
    const std::string path = editor.open(rom);
    editor.trigger("mnuBattle");
    Form3* battles = editor.window.overworldWindow();
    EXPECT_FALSE(battles->speciesBox(0)->parentWidget()->isEnabled());
    EXPECT_TRUE(battles->speciesBox(1)->parentWidget()->isEnabled());
    EXPECT_EQ(battles->levelBox(0)->text() + battles->speciesBox(0)->currentText(), "");
    EXPECT_TRUE(child<QLabel>(battles, "notes")->text().contains("Power Plant Zapdos"));
    QTest::mouseClick(child<QPushButton>(battles, "Command1"), Qt::LeftButton);
    EXPECT_EQ(editor.watcher.boxes.back().title, "Tavrik");
    // A file that may not be written: the failure, no confirmation.
    retype(battles->levelBox(1), "7");
    const ImmutableFile locked(path);
    QTest::mouseClick(child<QPushButton>(battles, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(!locked.active || editor.watcher.boxes.back().title == "Error: 70");
    EXPECT_EQ(fileBytes(path), rom.bytes());
    editor.watcher.answers.push_back(QMessageBox::Discard);
    // Closing the main window closes the editor with it.
    editor.window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.window.overworldWindow(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Versions,
                         OverworldWindow,
                         ::testing::Values(GameVersion::Red, GameVersion::Blue, GameVersion::Yellow),
                         [](const auto& param) { return std::string(profileOf(param.param).code); });
