// The rules of a learnset: the moves the game's walk gives a Pokémon it makes, what an entry behind a higher one
// means, where a new entry goes, what a list may not hold, and the accuracy percentages of every byte.

#include "species/LearnsetRules.h"
#include "species/MoveTable.h"

#include <gtest/gtest.h>

TEST(LearnsetRules, GivesTheMovesTheGamesWalkGives)
{
    struct Case
    {
        const char* what;
        MoveSlots levelOne;
        std::vector<LearnedMove> learnset;
        int level;
        MoveSlots moves;
    };
    const Case cases[] = {
        {"the level-1 moves alone", {1, 2, 0, 0}, {{10, 3}}, 9, {1, 2, 0, 0}},
        {"new moves fill the empty slots", {1, 0, 0, 0}, {{5, 2}, {7, 3}}, 7, {1, 2, 3, 0}},
        {"a fifth pushes the first out", {1, 2, 3, 4}, {{5, 5}, {6, 6}}, 10, {3, 4, 5, 6}},
        {"a level-1 move in the learnset is skipped", {1, 2, 0, 0}, {{5, 1}, {6, 3}}, 10, {1, 2, 3, 0}},
        {"a move learnt twice is kept once", {1, 0, 0, 0}, {{5, 2}, {9, 2}}, 10, {1, 2, 0, 0}},
        {"the walk stops at a higher level", {1, 0, 0, 0}, {{46, 9}, {45, 8}}, 45, {1, 0, 0, 0}},
        {"and passes it from that level on", {1, 0, 0, 0}, {{46, 9}, {45, 8}}, 46, {1, 9, 8, 0}},
        {"move 0 matches an empty slot", {1, 0, 0, 0}, {{5, 0}}, 10, {1, 0, 0, 0}},
        {"but not a full set", {1, 2, 3, 4}, {{5, 0}}, 10, {2, 3, 4, 0}},
        {"a known move does not push one out", {1, 2, 3, 4}, {{5, 2}, {6, 7}}, 10, {2, 3, 4, 7}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(movesAtLevel(test.levelOne, test.learnset, test.level), test.moves) << test.what;
    }
}

TEST(LearnsetRules, MarksEntriesBehindAHigherOneAndPlacesNewOnesByLevel)
{
    const std::vector<LearnedMove> learnset{{10, 1}, {46, 2}, {45, 3}, {50, 4}, {47, 5}, {50, 6}};
    const auto notes = learnsetOrderNotes(learnset, [](int move) { return "M" + std::to_string(move); });
    const std::vector<std::string> expected{
        "",
        "",
        "M2 at 46 stands before it: a Pokémon the game makes gets this move only from level 46 on; one that levels "
        "up still learns it at 45.",
        "",
        "M4 at 50 stands before it: a Pokémon the game makes gets this move only from level 50 on; one that levels "
        "up still learns it at 47.",
        ""};
    EXPECT_EQ(notes, expected);
    // A new entry goes behind those the walk reaches at its level, never re-sorting the others.
    EXPECT_EQ(placeForLevel(learnset, 46), 3U);
    EXPECT_EQ(placeForLevel(learnset, 5), 0U);
    EXPECT_EQ(placeForLevel(learnset, 99), learnset.size());
    EXPECT_EQ(sortedByLevel(learnset),
              (std::vector<LearnedMove>{{10, 1}, {45, 3}, {46, 2}, {47, 5}, {50, 4}, {50, 6}}));
}

TEST(LearnsetRules, RefusesWhatTheGameCouldNotReadAsMeant)
{
    using Field = ListProblem::Field;
    struct Case
    {
        EvosMoves list;
        Field field;
        int index;
    };
    const Case cases[] = {
        {{{{4, 0, 16, 2}}, {}}, Field::EvolutionKind, 0},
        {{{{EvolveByLevel, 0, 16, 2}, {EvolveByItem, 0, 1, 3}}, {}}, Field::EvolutionItem, 1},
        {{{{EvolveByItem, 84, 1, 3}}, {}}, Field::EvolutionItem, 0},
        {{{{EvolveByTrade, 0, 0, 3}}, {}}, Field::EvolutionLevel, 0},
        {{{{EvolveByLevel, 0, 101, 3}}, {}}, Field::EvolutionLevel, 0},
        {{{{EvolveByLevel, 0, 16, 0}}, {}}, Field::EvolutionSpecies, 0},
        {{{{EvolveByLevel, 0, 16, 191}}, {}}, Field::EvolutionSpecies, 0},
        {{{}, {{5, 1}, {0, 2}}}, Field::MoveLevel, 1},
        {{{}, {{101, 1}}}, Field::MoveLevel, 0},
        {{{}, {{5, 0}}}, Field::Move, 0},
        {{{}, {{5, 166}}}, Field::Move, 0},
    };
    for (const Case& test : cases) {
        const auto problems = listProblems(test.list);
        ASSERT_EQ(problems.size(), 1U) << evosMovesBytes(test.list).size();
        EXPECT_EQ(problems.front().field, test.field);
        EXPECT_EQ(problems.front().index, test.index);
    }
    const EvosMoves sound{{{EvolveByItem, 0xC4, 1, 3}, {EvolveByTrade, 0, 1, 190}}, {{1, 1}, {100, 165}}};
    EXPECT_TRUE(listProblems(sound).empty());
    EXPECT_EQ(evosMovesBytes(sound), (Bytes{2, 0xC4, 1, 3, 3, 1, 190, 0, 1, 1, 100, 165, 0}));
    EXPECT_EQ(evosMovesLength(sound), 13);
}

// 101 bytes have a percentage, each the smallest that gives it; the game's 85 % is 216.
TEST(Accuracy, EveryByteRoundTripsThroughItsPercentOrStaysAByte)
{
    int withPercent = 0;
    for (int byte = 0; byte <= 255; ++byte) {
        if (const auto percent = accuracyPercent(byte)) {
            ++withPercent;
            EXPECT_EQ(accuracyByte(*percent), byte);
            EXPECT_TRUE(*percent == 0 || accuracyByte(*percent - 1) < byte) << byte;
        }
    }
    EXPECT_EQ(withPercent, 101);
    EXPECT_EQ(accuracyByte(85), 216);
    EXPECT_EQ(accuracyPercent(255), 100);
    EXPECT_FALSE(accuracyPercent(200));
}
