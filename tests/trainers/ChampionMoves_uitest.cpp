// The champion's moves in the main window: shown with every Red or Blue trainer in place of Yellow's note, named
// by the rival's starters as the ROM names them, saved with the trainer (only their operands change), undone as
// an edit, and greyed with the reason where the code that gives them is not the game's.

#include "UiHarness.h"

#include <QGroupBox>
#include <QLabel>

TEST(ChampionMoves, EditedSavedAndGreyedWhereTheCodeIsNotTheGames)
{
    EditorUnderTest editor;
    const SyntheticRom rom(GameVersion::Red);
    const std::string path = editor.open(rom);
    clickTrainer(editor.window, 3);
    auto* frame = editor.find<QGroupBox>("frmchampion");
    auto* otherwise = editor.find<QComboBox>("championOtherwise");
    EXPECT_TRUE(!frame->isHidden() && frame->isEnabled());
    EXPECT_EQ(editor.find<QComboBox>("championFirst")->currentIndex(), 0x8F - 1);
    EXPECT_EQ(editor.find<QComboBox>("championCharmander")->currentIndex(), 0x7E - 1);
    EXPECT_EQ(editor.find<QLabel>("championBulbasaurLabel")->text(),
              QString::fromStdString("Member 6, rival's " + SyntheticRom::speciesName(0x99) + ":"));
    otherwise->setCurrentIndex(5);
    EXPECT_TRUE(editor.window.isWindowModified());
    editor.window.trainerForm()->editSteps()->undo();
    EXPECT_EQ(otherwise->currentIndex(), 0x3B - 1);
    EXPECT_FALSE(editor.window.isWindowModified());
    editor.find<QComboBox>("championFirst")->setCurrentIndex(9);
    otherwise->setCurrentIndex(5);
    editor.trigger("mnuSave");
    EXPECT_TRUE(changedExactly(rom.bytes(),
                               fileBytes(path),
                               {{LayoutOffsets::ChampionFirstMove, 10}, {LayoutOffsets::ChampionOtherwiseMove, 6}}));
    EXPECT_EQ(otherwise->currentIndex(), 5);

    SyntheticRom changed(GameVersion::Blue);
    changed.set(LayoutOffsets::ChampionBranch + 2, 0x00);
    const std::string changedPath = editor.open(changed, "changed.gb");
    clickTrainer(editor.window, 0);
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_TRUE(frame->toolTip().contains("is not the game's")) << frame->toolTip().toStdString();
    retype(editor.window.levelBox(1), "60");
    editor.trigger("mnuSave");
    EXPECT_TRUE(changedExactly(changed.bytes(), fileBytes(changedPath), {{LayoutOffsets::Blue[0].party, 60}}));

    editor.open(SyntheticRom(GameVersion::Yellow), "yellow.gb");
    clickTrainer(editor.window, 0);
    EXPECT_TRUE(frame->isHidden());
}
