// The Trainer Parties window's table of moves and stats: a row for each member with its four moves as the game
// gives them, the stats and PP in its tooltip, the game's own moves in bold with where they come from, and every
// value following a level or species typed and not saved.

#include "TempRom.h"
#include "UiHarness.h"
#include "battles/BattlerText.h"
#include "species/Form6.h"
#include "trainers/Form4.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerLayout.h"

#include <QTreeWidget>

namespace {

QStringList moveNamesOf(const Bytes& image, GameVersion version)
{
    QStringList names;
    for (const std::string& name : moveNames(image, profileOf(version))) {
        names << QString::fromStdString(name);
    }
    return names;
}

// Each member's four moves as the file at path gives them to the trainer of rosterIndex.
std::vector<MoveSet> movesInFile(const std::string& path, int rosterIndex)
{
    const Bytes image = fileBytes(path);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const TrainerClass& trainer = trainerClass(rosterIndex);
    std::vector<MoveSet> moves;
    for (const Battler& battler :
         partyBattlers(readSpeciesData(image, profile),
                       readSpecialMoves(image, profile),
                       trainer.number,
                       trainer.party,
                       PartyFormat::LevelEach,
                       readPartyTable(image, profile).party(trainer.number, trainer.party)->members)) {
        moves.push_back(battler.moves);
    }
    return moves;
}

} // namespace

TEST(PartyMovesTable, FollowsTheRowsAndShowsTheGamesOwnMovesInBold)
{
    const SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    const SpecialMoves special = readSpecialMoves(rom.bytes(), profile);
    const QStringList moves = moveNamesOf(rom.bytes(), GameVersion::Red);
    EditorUnderTest editor;
    editor.open(rom);
    editor.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor.window));
    QTest::keyClick(&editor.window, Qt::Key_T, Qt::ControlModifier);
    Form4* window = editor.window.partiesWindow();
    ASSERT_NE(window, nullptr);
    const LeaderMove& leader = special.leaders.at(2);
    window->selectParty(leader.classNumber, leader.partyNumber);
    QTreeWidget* table = window->partyMoves();
    std::vector<PartyMember> members =
        readPartyTable(rom.bytes(), profile).party(leader.classNumber, leader.partyNumber)->members;
    const auto expect = [&](const char* step) {
        SCOPED_TRACE(step);
        const std::vector<Battler> battlers =
            partyBattlers(data, special, leader.classNumber, leader.partyNumber, PartyFormat::LevelEach, members);
        ASSERT_EQ(table->topLevelItemCount(), static_cast<int>(battlers.size()));
        for (int member = 0; member < table->topLevelItemCount(); ++member) {
            const QTreeWidgetItem* row = table->topLevelItem(member);
            const Battler& battler = battlers[static_cast<std::size_t>(member)];
            EXPECT_EQ(row->text(1), movesLine(battler, moves));
            // A species without a record has no stats.
            EXPECT_EQ(row->toolTip(1).contains(QString("Attack %1 ·").arg(battler.stats ? battler.stats->attack : -1)),
                      battler.stats.has_value())
                << row->toolTip(1).toStdString();
            const bool user = member == leader.user;
            EXPECT_EQ(row->text(2).isEmpty(), !user);
            if (user) {
                EXPECT_EQ(row->text(2), QString("%1 in slot 3 (gym leader)").arg(moves.value(leader.move - 1)));
                EXPECT_TRUE(row->font(2).bold());
                EXPECT_EQ(battler.moves[2], leader.move);
            }
        }
    };
    expect("as loaded");
    PartyRows* rows = window->partyRows();
    retype(rows->levelBox(leader.user + 1), "60");
    members[static_cast<std::size_t>(leader.user)].level = 60;
    expect("a level typed");
    rows->speciesBox(1)->setCurrentIndex(7);
    members[0].species = 7;
    expect("a species picked");
    EXPECT_TRUE(window->hasUnsavedChanges());
}

