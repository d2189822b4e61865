// The Difficulty dialog through its widgets: the options set as a user sets them, the preview the core plans shown
// and charted, Apply writing exactly the planned bytes as one save that the other windows follow and the next
// preview warns of, and a refusal shown in a box with the file left alone.

#include "UiHarness.h"
#include "difficulty/Form7.h"
#include "trainers/Form4.h"
#include "trainers/PartyRows.h"

#include <QAbstractSeries>
#include <QBarCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <numeric>

namespace {

QString joined(const DifficultyRom& read, const DifficultyPlan& plan)
{
    QStringList lines;
    for (const std::string& line : previewLines(plan.preview, planDifficultyWrites(read, plan))) {
        lines << QString::fromStdString(line);
    }
    return lines.join(QLatin1Char('\n'));
}

struct DifficultyDialog : ::testing::TestWithParam<GameVersion>
{
    Form7* open(const SyntheticRom& rom)
    {
        path = editor.open(rom);
        QAction* action = editor.find<QAction>("mnuDifficulty");
        EXPECT_TRUE(action->isVisible() && action->isEnabled());
        editor.trigger("mnuDifficulty");
        return editor.window.difficultyWindow();
    }

    EditorUnderTest editor;
    std::string path;
};

} // namespace

TEST_P(DifficultyDialog, TenPercentAndFourMembersPreviewedChartedAndSaved)
{
    const SyntheticRom rom(GetParam());
    Form7* dialog = open(rom);
    ASSERT_NE(dialog, nullptr);
    auto* text = child<QPlainTextEdit>(dialog, "txtPreview");
    auto* apply = child<QPushButton>(dialog, "cmdApply");
    EXPECT_FALSE(apply->isEnabled());
    // Ctrl+S applies as Apply does: with nothing to change, nothing is written or said.
    press(dialog, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(child<QLabel>(dialog, "lblNotes")->text().isEmpty());
    // The slider moves the box with it, and the preview follows every step.
    child<QSlider>(dialog, "sldLevels")->setValue(10);
    EXPECT_EQ(child<QSpinBox>(dialog, "spnLevels")->value(), 10);
    child<QSpinBox>(dialog, "spnMinParty")->setValue(4);
    DifficultyOptions options;
    options.trainers = {true, 10};
    options.minParty = 4;
    EXPECT_EQ(dialog->options(), options);
    const DifficultyRom read = readDifficultyRom(rom.bytes(), profileOf(GetParam()), false);
    const DifficultyPlan plan = planDifficulty(read, options);
    EXPECT_EQ(text->toPlainText(), joined(read, plan));
    EXPECT_TRUE(text->toPlainText().endsWith("The trainer bank would be laid out anew to make room."));
    EXPECT_TRUE(apply->isEnabled());
    // The chart: the wild band and the four lines, one point a leader in the order they are fought.
    const QList<QAbstractSeries*> series = dialog->chart()->series();
    ASSERT_EQ(series.size(), 5);
    auto* leaders = qobject_cast<QBarCategoryAxis*>(dialog->chart()->axes(Qt::Horizontal).front());
    ASSERT_NE(leaders, nullptr);
    EXPECT_EQ(leaders->count(), 12);
    EXPECT_EQ(leaders->at(0).toStdString(), plan.preview.leaders.front().name);
    // Another option changes the preview at once; the levels' share stays.
    child<QComboBox>(dialog, "cboScope")->setCurrentIndex(1);
    options.scope = TrainerScope::LeadersOnly;
    EXPECT_EQ(text->toPlainText(), joined(read, planDifficulty(read, options)));
    child<QComboBox>(dialog, "cboScope")->setCurrentIndex(0);

    editor.trigger("mnuParties");
    Form4* parties = editor.window.partiesWindow();
    const TrainerClass& first = trainerClass(0);
    parties->selectParty(first.number, first.party);
    apply->click();
    Bytes planned = rom.bytes();
    applyWritePlan(planned, planDifficultyWrites(read, plan)->plan);
    EXPECT_EQ(fileBytes(path), planned);
    const auto changed = std::inner_product(
        planned.begin(), planned.end(), rom.bytes().begin(), 0L, std::plus<>(), std::not_equal_to<>());
    EXPECT_EQ(child<QLabel>(dialog, "lblNotes")->text(),
              QStringLiteral("The difficulty change was saved: %1 bytes changed.")
                  .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(changed))));
    EXPECT_TRUE(editor.watcher.boxes.empty());
    // The other windows show the file as it is now; the dialog warns that a change is in effect.
    const PartyTable after = readPartyTable(planned, profileOf(GetParam()));
    EXPECT_EQ(parties->partyRows()->levelBox(1)->text().toInt(),
              after.party(first.number, first.party)->members.front().level);
    // Once, above the preview.
    EXPECT_TRUE(child<QLabel>(dialog, "lblEarlier")->isVisibleTo(dialog));
    EXPECT_TRUE(child<QLabel>(dialog, "lblEarlier")->text().startsWith("This ROM's history holds an earlier"));
    EXPECT_FALSE(text->toPlainText().contains("earlier difficulty change"));
    // Ctrl+W closes the dialog, which Extras > Difficulty... opens anew on the file as it is then.
    const QPointer<Form7> closing(dialog);
    press(dialog, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    editor.trigger("mnuDifficulty");
    ASSERT_NE(editor.window.difficultyWindow(), nullptr);
    EXPECT_TRUE(
        child<QLabel>(editor.window.difficultyWindow(), "lblEarlier")->isVisibleTo(editor.window.difficultyWindow()));
    EXPECT_EQ(fileBytes(path), planned);
}

TEST_P(DifficultyDialog, ARefusalIsShownAndWritesNothing)
{
    SyntheticRom rom(GetParam());
    const FreeSpace free = readPartyTable(rom.bytes(), profileOf(GetParam())).free;
    rom.put(free.start, Bytes(static_cast<std::size_t>(free.length), 0x77));
    Form7* dialog = open(rom);
    ASSERT_NE(dialog, nullptr);
    child<QSpinBox>(dialog, "spnMinParty")->setValue(6);
    child<QSpinBox>(dialog, "spnWild")->setValue(20);
    const QString preview = child<QPlainTextEdit>(dialog, "txtPreview")->toPlainText();
    EXPECT_TRUE(preview.contains("it does not fit"));
    EXPECT_TRUE(preview.contains("Apply would be refused: ")) << preview.toStdString();
    child<QPushButton>(dialog, "cmdApply")->click();
    ASSERT_EQ(editor.watcher.boxes.size(), 1U);
    EXPECT_TRUE(editor.watcher.boxes.front().text.contains("Nothing was written."));
    EXPECT_EQ(fileBytes(path), rom.bytes());
    EXPECT_TRUE(child<QLabel>(dialog, "lblNotes")->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Versions, DifficultyDialog, ::testing::Values(GameVersion::Red, GameVersion::Yellow));
