#include "maps/FishingTable.h"

#include "rom/DisplayText.h"

#include <algorithm>
#include <span>

namespace {

// A byte of code that may be anything: an address, a relative jump, a value the table reading does not depend on.
constexpr int Any = -1;

// ItemUseOldRod: call FishingInit; jp c, ItemUseNotTime; lb bc, level, species; ld a, 1; jr RodResponse.
constexpr int OldRodCode[] = {0xCD, Any, Any, 0xDA, Any, Any, 0x01, Any, Any, 0x3E, 0x01, 0x18, Any};
constexpr std::int32_t OldRodOperands = 7;

// ItemUseGoodRod: after FishingInit, a random byte halved (its carry: no bite) and masked until below 2, then
// ld hl, GoodRodMons; add a; ld c, a; ld b, 0; add hl, bc; ld b, [hl]; inc hl; ld c, [hl]: level in b, species in c.
constexpr int GoodRodCode[] = {0xCD, Any,  Any,  0xDA, Any,  Any,  0xCD, Any,  Any,  0xCB, 0x3F, 0x38, Any,
                               0xE6, 0x03, 0xFE, 0x02, 0x30, Any,  0x21, Any,  Any,  0x87, 0x4F, 0x06, 0x00,
                               0x09, 0x46, 0x23, 0x4E, 0xA7, 0x3E, 0x00, 0x17, 0xEE, 0x01, 0x18, Any};
constexpr std::int32_t GoodRodPointer = 20;

// Red and Blue, ItemUseSuperRod: call FishingInit; jp c, ItemUseNotTime; call ReadSuperRodData; ld a, e.
constexpr int RedSuperRodCode[] = {0xCD, Any, Any, 0xDA, Any, Any, 0xCD, Any, Any, 0x7B};
constexpr std::int32_t RedSuperRodCall = 7;
// ReadSuperRodData: ld a, [wCurMap]; ld de, 3; ld hl, SuperRodData; call IsInArray (3-byte rows, ended by 0xFF);
// then the group's pointer, its count in b, and a random slot of the first four taken while it is below the count.
constexpr int RedSearchCode[] = {0xFA, Any,  Any,  0x11, 0x03, 0x00, 0x21, Any,  Any,  0xCD, Any,  Any,
                                 0x38, Any,  0x1E, 0x02, 0xC9, 0x23, 0x2A, 0x66, 0x6F, 0x46, 0x23, 0x1E,
                                 0x00, 0xCD, Any,  Any,  0xCB, 0x3F, 0xD8, 0xE6, 0x03, 0xB8, 0x30, Any,
                                 0x87, 0x4F, 0x06, 0x00, 0x09, 0x46, 0x23, 0x4E, 0x1E, 0x01, 0xC9};
// Yellow, ItemUseSuperRod: FishingInit, then callfar ReadSuperRodData (ld hl; ld b, bank; call Bankswitch) and
// ld c, e; ld b, d: the species is the first byte of a pair, the level the second.
constexpr int YellowSuperRodCode[] = {
    0xCD, Any, Any, 0xDA, Any, Any, 0x21, Any, Any, 0x06, Any, 0xCD, Any, Any, 0x4B, 0x42};
constexpr std::int32_t YellowSuperRodCall = 7;
constexpr std::int32_t YellowSuperRodCallBank = 10;
// ReadSuperRodData: ld a, [wCurMap]; ld c, a; ld hl, SuperRodFishingSlots; then rows of 9 bytes to 0xFF. Then
// GenerateRandomFishingEncounter: a random byte against three thresholds picks slot 1, 2, 3 or 4.
constexpr int YellowSearchCode[] = {0xFA, Any,  Any,  0x4F, 0x21, Any,  Any,  0x2A, 0xFE, 0xFF, 0x28, Any,  0xB9, 0x28,
                                    Any,  0x11, 0x08, 0x00, 0x19, 0x18, Any,  0xCD, Any,  Any,  0xC9, 0x11, 0x00, 0x00,
                                    0xC9, 0xCD, Any,  Any,  0xFE, Any,  0x38, Any,  0x23, 0x23, 0xFE, Any,  0x38, Any,
                                    0x23, 0x23, 0xFE, Any,  0x38, Any,  0x23, 0x23, 0x5E, 0x23, 0x56, 0xC9};
constexpr std::int32_t SearchPointer[] = {7, 5};
constexpr std::int32_t YellowThresholds[] = {33, 39, 45};

// Where each version's rod code begins.
struct RodCode
{
    std::int32_t oldRod;
    std::int32_t goodRod;
    std::int32_t superRod;
    int searchBank;
    std::int32_t search;
};
constexpr RodCode RedBlueCode{0x0E24C, 0x0E259, 0x0E283, RodBank, 0x0E8EA};
constexpr RodCode YellowCode{0x0E0F9, 0x0E106, 0x0E130, YellowSuperRodBank, 0xF5EA4};

bool codeAt(ImageView image, std::int32_t offset, std::span<const int> code)
{
    if (offset < 0 || offset + std::ssize(code) > std::ssize(image)) {
        return false;
    }
    for (std::size_t k = 0; k < code.size(); ++k) {
        if (code[k] != Any && image[static_cast<std::size_t>(offset) + k] != code[k]) {
            return false;
        }
    }
    return true;
}

std::string notThere(const char* what, std::int32_t offset)
{
    return std::string("the ") + what + " at " + hexNumber(offset, 5) + " is not the game's";
}

FixedRod readOldRod(ImageView image, const RodCode& code)
{
    FixedRod rod;
    rod.offset = code.oldRod + OldRodOperands;
    if (!codeAt(image, code.oldRod, OldRodCode)) {
        rod.problem = notThere("Old Rod's code", code.oldRod);
        return rod;
    }
    const auto at = static_cast<std::size_t>(rod.offset);
    rod.pokemon.push_back({image[at + 1], image[at]});
    return rod;
}

FixedRod readGoodRod(ImageView image, const RodCode& code)
{
    FixedRod rod;
    if (!codeAt(image, code.goodRod, GoodRodCode)) {
        rod.offset = code.goodRod + static_cast<std::int32_t>(std::ssize(GoodRodCode));
        rod.problem = notThere("Good Rod's code", code.goodRod);
        return rod;
    }
    const int pointer = wordAt(image, code.goodRod + GoodRodPointer);
    rod.offset = bankOffset(RodBank, pointer);
    if (!switchablePointer(pointer) || !bankRange(RodBank).contains(rod.offset, 2 * GoodRodSlots) ||
        rod.offset + 2 * GoodRodSlots > std::ssize(image)) {
        rod.problem = "the Good Rod's code reads its Pokémon from " + hexNumber(pointer, 4) + ", outside bank 3";
        return rod;
    }
    for (int k = 0; k < GoodRodSlots; ++k) {
        const auto at = static_cast<std::size_t>(rod.offset + 2 * k);
        rod.pokemon.push_back({image[at], image[at + 1]});
    }
    return rod;
}

// Where the search routine's `ld hl` leads, once the rod's code and the routine are the game's; -1, with the
// reason in superRod.problem, when they are not.
std::int32_t locateRows(ImageView image, const RodCode& code, bool yellow, SuperRod& superRod)
{
    const std::span<const int> call = yellow ? std::span<const int>(YellowSuperRodCode) : RedSuperRodCode;
    const std::span<const int> search = yellow ? std::span<const int>(YellowSearchCode) : RedSearchCode;
    const bool callsSearch =
        codeAt(image, code.superRod, call) &&
        bankOffset(code.searchBank, wordAt(image, code.superRod + (yellow ? YellowSuperRodCall : RedSuperRodCall))) ==
            code.search &&
        (!yellow || byteAt(image, code.superRod + YellowSuperRodCallBank) == code.searchBank);
    if (!callsSearch) {
        superRod.problem = notThere("Super Rod's code", code.superRod);
        return -1;
    }
    if (!codeAt(image, code.search, search)) {
        superRod.problem = notThere("routine that looks the map up", code.search);
        return -1;
    }
    superRod.pointerOffset = code.search + SearchPointer[yellow ? 1 : 0];
    const int pointer = wordAt(image, superRod.pointerOffset);
    if (!switchablePointer(pointer)) {
        superRod.problem = "the routine reads the table from " + hexNumber(pointer, 4) + ", outside bank " +
                           hexNumber(superRod.bank, 2);
        return -1;
    }
    if (yellow) {
        int before = 0;
        for (std::size_t k = 0; k < std::size(YellowThresholds); ++k) {
            const int threshold = std::max(before, byteAt(image, code.search + YellowThresholds[k]));
            superRod.chances[k] = threshold - before;
            before = threshold;
        }
        superRod.chances[SuperRodDrawn - 1] = 256 - before;
    }
    return bankOffset(superRod.bank, pointer);
}

// A Red or Blue row's group, found or read and added; its index, or -1 with the reason in row.problem.
int groupOf(ImageView image, std::int32_t end, SuperRod& superRod, SuperRodRow& row)
{
    const int pointer =
        image[static_cast<std::size_t>(row.offset + 1)] | image[static_cast<std::size_t>(row.offset + 2)] << 8;
    const std::int32_t offset = bankOffset(superRod.bank, pointer);
    if (!switchablePointer(pointer)) {
        row.problem = "its group pointer " + hexNumber(pointer, 4) + " is not in 0x4000-0x7FFF";
        return -1;
    }
    const auto found = std::find_if(
        superRod.groups.begin(), superRod.groups.end(), [offset](const auto& group) { return group.offset == offset; });
    if (found != superRod.groups.end()) {
        return static_cast<int>(found - superRod.groups.begin());
    }
    const int count = offset < end ? image[static_cast<std::size_t>(offset)] : 0;
    if (offset >= end || offset + 1 + 2 * count > end) {
        row.problem = "its group at " + hexNumber(offset, 5) + " runs past the end of bank 3";
        return -1;
    }
    SuperRodGroup& group = superRod.groups.emplace_back();
    group.offset = offset;
    group.length = 1 + 2 * count;
    group.count = count;
    for (int k = 0; k < std::min(count, SuperRodDrawn); ++k) {
        const auto at = static_cast<std::size_t>(offset + 1 + 2 * k);
        group.pokemon.push_back({image[at], image[at + 1]});
    }
    return static_cast<int>(superRod.groups.size()) - 1;
}

int inlineGroup(ImageView image, SuperRod& superRod, const SuperRodRow& row)
{
    SuperRodGroup& group = superRod.groups.emplace_back();
    group.offset = row.offset + 1;
    group.length = InlineRowLength - 1;
    group.count = SuperRodDrawn;
    for (int k = 0; k < SuperRodDrawn; ++k) {
        const auto at = static_cast<std::size_t>(group.offset + 2 * k);
        group.pokemon.push_back({image[at + 1], image[at]});
    }
    return static_cast<int>(superRod.groups.size()) - 1;
}

void readRows(ImageView image, std::int32_t at, SuperRod& superRod)
{
    const auto end = static_cast<std::int32_t>(readableEnd(image, superRod.bank));
    const std::int32_t rowLength = superRod.inlineSlots ? InlineRowLength : GroupRowLength;
    superRod.offset = at;
    while (at < end && image[static_cast<std::size_t>(at)] != SuperRodRowsEnd) {
        if (at + rowLength > end) {
            at = end;
            break;
        }
        SuperRodRow& row = superRod.rows.emplace_back();
        row.map = image[static_cast<std::size_t>(at)];
        row.offset = at;
        at += rowLength;
        int& first = superRod.firstRow[static_cast<std::size_t>(row.map)];
        if (first >= 0) {
            continue;
        }
        first = static_cast<int>(superRod.rows.size()) - 1;
        row.group = superRod.inlineSlots ? inlineGroup(image, superRod, row) : groupOf(image, end, superRod, row);
        if (row.group >= 0) {
            superRod.groups[static_cast<std::size_t>(row.group)].maps.push_back(row.map);
        }
    }
    if (at >= end) {
        superRod.problem = "its rows run past the end of bank " + hexNumber(superRod.bank, 2) + " without 0xFF";
        superRod.rows.clear();
        superRod.groups.clear();
        superRod.firstRow.fill(-1);
        return;
    }
    superRod.length = at + 1 - superRod.offset;
}

} // namespace

