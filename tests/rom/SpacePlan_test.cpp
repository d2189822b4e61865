// The planner of blocks the game finds through pointers: a layout in order where it fits, the tail of an area
// filled as fully as the later blocks allow where it does not, around ranges that must stay; and a check on a
// copy that refuses a write outside the places it may rewrite before it reads anything.

#include "rom/SpacePlan.h"

#include <gtest/gtest.h>

TEST(SpacePlan, LaysBlocksOutInOrderAroundWhatStaysAndFillsTailsBest)
{
    struct Case
    {
        const char* what;
        std::vector<std::int32_t> lengths;
        std::vector<BankRange> areas;
        std::vector<BankRange> fixed;
        std::optional<std::vector<std::int32_t>> offsets;
    };
    const std::vector<Case> cases = {
        {"in order", {3, 4, 5}, {{100, 112}}, {}, std::vector<std::int32_t>{100, 103, 107}},
        {"on into the next area", {5, 5, 5}, {{100, 112}, {200, 210}}, {}, std::vector<std::int32_t>{100, 105, 200}},
        {"around a range that stays", {4, 4}, {{100, 112}}, {{104, 108}}, std::vector<std::int32_t>{100, 108}},
        // In order, 6 and 7 leave 3 bytes of the first area and the 8 no room; the tail takes 6 and 4 instead.
        {"the tail filled best",
         {6, 7, 4, 8},
         {{100, 110}, {200, 215}},
         {},
         std::vector<std::int32_t>{100, 200, 106, 207}},
        {"no layout", {6, 6}, {{100, 110}, {200, 205}}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto layout = packBlocks(c.lengths, c.areas, c.fixed);
        ASSERT_EQ(layout.has_value(), c.offsets.has_value());
        if (layout) {
            EXPECT_EQ(layout->offsets, *c.offsets);
        }
    }
    EXPECT_EQ(areaCapacity({{100, 112}, {200, 210}}, {{104, 108}, {300, 310}}), 18);
}

TEST(SpacePlan, ChecksAPlanOnACopyAndRefusesWritesOutsideWhatItMayRewrite)
{
    Bytes image(0x10000, 0x00);
    image[0x4100] = 7;
    const BankRange bank = bankRange(1);
    int read = 0;
    const auto verify = [&read](const Bytes& copy) -> WriteStatus {
        ++read;
        return copy[0x4100] == 9 && copy[0x4000] == 0 ? WriteStatus{} : Failure{1, "reads otherwise"};
    };
    EXPECT_FALSE(checkOnCopy(image, {{0x4100, {9}}}, {bank}, {bank}, verify));
    EXPECT_EQ(checkOnCopy(image, {{0x3FFF, {9, 9}}}, {bank}, {bank}, verify)->number, FailureNumber::WouldMoveData);
    EXPECT_EQ(checkOnCopy(image, {{0xFFFF, {9, 9}}}, {bankRange(3)}, {bankRange(3)}, verify)->number,
              FailureNumber::WouldMoveData);
    EXPECT_EQ(read, 1);
    // The copy holds what was read and what the plan wrote, nothing left from the check before.
    EXPECT_TRUE(checkOnCopy(image, {{0x4000, {1}}}, {bank}, {bank}, verify));
    EXPECT_FALSE(checkOnCopy(image, {{0x4100, {9}}}, {bank}, {bank}, verify));
    EXPECT_EQ(image[0x4100], 7);
}
