// Saving the species data: every kind of edit changes exactly its bytes at the test's own offsets, a value the game
// could not use is refused with the field it concerns and the file left alone, and the window's save writes only
// while the file holds what it loaded.

#include "TempRom.h"
#include "species/SpeciesEdit.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

using SpeciesSaveTest = ::testing::TestWithParam<GameVersion>;

Writes bytesAt(std::int32_t offset, const Bytes& bytes)
{
    Writes writes;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        writes[offset + static_cast<std::int32_t>(k)] = bytes[k];
    }
    return writes;
}

} // namespace

TEST_P(SpeciesSaveTest, EveryEditChangesExactlyItsBytes)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    const SyntheticRom rom(version);
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    const LayoutOffsets::SpeciesTables& at = LayoutOffsets::species(version);
    const std::int32_t mew = LayoutOffsets::baseStats(version, 151);
    BaseStats mewStats = data.records[150].stats;
    mewStats.hp = 111;
    mewStats.type2 = 0x1A;
    mewStats.setLearns(50, false);
    Move move = data.moves.values[32];
    move.power = 99;
    move.accuracy = 201;
    std::vector<std::uint8_t> machines = data.machineMoves.values;
    machines[54] = 165;
    const int species = data.records[0].species;
    EvosMoves list = data.evosMoves.listOf(species)->content;
    list.learnset.back().move = 3;
    const std::int32_t listEnd = data.evosMoves.listOf(species)->end;
    const std::vector<std::tuple<const char*, SpeciesEdits, Writes>> edits = {
        {"MEW's record", {{{151, mewStats}}, {}, {}, {}}, {{mew + 1, 111}, {mew + 7, 0x1A}, {mew + 26, 0xFB}}},
        {"a move", {{}, {}, {{33, move}}, {}}, {{at.moves + 6 * 32 + 2, 99}, {at.moves + 6 * 32 + 4, 201}}},
        {"the TM/HM list", {{}, {}, {}, machines}, {{at.machineMoves + 54, 165}}},
        {"a learnset in place", {{}, {{species, list}}, {}, {}}, {{listEnd - 2, 3}}},
    };
    for (const auto& [what, edit, writes] : edits) {
        SCOPED_TRACE(what);
        const auto save = planSpeciesEdits(rom.bytes(), profile, data, edit);
        ASSERT_TRUE(save.ok()) << save.failure().description;
        Bytes after = rom.bytes();
        applyWritePlan(after, save->plan);
        EXPECT_TRUE(changedExactly(rom.bytes(), after, writes));
        EXPECT_EQ(save->notes.back(),
                  version == GameVersion::Yellow ? "Trainer bank: 1,109 of 5,154 bytes free."
                                                 : "Trainer bank: 1,034 of 5,043 bytes free.");
    }

    // A learnset that outgrows its place moves into the free space, its pointer following.
    list.learnset.insert(list.learnset.end(), 3, {60, 7});
    const auto grown = planSpeciesEdits(rom.bytes(), profile, data, {{}, {{species, list}}, {}, {}});
    ASSERT_TRUE(grown.ok() && grown->relocations.size() == 1);
    const std::int32_t to = grown->relocations.front().to;
    Writes moved = bytesAt(to, evosMovesBytes(list));
    const EvosMovesList& old = *data.evosMoves.listOf(species);
    for (std::int32_t byte = old.offset; byte < old.end; ++byte) {
        moved[byte] = 0;
    }
    const Writes pointer =
        bytesAt(at.evosMovesPointers + 2 * (species - 1),
                {static_cast<std::uint8_t>(to & 0xFF), static_cast<std::uint8_t>((to - 0x34000) >> 8)});
    moved.insert(pointer.begin(), pointer.end());
    Bytes after = rom.bytes();
    applyWritePlan(after, grown->plan);
    EXPECT_TRUE(changedExactly(rom.bytes(), after, moved));
    EXPECT_EQ(
        grown->notes.front().rfind(SyntheticRom::speciesName(species) + "'s evolutions and learnset moved to ", 0), 0U)
        << grown->notes.front();
}