const SuperRodRow* SuperRod::rowOf(int map) const
{
    const int first = map >= 0 && map < std::ssize(firstRow) ? firstRow[static_cast<std::size_t>(map)] : -1;
    return first >= 0 ? &rows[static_cast<std::size_t>(first)] : nullptr;
}

const SuperRodGroup* SuperRod::groupOf(int map) const
{
    const SuperRodRow* row = rowOf(map);
    return row != nullptr && row->group >= 0 ? &groups[static_cast<std::size_t>(row->group)] : nullptr;
}

std::array<int, SuperRodDrawn> SuperRod::chancesOf(int count) const
{
    if (inlineSlots) {
        return chances;
    }
    // A two-bit random number is drawn again until it is below the count: every slot the group holds alike.
    std::array<int, SuperRodDrawn> even{};
    const int drawn = std::min(count, SuperRodDrawn);
    for (int k = 0; k < drawn; ++k) {
        even[static_cast<std::size_t>(k)] = 256 / drawn + (k < 256 % drawn ? 1 : 0);
    }
    return even;
}

FishingTable readFishing(ImageView image, GameVersion version)
{
    const bool yellow = version == GameVersion::Yellow;
    const RodCode& code = yellow ? YellowCode : RedBlueCode;
    FishingTable table;
    table.oldRod = readOldRod(image, code);
    table.goodRod = readGoodRod(image, code);
    SuperRod& superRod = table.superRod;
    superRod.bank = code.searchBank;
    superRod.inlineSlots = yellow;
    const std::int32_t rows = locateRows(image, code, yellow, superRod);
    if (rows >= 0) {
        readRows(image, rows, superRod);
    }
    return table;
}

Bytes groupBytes(const std::vector<WildSlot>& slots)
{
    Bytes bytes{static_cast<std::uint8_t>(slots.size())};
    for (const WildSlot& slot : slots) {
        bytes.push_back(slot.level);
        bytes.push_back(slot.species);
    }
    return bytes;
}

Bytes inlineBytes(const std::vector<WildSlot>& slots)
{
    Bytes bytes;
    for (const WildSlot& slot : slots) {
        bytes.push_back(slot.species);
        bytes.push_back(slot.level);
    }
    return bytes;
}
