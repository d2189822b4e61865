#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <array>

namespace {

using Layouts = std::array<TrainerLayout, RosterSize>;
constexpr std::nullopt_t None = std::nullopt;

// The roster order is not the order of the names in the ROM: entries 5 and 6 swap places there, and
// the names of entries 7 and 9 come before entry 0's. The gym leaders' special moves are (user, move)
// pairs from 0x39D22; the Elite Four's moves follow at 0x39D33, each behind a byte the game keeps for
// itself. Blue's prizes of entries 4, 6 and 7 lie one byte after Red's.
constexpr Layouts RedLayouts{{
    {0x39B21, 5, 0x3A3B6, 2, 0x39D22, 0x39D23, 0x5C3EC},
    {0x39B27, 5, 0x3A3BC, 2, 0x39D24, 0x39D25, 0x5C71A},
    {0x39B2D, 8, 0x3A3C2, 3, 0x39D26, 0x39D27, 0x5CAB7},
    {0x39B36, 5, 0x3A3CA, 3, 0x39D28, 0x39D29, 0x48970},
    {0x39B3C, 4, 0x3A3D2, 4, 0x39D2A, 0x39D2B, 0x754A4},
    {0x39B48, 7, 0x3A3E6, 4, 0x39D2C, 0x39D2D, 0x5D075},
    {0x39B41, 6, 0x3A3DC, 4, 0x39D2E, 0x39D2F, 0x75864},
    {0x39AF1, 8, 0x3A291, 5, 0x39D30, 0x39D31, 0x749A2},
    {0x39B68, 7, 0x3A4BC, 5, None, 0x39D33, None},
    {0x39B1B, 5, 0x3A3AA, 5, None, 0x39D35, None},
    {0x39B7A, 6, 0x3A517, 5, None, 0x39D37, None},
    {0x39B81, 5, 0x3A523, 5, None, 0x39D39, None},
}};

constexpr Layouts blueLayouts()
{
    Layouts layouts = RedLayouts;
    layouts[4].prizeAmountOffset = 0x754A5;
    layouts[6].prizeAmountOffset = 0x75865;
    layouts[7].prizeAmountOffset = 0x749A3;
    return layouts;
}
constexpr Layouts BlueLayouts = blueLayouts();

// Every Yellow name sits 0x81 bytes before Red's; Yellow has no special-move data here.
constexpr Layouts YellowLayouts{{
    {0x39AA0, 5, 0x3A455, 2, None, None, 0x5C2C9},
    {0x39AA6, 5, 0x3A45B, 2, None, None, 0x5C5EA},
    {0x39AAC, 8, 0x3A461, 1, None, None, 0x5C9AD},
    {0x39AB5, 5, 0x3A465, 3, None, None, 0x48987},
    {0x39ABB, 4, 0x3A46D, 4, None, None, 0x74C4C},
    {0x39AC7, 7, 0x3A47F, 3, None, None, 0x5CF6B},
    {0x39AC0, 6, 0x3A477, 3, None, None, 0x75070},
    {0x39A70, 8, 0x3A310, 5, None, None, 0x741DF},
    {0x39AE7, 7, 0x3A540, 5, None, None, None},
    {0x39A9A, 5, 0x3A449, 5, None, None, None},
    {0x39AF9, 6, 0x3A59B, 5, None, None, None},
    {0x39B00, 5, 0x3A5A7, 5, None, None, None},
}};

// Gym leaders first (BROCK .. GIOVANNI, whose gym party is his third), then LORELEI, BRUNO, AGATHA, LANCE.
constexpr std::array<TrainerClass, RosterSize> RosterClasses{{
    {34, 1},
    {35, 1},
    {36, 1},
    {37, 1},
    {38, 1},
    {40, 1},
    {39, 1},
    {29, 3},
    {44, 1},
    {33, 1},
    {46, 1},
    {47, 1},
}};

const Layouts& layoutsOf(GameVersion version)
{
    switch (version) {
    case GameVersion::Red:
        return RedLayouts;
    case GameVersion::Blue:
        return BlueLayouts;
    case GameVersion::Yellow:
        break;
    }
    return YellowLayouts;
}

} // namespace

const TrainerLayout& trainerLayout(GameVersion version, int rosterIndex)
{
    return layoutsOf(version).at(static_cast<std::size_t>(rosterIndex));
}

bool isGymLeader(int rosterIndex)
{
    return rosterIndex >= 0 && rosterIndex < GymLeaderCount;
}

const TrainerClass& trainerClass(int rosterIndex)
{
    return RosterClasses.at(static_cast<std::size_t>(rosterIndex));
}

std::int64_t trainerLayoutsEnd(GameVersion version)
{
    std::int64_t end = TrainerBankEnd;
    for (const TrainerLayout& layout : layoutsOf(version)) {
        end = std::max<std::int64_t>(end, layout.nameOffset + RosterNameBytes);
        end = std::max<std::int64_t>(end, layout.partyOffset + 2 * layout.partySize);
        for (const auto& offset : {layout.specialMoveUserOffset, layout.specialMoveOffset, layout.prizeItemOffset()}) {
            if (offset) {
                end = std::max<std::int64_t>(end, *offset + 1);
            }
        }
    }
    return end;
}
