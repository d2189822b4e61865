// Yellow's custom moves edited in both windows through their real widgets: a move picked, a row added and removed,
// the moves shown under the party following before the save, the edit undone as a step, and the save changing
// exactly the table's bytes (a party without an entry gets one at the table's end). Red and Blue have no table.

#include "UiHarness.h"
#include "trainers/CustomMovesEditor.h"
#include "trainers/Form4.h"

#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>

namespace {

// Where Yellow keeps the table.
constexpr std::int32_t Table = 0x39C6B;
// The builder's table: {2, 1: (1, 2, 33), (1, 3, 40)}, {35, 1: (2, 2, 57)}, {15, 1: (1, 3, 21), (2, 3, 22)}.
const Bytes Built = {2, 1, 1, 2, 33, 1, 3, 40, 0, 35, 1, 2, 2, 57, 0, 15, 1, 1, 3, 21, 2, 3, 22, 0, 0xFF};

Writes tableWrites(const Bytes& table)
{
    Writes writes;
    // A shorter table leaves zeros where the longer one ended.
    for (std::size_t k = 0; k < std::max(table.size(), Built.size()); ++k) {
        writes[Table + static_cast<std::int32_t>(k)] = k < table.size() ? table[k] : std::uint8_t{0};
    }
    return writes;
}

QComboBox* cell(CustomMovesEditor* editor, int row, int column)
{
    return qobject_cast<QComboBox*>(editor->table()->cellWidget(row, column));
}

// The next item of a row's list, picked with the keyboard as a user would.
void pickNext(CustomMovesEditor* editor, int row, int column)
{
    QComboBox* list = cell(editor, row, column);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
}

QString moveName(int move)
{
    return QString::fromStdString(SyntheticRom::moveName(move));
}

} // namespace

TEST(CustomMoves, EditedInTheMainWindowWhereRedAndBlueHaveTheChampionsMoves)
{
    EditorUnderTest editor;
    const SyntheticRom rom(GameVersion::Yellow);
    const std::string path = editor.open(rom);
    clickTrainer(editor.window, 1);
    auto* frame = editor.find<QGroupBox>("frmcustom");
    CustomMovesEditor* moves = editor.window.trainerForm()->customMovesEditor();
    EXPECT_TRUE(!frame->isHidden() && frame->isEnabled());
    ASSERT_EQ(moves->table()->rowCount(), 1);
    EXPECT_EQ(cell(moves, 0, 0)->currentIndex(), 1);
    EXPECT_EQ(cell(moves, 0, 1)->currentText(), "2");
    EXPECT_EQ(cell(moves, 0, 2)->currentText(), moveName(57));
    // MISTY's second member, named as the rows stand.
    EXPECT_EQ(cell(moves, 0, 0)->currentText(), "2: " + editor.window.speciesBox(2)->currentText());

    // A wheel turned over a list the user has not picked leaves it alone.
    QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(cell(moves, 0, 2), &wheel);
    EXPECT_EQ(cell(moves, 0, 2)->currentText(), moveName(57));

    pickNext(moves, 0, 2);
    moves->addButton()->click();
    ASSERT_EQ(moves->table()->rowCount(), 2);
    EXPECT_EQ(cell(moves, 1, 1)->currentText(), "3");
    // The new row is picked, ready for Remove.
    EXPECT_TRUE(moves->removeButton()->isEnabled());
    EXPECT_TRUE(editor.window.isWindowModified());
    // The moves under the party follow before the save, the game's own in bold.
    const QString shown = editor.find<QLabel>("memberMoves")->text();
    EXPECT_TRUE(shown.contains("<b>" + moveName(58) + "</b>, <b>" + moveName(58) + "</b>")) << shown.toStdString();
    editor.window.trainerForm()->editSteps()->undo();
    EXPECT_EQ(moves->table()->rowCount(), 1);
    editor.window.trainerForm()->editSteps()->redo();
    ASSERT_EQ(moves->table()->rowCount(), 2);
    // After slot 4 comes the next member's slot 1.
    moves->addButton()->click();
    moves->addButton()->click();
    EXPECT_EQ(moves->moves().back(), (CustomMove{3, 1, 58}));
    moves->removeButton()->click();
    moves->removeButton()->click();

    editor.trigger("mnuSave");
    Bytes table = Built;
    table[13] = 58;
    table.insert(table.begin() + 14, {2, 3, 58});
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), tableWrites(table)));
    EXPECT_FALSE(editor.window.isWindowModified());
    ASSERT_FALSE(editor.watcher.boxes.empty());
    EXPECT_TRUE(editor.watcher.boxes.back().text.endsWith("saved successfully!"));
    // The save goes back to the first trainer, who has no custom moves.
    EXPECT_EQ(moves->table()->rowCount(), 0);
    clickTrainer(editor.window, 1);
    EXPECT_EQ(moves->table()->rowCount(), 2);

    editor.open(SyntheticRom(GameVersion::Red), "red.gb");
    clickTrainer(editor.window, 1);
    EXPECT_TRUE(frame->isHidden());
}