TEST(MainWindowMoves, FollowTheRowsAndTheSpecialMoveNotYetSaved)
{
    const SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    SpecialMoves special = readSpecialMoves(rom.bytes(), profile);
    const QStringList moves = moveNamesOf(rom.bytes(), GameVersion::Red);
    EditorUnderTest editor;
    editor.open(rom);
    clickTrainer(editor.window, 1);
    LeaderMove& leader = special.leaders.at(1);
    std::vector<PartyMember> members =
        readPartyTable(rom.bytes(), profile).party(leader.classNumber, leader.partyNumber)->members;
    auto* label = child<QLabel>(&editor.window, "memberMoves");
    const auto expect = [&](const char* step) {
        SCOPED_TRACE(step);
        const std::vector<Battler> battlers =
            partyBattlers(data, special, leader.classNumber, leader.partyNumber, PartyFormat::LevelEach, members);
        const QStringList lines = label->text().split("<br>");
        ASSERT_EQ(lines.size(), static_cast<qsizetype>(battlers.size())) << label->text().toStdString();
        for (std::size_t member = 0; member < battlers.size(); ++member) {
            for (std::size_t slot = 0; slot < 4; ++slot) {
                const int move = battlers[member].moves[slot];
                const QString name = move == 0 ? QString("—") : moves.value(move - 1);
                const bool bold = static_cast<int>(member) == leader.user && slot == 2;
                EXPECT_TRUE(lines[static_cast<qsizetype>(member)].contains(bold ? "<b>" + name + "</b>" : name))
                    << lines[static_cast<qsizetype>(member)].toStdString();
            }
        }
    };
    expect("as loaded");
    child<QComboBox>(&editor.window, "attacklst")->setCurrentIndex(99);
    leader.move = 100;
    expect("another special move");
    auto* user = child<QComboBox>(&editor.window, "pkmnno");
    user->setCurrentIndex(leader.user == 0 ? 1 : 0);
    leader.user = user->currentIndex();
    expect("another member uses it");
    retype(editor.window.findChild<PartyRows*>()->levelBox(1), "77");
    members[0].level = 77;
    expect("a level typed");
}

// The species data behind the moves is kept from one trainer to the next: a learnset saved in the Pokémon window
// must change the moves shown at once, and still when the trainer is picked again.
TEST(MainWindowMoves, FollowALearnsetSavedInAnotherWindow)
{
    const SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const QStringList names = moveNamesOf(rom.bytes(), GameVersion::Red);
    EditorUnderTest editor;
    const std::string path = editor.open(rom);
    constexpr int Shown = 2;
    clickTrainer(editor.window, 1);
    clickTrainer(editor.window, Shown);
    auto* label = child<QLabel>(&editor.window, "memberMoves");
    const auto expect = [&](const char* step, const std::vector<MoveSet>& moves) {
        SCOPED_TRACE(step);
        const QStringList lines = label->text().remove("<b>").remove("</b>").split("<br>");
        ASSERT_EQ(lines.size(), static_cast<qsizetype>(moves.size())) << label->text().toStdString();
        for (std::size_t member = 0; member < moves.size(); ++member) {
            QStringList shown;
            for (const int move : moves[member]) {
                shown << (move == 0 ? QString("—") : names.value(move - 1));
            }
            EXPECT_TRUE(lines[static_cast<qsizetype>(member)].endsWith(": " + shown.join(", ")))
                << lines[static_cast<qsizetype>(member)].toStdString();
        }
    };
    const std::vector<MoveSet> before = movesInFile(path, Shown);
    expect("as opened", before);

    // The first member learns, at its own level, a move it does not know: its last slot takes it.
    const TrainerClass& trainer = trainerClass(Shown);
    const PartyMember first = readPartyTable(rom.bytes(), profile).party(trainer.number, trainer.party)->members[0];
    int number = 0;
    for (const SpeciesRecord& record : readSpeciesData(rom.bytes(), profile).records) {
        number = record.species == first.species ? record.number : number;
    }
    ASSERT_GT(number, 0);
    int added = 1;
    while (std::find(before[0].begin(), before[0].end(), added) != before[0].end()) {
        ++added;
    }
    editor.trigger("mnuPokemon");
    Form6* pokemon = editor.window.pokemonWindow();
    ASSERT_NE(pokemon, nullptr);
    pokemon->selectNumber(number);
    retype(child<QLineEdit>(pokemon, "learnaddlevel"), QString::number(first.level));
    child<QComboBox>(pokemon, "learnadd")->setCurrentIndex(added);
    press(pokemon, Qt::Key_S, Qt::ControlModifier);
    const std::vector<MoveSet> after = movesInFile(path, Shown);
    ASSERT_NE(after, before) << "the save did not change the member's moves";
    EXPECT_EQ(after[0][3], added);
    expect("after the save", after);
    clickTrainer(editor.window, 1);
    clickTrainer(editor.window, Shown);
    expect("picked again", after);
}
