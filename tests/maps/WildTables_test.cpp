// The whole of bank 3 under random wild edits of random maps, tables turned on and off, moved and shared, round
// after round on one image until the free space runs out: after every plan written, the edited maps (and the maps
// sharing their table) read as edited, every other map reads as before, and no byte changed outside the tables,
// their pointers and the free space. A plan refused leaves the image as it was.

#include "TempRom.h"
#include "maps/WildWrite.h"

namespace {

using WildTables = ::testing::TestWithParam<GameVersion>;

WildArea randomArea(std::mt19937& random)
{
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    WildArea area;
    area.rate = static_cast<std::uint8_t>(draw(0, 2) == 0 ? 0 : draw(1, 255));
    for (WildSlot& slot : area.slot) {
        slot = {static_cast<std::uint8_t>(draw(1, 100)), static_cast<std::uint8_t>(draw(1, 190))};
    }
    return area;
}

// What each map must read once edits are written: the edited maps, and those sharing a table with Pokémon in it.
std::map<int, std::pair<WildArea, WildArea>> expectedAfter(const MapTable& table, const WildEdits& edits)
{
    std::map<int, std::pair<WildArea, WildArea>> expected;
    for (const WildEdit& edit : edits) {
        const WildTable& was = *table.wildOf(edit.map);
        for (const int map : was.empty() ? std::vector<int>{edit.map} : was.maps) {
            expected[map] = {edit.grass.value_or(was.grass), edit.water.value_or(was.water)};
        }
    }
    return expected;
}

bool mayChange(const MapTable& table, std::int32_t offset)
{
    const MapProfile& profile = mapProfile(table.version);
    const bool pointer = offset >= profile.wildPointers && offset < wildPointerOffset(profile, profile.mapCount);
    const bool free = offset >= table.free.start && offset < bankRange(WildBank).end;
    return pointer || free || std::any_of(table.wild.begin(), table.wild.end(), [offset](const WildTable& wild) {
               return offset >= wild.offset && offset < wild.offset + wild.length;
           });
}

} // namespace

TEST_P(WildTables, RandomEditsKeepEveryOtherMapAsTheGameReadsIt)
{
    const VersionProfile& profile = profileOf(GetParam());
    const Bytes built = SyntheticRom(GetParam()).bytes();
    Bytes image = built;
    std::mt19937 random(static_cast<unsigned>(GetParam()) + 7U);
    int moves = 0;
    int full = 0;
    int written = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const MapTable before = readMaps(image, profile);
        std::vector<const MapRow*> maps;
        for (const MapRow& row : before.rows) {
            if (row.isMap() && !row.copyOf) {
                maps.push_back(&row);
            }
        }
        // One to three maps of different tables, each with its grass, its water or both.
        WildEdits edits;
        std::set<int> tables;
        std::set<int> picked;
        for (int k = std::uniform_int_distribution(1, 3)(random); k > 0; --k) {
            const MapRow& row = *maps[std::uniform_int_distribution<std::size_t>(0, maps.size() - 1)(random)];
            const bool emptyTable = before.wild[static_cast<std::size_t>(row.wild)].empty();
            if (!picked.insert(row.id).second || (!tables.insert(row.wild).second && !emptyTable)) {
                continue;
            }
            const int which = std::uniform_int_distribution(0, 2)(random);
            edits.push_back({row.id,
                             which != 1 ? std::optional(randomArea(random)) : std::nullopt,
                             which != 0 ? std::optional(randomArea(random)) : std::nullopt});
        }
        const auto write = planWildEdits(image, before, edits);
        if (!write) {
            ASSERT_EQ(write.failure().number, FailureNumber::NoRoomInBank) << write.failure().description;
            // A full bank: the next rounds start again from the image as built.
            if (++full % 4 == 0) {
                image = built;
            }
            continue;
        }
        moves += static_cast<int>(write->moves.size());
        ++written;
        Bytes after = image;
        applyWritePlan(after, write->plan);
        const auto bank = bankRange(WildBank);
        ASSERT_TRUE(std::equal(image.begin(), image.begin() + bank.start, after.begin()));
        ASSERT_TRUE(std::equal(image.begin() + bank.end, image.end(), after.begin() + bank.end));
        for (std::int32_t at = bank.start; at < bank.end; ++at) {
            if (image[static_cast<std::size_t>(at)] != after[static_cast<std::size_t>(at)]) {
                ASSERT_TRUE(mayChange(before, at)) << at;
            }
        }
        // The check an import makes of a whole plan agrees, and finds a stray byte in bank 3.
        ASSERT_FALSE(verifyWild(image, after, profile, edits));
        if (round % 50 == 0) {
            Bytes stray = after;
            stray[0xC100] ^= 0xFF;
            EXPECT_TRUE(verifyWild(image, stray, profile, edits));
        }
        const MapTable now = readMaps(after, profile);
        const auto expected = expectedAfter(before, edits);
        ASSERT_TRUE(now.wildProblem.empty());
        for (const MapRow& row : now.rows) {
            const MapRow& was = before.rows[static_cast<std::size_t>(row.id)];
            ASSERT_EQ(row.problem, was.problem);
            if (!row.isMap()) {
                continue;
            }
            const auto edited = expected.find(row.id);
            const WildTable& old = *before.wildOf(row.id);
            const auto [grass, water] = edited != expected.end() ? edited->second : std::pair(old.grass, old.water);
            ASSERT_NE(now.wildOf(row.id), nullptr) << row.wildProblem;
            ASSERT_TRUE(now.wildOf(row.id)->grass == grass && now.wildOf(row.id)->water == water) << row.name;
        }
        image = std::move(after);
    }
    // The rounds moved tables until the free space ran out.
    EXPECT_GT(moves, 100);
    EXPECT_GT(full, 10);
    EXPECT_GT(written, 300);
}

INSTANTIATE_TEST_SUITE_P(AllVersions,
                         WildTables,
                         ::testing::Values(GameVersion::Red, GameVersion::Blue, GameVersion::Yellow),
                         [](const auto& param) { return std::string(profileOf(param.param).code); });