TEST(CustomMoves, EditedBesideThePartyInTrainerParties)
{
    EditorUnderTest editor;
    const SyntheticRom rom(GameVersion::Yellow);
    const std::string path = editor.open(rom);
    editor.trigger("mnuParties");
    Form4* window = editor.window.partiesWindow();
    ASSERT_NE(window, nullptr);
    CustomMovesEditor* moves = window->customMovesEditor();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->selectParty(15, 1);
    ASSERT_EQ(moves->table()->rowCount(), 2);
    // The first row taken away: member 1 keeps its own move in slot 3.
    cell(moves, 0, 2)->setFocus();
    EXPECT_TRUE(moves->removeButton()->isEnabled());
    moves->removeButton()->click();
    ASSERT_EQ(moves->table()->rowCount(), 1);
    EXPECT_EQ(window->partyMoves()->topLevelItem(0)->text(2), QString());
    EXPECT_TRUE(window->isWindowModified());
    press(window, Qt::Key_S, Qt::ControlModifier);
    Bytes table = Built;
    table.erase(table.begin() + 17, table.begin() + 20);
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), tableWrites(table)));
    EXPECT_EQ(child<QLabel>(window, "notes")->text(),
              "Data for " + window->item(15, 0)->text(0) + " party 1 saved successfully!");

    // A party without an entry gets one at the end of the table; the edit is a step of its own.
    window->selectParty(34, 1);
    EXPECT_EQ(moves->table()->rowCount(), 0);
    EXPECT_FALSE(moves->removeButton()->isEnabled());
    moves->addButton()->click();
    window->editSteps()->undo();
    EXPECT_EQ(moves->table()->rowCount(), 0);
    EXPECT_FALSE(window->isWindowModified());
    window->editSteps()->redo();
    ASSERT_EQ(moves->table()->rowCount(), 1);
    pickNext(moves, 0, 0);
    pickNext(moves, 0, 2);
    EXPECT_TRUE(window->partyMoves()->topLevelItem(1)->text(2).startsWith(moveName(2) + " in slot 1"))
        << window->partyMoves()->topLevelItem(1)->text(2).toStdString();
    window->cmdSave_Click();
    table.insert(table.end() - 1, {34, 1, 2, 1, 2, 0});
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), tableWrites(table)));
    // The member the row names is gone, its move kept at the user's word: warned about.
    editor.watcher.answers.push_back(QMessageBox::No);
    window->partyRows()->removeButton(2)->click();
    EXPECT_TRUE(child<QLabel>(window, "notes")->text().contains(moveName(2) + " to member 2"))
        << child<QLabel>(window, "notes")->text().toStdString();
    EXPECT_EQ(cell(moves, 0, 0)->currentText(), "2: none");
    // Undone, the member lists name the member again.
    window->editSteps()->undo();
    EXPECT_EQ(cell(moves, 0, 0)->currentText(), "2: " + window->partyRows()->speciesBox(2)->currentText());

    editor.watcher.answers.push_back(QMessageBox::Discard);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    editor.open(SyntheticRom(GameVersion::Red), "red.gb");
    editor.trigger("mnuParties");
    EXPECT_TRUE(child<QGroupBox>(editor.window.partiesWindow(), "frmcustom")->isHidden());
}

TEST(CustomMoves, ARemovedMembersMovesMoveWithTheMembersAfterItAtTheUsersWord)
{
    EditorUnderTest editor;
    const SyntheticRom yellow(GameVersion::Yellow);
    editor.open(yellow);
    clickTrainer(editor.window, 1);
    TrainerForm* form = editor.window.trainerForm();
    CustomMovesEditor* moves = form->customMovesEditor();
    const int members = form->partyRows()->memberCount();
    ASSERT_GE(members, 2);
    // MISTY's member 2 has a custom move: member 1 removed, it follows its member, in the same undo step.
    editor.watcher.answers.push_back(QMessageBox::Yes);
    form->partyRows()->removeButton(1)->click();
    ASSERT_EQ(editor.watcher.boxes.size(), 1U);
    EXPECT_EQ(editor.watcher.boxes.back().text, "Move the custom moves of the members after member 1 with them?");
    EXPECT_EQ(moves->moves(), (std::vector<CustomMove>{{1, 2, 57}}));
    EXPECT_EQ(cell(moves, 0, 0)->currentIndex(), 0);
    form->editSteps()->undo();
    EXPECT_EQ(form->partyRows()->memberCount(), members);
    EXPECT_EQ(moves->moves(), (std::vector<CustomMove>{{2, 2, 57}}));
    // The member itself removed: its moves go with it at the user's word, and stay where the user says no.
    editor.watcher.answers.push_back(QMessageBox::No);
    form->partyRows()->removeButton(2)->click();
    EXPECT_EQ(editor.watcher.boxes.back().text, "Remove the custom moves of member 2 with it?");
    EXPECT_EQ(moves->moves(), (std::vector<CustomMove>{{2, 2, 57}}));
    form->editSteps()->undo();
    editor.watcher.answers.push_back(QMessageBox::Yes);
    form->partyRows()->removeButton(2)->click();
    EXPECT_TRUE(moves->moves().empty());
    form->editSteps()->undo();

    // Red's MISTA gives the special move to member 2: saved with the member it followed.
    const SyntheticRom red(GameVersion::Red);
    const std::string path = editor.open(red, "red.gb");
    clickTrainer(editor.window, 1);
    const LoadedTrainer before = readTrainer(red.bytes(), profileOf(GameVersion::Red), 1);
    ASSERT_EQ(before.record.specialMoveUser, 1);
    const std::size_t seen = editor.watcher.boxes.size();
    editor.watcher.answers.push_back(QMessageBox::Yes);
    form->partyRows()->removeButton(1)->click();
    ASSERT_EQ(editor.watcher.boxes.size(), seen + 1);
    EXPECT_EQ(editor.watcher.boxes.back().text, "Move the special move with its member?");
    EXPECT_EQ(editor.find<QComboBox>("pkmnno")->currentIndex(), 0);
    editor.trigger("mnuSave");
    TrainerRecord expected = before.record;
    expected.party->erase(expected.party->begin());
    expected.specialMoveUser = 0;
    EXPECT_EQ(readTrainer(fileBytes(path), profileOf(GameVersion::Red), 1).record, expected);
}
