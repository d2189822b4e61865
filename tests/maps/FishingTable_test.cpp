// The rods of every synthetic image read as the builder laid them, through the game's own code; a changed byte of
// that code makes a rod unreadable, never read as something else; and random super rod edits (groups grown, made a
// map's own, new rows) round after round on one image leave every map reading as edited or as before, with no byte
// changed outside the rods' data and the free space.

#include "MapIds.h"
#include "TempRom.h"
#include "demo/SyntheticFishing.h"
#include "maps/FishingWrite.h"
#include "rom/DisplayText.h"

namespace {

using namespace MapIds;

using Fishing = ::testing::TestWithParam<GameVersion>;

std::string codeOf(GameVersion version)
{
    return std::string(profileOf(version).code);
}

// What each map reads of the super rod: its slots, or none.
std::map<int, std::vector<WildSlot>> superRodOf(const SuperRod& superRod)
{
    std::map<int, std::vector<WildSlot>> maps;
    for (int map = 0; map < 255; ++map) {
        if (const SuperRodGroup* group = superRod.groupOf(map)) {
            maps[map] = group->pokemon;
        }
    }
    return maps;
}

} // namespace

TEST_P(Fishing, ReadsAsBuilt)
{
    const SyntheticRom rom(GetParam());
    const SyntheticFishing built = syntheticFishing(GetParam());
    const LayoutOffsets::Rods& at = LayoutOffsets::rods(GetParam());
    const FishingTable read = readFishing(rom.bytes(), GetParam());
    ASSERT_TRUE(read.oldRod.readable()) << read.oldRod.problem;
    ASSERT_TRUE(read.goodRod.readable()) << read.goodRod.problem;
    ASSERT_TRUE(read.superRod.readable()) << read.superRod.problem;
    EXPECT_EQ(read.oldRod.pokemon, std::vector<WildSlot>{built.oldRod});
    EXPECT_EQ(read.oldRod.offset, at.oldRodInstruction + 1);
    EXPECT_EQ(read.goodRod.pokemon, built.goodRod);
    EXPECT_EQ(read.goodRod.offset, at.goodRodTable);
    EXPECT_EQ(read.superRod.offset, at.superRodRows);
    EXPECT_EQ(read.superRod.pointerOffset, at.superRodPointer);
    EXPECT_EQ(read.superRod.bank, at.superRodBank);
    EXPECT_EQ(superRodOf(read.superRod), built.superRod);
    if (GetParam() == GameVersion::Yellow) {
        // About 40, 30, 20 and 10 %, as the routine's thresholds 0x66, 0xB2 and 0xE5 share out a random byte.
        EXPECT_EQ(read.superRod.chances, (std::array<int, 4>{102, 76, 51, 27}));
        EXPECT_EQ(read.superRod.rows.size(), 31U);
        return;
    }
    EXPECT_EQ(read.superRod.rows.size(), 33U);
    std::set<std::vector<int>> groups;
    for (const SuperRodGroup& group : read.superRod.groups) {
        groups.insert(group.maps);
    }
    EXPECT_EQ(groups, std::set<std::vector<int>>(built.groups.begin(), built.groups.end()));
    EXPECT_EQ(read.superRod.chancesOf(3), (std::array<int, 4>{86, 85, 85, 0}));
    EXPECT_EQ(readMaps(rom.bytes(), profileOf(GetParam())).fishing, read);
}

// Every byte of the rods' code changed in turn: a rod reads as built or cannot be read, but where the byte is one of
// its values, a pointer the code reads it through or one of Yellow's thresholds; the Old Rod's `lb bc` opcode gone, its
// edit is refused with nothing planned.
TEST_P(Fishing, ChangedCodeIsNeverReadAsSomethingElse)
{
    const Bytes built = SyntheticRom(GetParam()).bytes();
    const LayoutOffsets::Rods& at = LayoutOffsets::rods(GetParam());
    const FishingTable before = readFishing(built, GetParam());
    const std::int32_t search = at.superRodPointer - (GetParam() == GameVersion::Yellow ? 5 : 7);
    const std::pair<std::int32_t, std::int32_t> regions[] = {{at.oldRodInstruction - 6, at.goodRodTable + 14},
                                                             {search, at.superRodRows}};
    Bytes image = built;
    int unreadable = 0;
    for (const auto& [from, to] : regions) {
        for (std::int32_t offset = from; offset < to; ++offset) {
            SCOPED_TRACE(offset);
            image[static_cast<std::size_t>(offset)] ^= 0x5A;
            const FishingTable read = readFishing(image, GetParam());
            const bool values = offset == at.oldRodInstruction + 1 || offset == at.oldRodInstruction + 2 ||
                                offset == at.goodRodTable - 18 || offset == at.goodRodTable - 17 ||
                                (offset >= at.goodRodTable && offset < at.goodRodTable + 4);
            const bool superValues = offset == at.superRodPointer || offset == at.superRodPointer + 1 ||
                                     (GetParam() == GameVersion::Yellow &&
                                      (offset == search + 33 || offset == search + 39 || offset == search + 45));
            for (const auto& [now, was] :
                 {std::pair{&read.oldRod, &before.oldRod}, std::pair{&read.goodRod, &before.goodRod}}) {
                EXPECT_TRUE(!now->readable() || now->pokemon == was->pokemon || values);
                unreadable += now->readable() ? 0 : 1;
            }
            EXPECT_TRUE(!read.superRod.readable() || read.superRod == before.superRod || superValues);
            unreadable += read.superRod.readable() ? 0 : 1;
            image[static_cast<std::size_t>(offset)] = built[static_cast<std::size_t>(offset)];
        }
    }
    EXPECT_GT(unreadable, 60);
    image[static_cast<std::size_t>(at.oldRodInstruction)] = 0x21;
    const MapTable table = readMaps(image, profileOf(GetParam()));
    EXPECT_EQ(table.fishing.oldRod.problem,
              "the Old Rod's code at " + hexNumber(at.oldRodInstruction - 6, 5) + " is not the game's");
    const auto refused = planFishingEdits(image, table, {{}, WildSlot{5, 3}, {}}, table.free);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().description,
              "The Old Rod's Pokémon are left as they are: " + table.fishing.oldRod.problem + ". Nothing was written.");
}

