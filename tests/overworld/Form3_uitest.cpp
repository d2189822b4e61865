// The overworld battle editor through its real window: opening locks the main window, the six battles
// load, edits are saved at exactly their bytes and reload, and a battle the ROM keeps elsewhere is shown
// disabled and never written.

#include "UiHarness.h"
#include "overworld/Form3.h"

namespace {

class OverworldWindow : public ::testing::TestWithParam<GameVersion>
{
protected:
    Form3* openEditor()
    {
        editor.trigger("mnuBattle");
        return editor.window.overworldWindow();
    }
    void close(Form3* battles)
    {
        battles->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    EditorUnderTest editor;
};

} // namespace

// Random species and levels, picked and typed, saved: the file must equal the old one with exactly the
// species, second species and level bytes set, and reopening must show the values.
TEST_P(OverworldWindow, SavesExactlyTheBattleBytesAndReopensWithThem)
{
    SyntheticRom rom(GetParam());
    rom.set(LayoutOffsets::battle(GetParam(), 3).species, 0xC8);
    const std::string path = editor.open(rom);
    std::mt19937 random(1206);
    for (int round = 0; round < 3; ++round) {
        Form3* battles = openEditor();
        EXPECT_FALSE(editor.window.isEnabled());
        EXPECT_TRUE(battles->isVisible() && battles->isEnabled());
        std::map<std::int64_t, std::uint8_t> writes;
        std::vector<std::pair<int, int>> values;
        for (int battle = 0; battle < 6; ++battle) {
            const auto& at = LayoutOffsets::battle(GetParam(), battle);
            const Bytes before = fileBytes(path);
            EXPECT_EQ(battles->levelBox(battle)->text().toInt(), before[static_cast<std::size_t>(at.level)]);
            // A species byte the list has no entry for shows nothing and is written back unchanged.
            const int species = battle == 3 ? -1 : std::uniform_int_distribution(0, 190)(random);
            const int stored = before[static_cast<std::size_t>(at.species)];
            EXPECT_EQ(battles->speciesBox(battle)->currentIndex(), stored <= 190 ? stored : -1);
            values.emplace_back(species, std::uniform_int_distribution(0, 255)(random));
            battles->speciesBox(battle)->setCurrentIndex(species);
            retype(battles->levelBox(battle), QString::number(values.back().second));
            const auto byte = static_cast<std::uint8_t>(species < 0 ? 0xC8 : species);
            writes.insert({{at.species, byte}, {at.level, static_cast<std::uint8_t>(values.back().second)}});
            if (at.secondSpecies) {
                writes[*at.secondSpecies] = byte;
            }
        }
        const Bytes before = fileBytes(path);
        QTest::mouseClick(child<QPushButton>(battles, "Command1"), Qt::LeftButton);
        EXPECT_TRUE(changedExactly(before, fileBytes(path), writes));
        EXPECT_EQ(editor.watcher.boxes.back().text, "Overworld Pokémon Battle Data Saved successfully!");
        EXPECT_EQ(editor.watcher.boxes.back().icon, QMessageBox::Information);
        EXPECT_TRUE(battles->isVisible());
        close(battles);
        EXPECT_TRUE(editor.window.isEnabled());
        EXPECT_EQ(editor.window.overworldWindow(), nullptr);
    }
}

TEST_P(OverworldWindow, ABattleNotInPlaceIsShownDisabledAndNeverWritten)
{
    SyntheticRom rom(GetParam());
    rom.set(LayoutOffsets::battle(GetParam(), 0).species - 2, 0x00);
    const std::string path = editor.open(rom);
    Form3* battles = openEditor();
    EXPECT_FALSE(battles->speciesBox(0)->parentWidget()->isEnabled());
    EXPECT_TRUE(battles->speciesBox(1)->parentWidget()->isEnabled());
    EXPECT_EQ(battles->levelBox(0)->text(), "");
    EXPECT_TRUE(child<QLabel>(battles, "notes")->text().contains("Power Plant Zapdos"));
    QTest::mouseClick(child<QPushButton>(battles, "Command1"), Qt::LeftButton);
    EXPECT_EQ(fileBytes(path), rom.bytes());
    EXPECT_EQ(editor.watcher.boxes.back().title, "Tavrik");
    // Closing the main window closes the editor with it.
    editor.window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.window.overworldWindow(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Versions,
                         OverworldWindow,
                         ::testing::Values(GameVersion::Red, GameVersion::Blue, GameVersion::Yellow),
                         [](const auto& param) { return std::string(profileOf(param.param).code); });
