// Editing without surprises: the question before unsaved edits are lost (picking another trainer,
// opening another ROM, closing the window), with each of its three answers, and the warnings about
// values the game cannot use, which come and go with the values and never block a save.

#include "UiHarness.h"

TEST(UnsavedChanges, AreSavedDiscardedOrKeptAsTheUserAnswers)
{
    EditorUnderTest editor;
    const SyntheticRom rom(GameVersion::Red);
    const std::string path = editor.open(rom);
    auto* roster = editor.find<QListWidget>("trainerlst");
    clickTrainer(editor.window, 0);
    EXPECT_FALSE(editor.window.isWindowModified());
    retype(editor.window.levelBox(1), "77");
    EXPECT_TRUE(editor.window.isWindowModified());

    // Cancel: the edited trainer stays selected with its edit.
    clickTrainer(editor.window, 1);
    EXPECT_EQ(roster->currentRow(), 0);
    EXPECT_EQ(editor.window.levelBox(1)->text(), "77");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to ROCKY?");
    // Discard: the other trainer loads and the file is as it was.
    editor.watcher.answers.push_back(QMessageBox::Discard);
    clickTrainer(editor.window, 1);
    EXPECT_EQ(roster->currentRow(), 1);
    EXPECT_FALSE(editor.window.isWindowModified());
    EXPECT_EQ(fileBytes(path), rom.bytes());
    // Save: written, confirmed, and the trainer picked is the one loaded.
    retype(editor.window.levelBox(1), "88");
    editor.watcher.answers.push_back(QMessageBox::Save);
    clickTrainer(editor.window, 2);
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{LayoutOffsets::Red[1].party, 88}}));
    EXPECT_EQ(editor.watcher.boxes.back().text, "Data for MISTA saved successfully!");
    EXPECT_EQ(roster->currentRow(), 2);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), "CAPTVOLT");

    // Opening another ROM and closing the window ask the same; Cancel keeps everything.
    retype(editor.find<QLineEdit>("namebox"), "VOLT");
    editor.window.openRomFile(QString::fromStdString(editor.dir.write(SyntheticRom(GameVersion::Blue), "blue.gb")));
    EXPECT_EQ(editor.window.session().path, path);
    EXPECT_FALSE(editor.window.close());
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), "VOLT");
    editor.watcher.answers.push_back(QMessageBox::Discard);
    EXPECT_TRUE(editor.window.close());
}

// Values the game cannot use are marked beside their control and in the notes. A level of 0 or MISSINGNO.
// would end the party for the game's count of parties and is refused at the save; a move the party is too
// small for is only warned about.
TEST(Warnings, ComeAndGoWithTheValuesAndBlockOnlyWhatWouldBreakTheParties)
{
    EditorUnderTest editor;
    SyntheticRom rom(GameVersion::Blue);
    const auto misty = LayoutOffsets::Blue[1];
    rom.set(*misty.moveUser, 2);
    const std::string path = editor.open(rom);
    clickTrainer(editor.window, 1);
    auto* userWarning = editor.find<QLabel>("pkmnnoWarning");
    EXPECT_TRUE(!userWarning->isHidden());
    EXPECT_TRUE(editor.find<QComboBox>("pkmnno")->accessibleDescription().contains("member 3"));
    EXPECT_TRUE(editor.notes().contains("special move's user")) << editor.notes().toStdString();

    QAction* levelWarning = editor.window.levelBox(2)->findChild<QAction*>("lvl2Warning");
    auto* speciesWarning = editor.find<QLabel>("pkmn1Warning");
    EXPECT_FALSE(levelWarning->isVisible() || !speciesWarning->isHidden());
    retype(editor.window.levelBox(2), "0");
    editor.window.speciesBox(1)->setCurrentIndex(0);
    EXPECT_TRUE(levelWarning->isVisible() && !speciesWarning->isHidden());
    EXPECT_TRUE(levelWarning->toolTip().contains("Remove the member") && speciesWarning->toolTip().contains("end"));
    EXPECT_TRUE(editor.window.levelBox(2)->accessibleDescription().contains("ends the party"));
    EXPECT_TRUE(editor.notes().contains("member 2's level 0") && editor.notes().contains("MISSINGNO. at member 1"));
    editor.trigger("mnuSave");
    EXPECT_EQ(editor.watcher.boxes.back().title, "Error: 1006");
    EXPECT_EQ(fileBytes(path), rom.bytes());

    // Member 2 removed instead, and a species picked: the user is member 1, and nothing is left to warn about.
    QTest::mouseClick(editor.find<QToolButton>("delpoke2"), Qt::LeftButton);
    editor.window.speciesBox(1)->setCurrentIndex(4);
    editor.find<QComboBox>("pkmnno")->setCurrentIndex(0);
    EXPECT_FALSE(!speciesWarning->isHidden() || !userWarning->isHidden() || levelWarning->isVisible());
    EXPECT_FALSE(editor.notes().contains("Warning"));
    editor.trigger("mnuSave");
    EXPECT_TRUE(
        changedExactly(rom.bytes(),
                       fileBytes(path),
                       {{misty.party + 1, 4}, {misty.party + 2, 0}, {misty.party + 3, 0}, {*misty.moveUser, 0}}));

    // An Elite Four member's team move goes to member 5: with four members it is lost, which only warns.
    clickTrainer(editor.window, 8);
    QTest::mouseClick(editor.find<QToolButton>("delpoke5"), Qt::LeftButton);
    const QString move = editor.find<QComboBox>("attacklst")->itemText(rom.at(*LayoutOffsets::Blue[8].move) - 1);
    EXPECT_TRUE(editor.notes().contains("gives " + move + " to member 5")) << editor.notes().toStdString();
    editor.trigger("mnuSave");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Data for LORELAI saved successfully!");
}