// Each value the game could not use, refused with its field; the file stays as it was.
TEST_P(SpeciesSaveTest, RefusesWhatTheGameCouldNotUseNamingTheField)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    SyntheticRom rom(version);
    rom.changeEvosMoves({{}, 30});
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    const BaseStats stats = data.records[4].stats;
    const Move move = data.moves.values[0];
    const int species = data.records[4].species;
    const EvosMoves list = data.evosMoves.listOf(species)->content;
    const auto record = [&](auto change) {
        BaseStats changed = stats;
        change(changed);
        return SpeciesEdits{{{5, changed}}, {}, {}, {}};
    };
    const auto moveEdit = [&](auto change) {
        Move changed = move;
        change(changed);
        return SpeciesEdits{{}, {}, {{1, changed}}, {}};
    };
    const auto learnset = [&](LearnedMove entry) {
        EvosMoves changed = list;
        changed.learnset.push_back(entry);
        return SpeciesEdits{{}, {{species, changed}}, {}, {}};
    };
    const std::vector<std::pair<SpeciesEdits, std::string>> refusals = {
        {record([](BaseStats& s) { s.type2 = 27; }), "Pokédex number 5, types[1]: the type 27 lies past"},
        {record([](BaseStats& s) { s.growth = 6; }), "Pokédex number 5, growth: the growth rate 6 lies past"},
        {record([](BaseStats& s) { s.moves[3] = 166; }), "Pokédex number 5, moves[3]: the move 166"},
        {moveEdit([](Move& m) { m.effect = 0x57; }), "move 1, effect: the effect 87 lies past"},
        {moveEdit([](Move& m) { m.type = 0xFF; }), "move 1, type: the type 255"},
        {moveEdit([](Move& m) { m.pp = 64; }), "move 1, pp: the game keeps PP in 6 bits"},
        {learnset({0, 5}),
         "species " + std::to_string(species) + ", learnset[" + std::to_string(list.learnset.size()) +
             "].level: a level of 0 ends the learnset"},
        {learnset({101, 5}), "].level: no Pokémon reaches a level over 100"},
        {learnset({20, 166}), "].move: a learnset entry teaches one of the game's 165 moves, not the byte 166"},
        {{{}, {{30, list}}, {}, {}}, "species 30: the list is left as it is: it has no end before the next list"},
        {{{}, {}, {}, std::vector<std::uint8_t>(55, 0)}, "the TM/HM list, machines[0]: a TM or HM teaches"},
    };
    for (const auto& [edit, text] : refusals) {
        SCOPED_TRACE(text);
        const auto problems = fieldProblems(data, edit);
        ASSERT_FALSE(problems.empty());
        const auto save = planSpeciesEdits(rom.bytes(), profile, data, edit);
        ASSERT_FALSE(save.ok());
        EXPECT_EQ(save.failure().number, FailureNumber::ValueNotStorable);
        EXPECT_NE(save.failure().description.find(text), std::string::npos) << save.failure().description;
    }
    EvosMoves evolution = list;
    evolution.evolutions = {{EvolveByItem, 0, 1, 3}};
    const auto problems = fieldProblems(data, {{}, {{species, evolution}}, {}, {}});
    ASSERT_EQ(problems.size(), 1U);
    EXPECT_EQ(problems.front().field, "evolutions[0].item");

    // The window's save writes nothing when the file no longer holds what it loaded.
    TempDir dir;
    const std::string path = dir.write(rom);
    SpeciesData stale = data;
    stale.records[4].stats.hp ^= 1;
    const RomTarget target{path, &profile, 0x100000};
    const auto saved = writeSpeciesEdits(target, stale, record([](BaseStats& s) { s.hp = 1; }), "BULBASAUR");
    EXPECT_EQ(saved.ok() ? 0 : saved.failure().number, FailureNumber::NotInPlace);
    EXPECT_EQ(fileBytes(path), rom.bytes());
    ASSERT_TRUE(writeSpeciesEdits(target, data, record([](BaseStats& s) { s.hp = 1; }), "BULBASAUR").ok());
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{LayoutOffsets::baseStats(version, 5) + 1, 1}}));
}

// In a ROM whose list of a species lies over the moves table, the list and the move are the same bytes: a save that
// would change one by writing the other is refused.
TEST_P(SpeciesSaveTest, RefusesAListWriteThatWouldChangeAnEditedMove)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    SyntheticRom rom(version);
    const LayoutOffsets::SpeciesTables& at = LayoutOffsets::species(version);
    // Move 2's animation, effect, power and type read as: no evolutions, level 5 teaches move 7, end.
    const std::int32_t move2 = at.moves + 6;
    rom.put(move2, {0x00, 5, 7, 0x00});
    rom.put(at.evosMovesPointers,
            {static_cast<std::uint8_t>(move2 & 0xFF), static_cast<std::uint8_t>((move2 - 0x34000) >> 8)});
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    ASSERT_TRUE(data.evosMoves.listOf(1)->editable());
    EvosMoves list = data.evosMoves.listOf(1)->content;
    list.learnset.front().level = 6;
    Move move = data.moves.values[1];
    move.power = 9;
    Move pp = data.moves.values[1];
    pp.pp = 9;
    const std::string movesChange = "This save would change the moves or base stats the game reads in this ROM, whose "
                                    "tables point into each other. Nothing was written.";
    const std::vector<std::pair<SpeciesEdits, std::string>> saves = {
        {{{}, {{1, list}}, {{2, move}}, {}}, movesChange},
        {{{}, {{1, list}}, {}, {}}, movesChange},
        {{{}, {}, {{2, move}}, {}},
         "This save would change the evolutions and learnset the game reads for species 1 in this ROM, whose tables "
         "point into each other. Nothing was written."},
        // Move 2's PP lies past the list.
        {{{}, {}, {{2, pp}}, {}}, ""},
    };
    for (const auto& [edit, text] : saves) {
        SCOPED_TRACE(text);
        const auto save = planSpeciesEdits(rom.bytes(), profile, data, edit);
        EXPECT_EQ(save.ok() ? "" : save.failure().description, text);
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, SpeciesSaveTest, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});