TEST_P(Fishing, RandomEditsKeepEveryOtherMapAsTheGameReadsIt)
{
    const VersionProfile& profile = profileOf(GetParam());
    const Bytes built = SyntheticRom(GetParam()).bytes();
    Bytes image = built;
    std::mt19937 random(static_cast<unsigned>(GetParam()) + 11U);
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    int moves = 0;
    int full = 0;
    int written = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        const MapTable before = readMaps(image, profile);
        const SuperRod& superRod = before.fishing.superRod;
        FishingEdits edits;
        std::set<int> maps;
        for (int k = draw(1, 3); k > 0; --k) {
            const int map = draw(0, 2) == 0 ? superRod.rows[static_cast<std::size_t>(draw(0, 30))].map : draw(0, 0xF7);
            if (!maps.insert(map).second || before.rows[static_cast<std::size_t>(map)].problem != "" ||
                before.rows[static_cast<std::size_t>(map)].copyOf) {
                continue;
            }
            std::vector<WildSlot> slots(static_cast<std::size_t>(draw(fewestSlots(superRod), 4)));
            for (WildSlot& slot : slots) {
                slot = {static_cast<std::uint8_t>(draw(1, 100)), static_cast<std::uint8_t>(draw(1, 190))};
            }
            edits.superRod.push_back({map, slots, draw(0, 1) == 1});
        }
        const auto write = planFishingEdits(image, before, edits, before.free);
        if (!write) {
            ASSERT_TRUE(write.failure().number == FailureNumber::NoRoomInBank ||
                        write.failure().description.find("given Pokémon that differ") != std::string::npos)
                << write.failure().description;
            if (write.failure().number == FailureNumber::NoRoomInBank && ++full % 3 == 0) {
                image = built;
            }
            continue;
        }
        ++written;
        moves += static_cast<int>(write->moves.size());
        Bytes after = image;
        applyWritePlan(after, write->plan);
        const MapTable now = readMaps(after, profile);
        // A group's edit reaches every map that shares it, but those given a copy of their own.
        std::map<int, std::vector<WildSlot>> expected = superRodOf(superRod);
        for (const bool own : {false, true}) {
            for (const SuperRodEdit& edit : edits.superRod) {
                const SuperRodGroup* group = superRod.groupOf(edit.map);
                const bool alone = group == nullptr || edit.own;
                for (const int map : edit.own != own ? std::vector<int>{}
                                     : alone         ? std::vector<int>{edit.map}
                                                     : group->maps) {
                    expected[map] = *edit.pokemon;
                }
            }
        }
        ASSERT_EQ(superRodOf(now.fishing.superRod), expected);
        EXPECT_EQ(now.fishing.oldRod, before.fishing.oldRod);
        // Nothing outside the rows, the groups, the pointer to the rows and the free space changed; nor the wild
        // Pokémon, whose tables and free space bank 3 shares.
        const FreeSpace free = superRodFreeSpace(image, superRod, before.free);
        const auto mayChange = [&](std::int32_t offset) {
            return (offset >= superRod.offset && offset < superRod.offset + superRod.length) ||
                   (offset >= superRod.pointerOffset && offset < superRod.pointerOffset + 2) ||
                   (offset >= free.start && offset < bankRange(superRod.bank).end) ||
                   std::any_of(superRod.groups.begin(), superRod.groups.end(), [offset](const SuperRodGroup& group) {
                       return offset >= group.offset && offset < group.offset + group.length;
                   });
        };
        for (std::size_t at = 0; at < image.size(); ++at) {
            ASSERT_TRUE(image[at] == after[at] || mayChange(static_cast<std::int32_t>(at))) << at;
        }
        for (const MapRow& row : now.rows) {
            ASSERT_TRUE(row.wild < 0 || now.wildOf(row.id)->grass == before.wildOf(row.id)->grass);
        }
        image = std::move(after);
    }
    EXPECT_GT(written, 80);
    EXPECT_GT(moves, 60);
    EXPECT_GT(full, 10);
}

INSTANTIATE_TEST_SUITE_P(AllVersions,
                         Fishing,
                         ::testing::Values(GameVersion::Red, GameVersion::Blue, GameVersion::Yellow),
                         [](const auto& param) { return codeOf(param.param); });
