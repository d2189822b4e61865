#pragma once

// The three accepted game versions and where each keeps the tables the editor reads. The version code
// is three bytes of the cartridge title at 0x13C; the match is exact and case-sensitive.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class GameVersion
{
    Red,
    Blue,
    Yellow
};

struct VersionProfile
{
    GameVersion version;
    std::string_view code;
    std::string_view title;
    std::string_view caption;
    std::int32_t speciesNamesOffset;
    // The name walks start one byte before the first name of their table.
    std::int32_t moveNamesOffset;
    std::int32_t itemNamesOffset;
    std::optional<std::int32_t> specialMoveTableOffset;
    // Yellow keeps its gym leaders' special moves elsewhere; the editor leaves them alone there.
    bool specialMovesEditable;
    // The game's own tables of trainer classes: their names (terminated, in class order) and one
    // little-endian pointer to each class's parties.
    std::int32_t classNamesOffset;
    std::int32_t partyPointersOffset;
    // Five bytes per class: a pointer to its portrait, then its prize money in packed decimal.
    std::int32_t classMoneyOffset;
    // Yellow's table of moves the game gives single party members: class, party, then (member, slot,
    // move) triples ended by 0x00; the table ends with 0xFF.
    std::optional<std::int32_t> customMovesOffset;
    // One little-endian pointer for each of the 190 species bytes to its evolutions and learnset, which share
    // the trainer bank with the parties.
    std::int32_t evosMovesPointersOffset;
};

constexpr std::int32_t VersionCodeOffset = 0x13C;
constexpr std::int32_t VersionCodeLength = 3;

// The profile of a code, or nullptr for anything but "RED", "BLU" and "YEL".
const VersionProfile* profileFor(std::string_view code);
const VersionProfile& profileOf(GameVersion version);

// The raw bytes at 0x13C of a whole image (fewer than three when it ends sooner).
std::string ReadVersionCode(const std::vector<std::uint8_t>& image);
