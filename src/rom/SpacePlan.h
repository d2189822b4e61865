#pragma once

// Blocks of bytes that the game finds through 2-byte pointers into one bank (a trainer class's parties, a map's
// wild Pokémon), and where a new version of one goes. Three ways, tried in this order by the callers: where the
// block lies, when it fits the room it has there; into the zero bytes that end the bank, behind a margin of 16 of
// them left alone (the first of them may end the data before it); or every block of the bank laid out anew, one
// after another, around the blocks that must stay. Every plan is applied to a copy and read back before anything
// is written.

#include "rom/Banks.h"
#include "rom/Failure.h"
#include "rom/WritePlan.h"

#include <functional>
#include <optional>
#include <vector>

constexpr std::int32_t FreeSpaceMargin = 16;

// The zero bytes that end a bank's data.
struct FreeSpace
{
    std::int32_t start = 0;
    std::int32_t length = 0;

    // Where the next block placed here begins, and how many bytes it may have.
    std::int32_t placeAt() const { return start + FreeSpaceMargin; }
    std::int32_t room() const { return length > FreeSpaceMargin ? length - FreeSpaceMargin : 0; }
};

// The run of 0x00 bytes that ends range in image; empty (at the image's end) when the image ends inside range.
FreeSpace trailingFreeSpace(const Bytes& image, BankRange range);
// The first byte of image from from up to to that is not 0x00, or to. Both lie inside the image.
std::int32_t zerosEnd(const Bytes& image, std::int32_t from, std::int32_t to);

struct PointedBlock
{
    // Where the block lies, how many bytes it has there, and how many from offset it may use where it lies.
    std::int32_t offset = 0;
    std::int32_t length = 0;
    std::int32_t span = 0;
    // The file offsets of the pointers that lead to it.
    std::vector<std::int32_t> pointers;
};

// A block moved into the free space: from where, to where, its new length and the free bytes there were.
struct BlockMove
{
    std::int32_t from = 0;
    std::int32_t to = 0;
    std::int32_t bytes = 0;
    std::int32_t freeBytes = 0;
};

// "<what> moved to free space at 0xFC5A: 22 of 950 free bytes used."
std::string freeSpaceNote(const std::string& what, const BlockMove& move);

struct BlockPlacement
{
    WritePlan plan;
    std::optional<BlockMove> move;
};

// The writes that put bytes in place of block where it lies: from the first byte that differs from old (the
// block's bytes now) on, the bytes it no longer needs set to 0x00. Empty when bytes exceed the block's span.
std::optional<WritePlan> placeInPlace(const PointedBlock& block, const Bytes& old, const Bytes& bytes);

// The writes that move block, as bytes, into free: at free.placeAt(), every pointer following, its old bytes set
// to 0x00 unless other blocks still use them (keepOld). free then starts behind the block. Empty when bytes
// exceed free.room().
std::optional<BlockPlacement>
placeInFreeSpace(const PointedBlock& block, const Bytes& bytes, FreeSpace& free, bool keepOld = false);

// Where a layout puts each block: areas in the order they are filled, each from its start.
struct PackedLayout
{
    // One offset per block, in the order given.
    std::vector<std::int32_t> offsets;
    // How many bytes the blocks need and how many the areas hold.
    std::int32_t needed = 0;
    std::int32_t capacity = 0;
};

// Lays blocks of the given lengths one after another, in their order, through areas (in order), skipping the
// ranges in fixed: each block goes to the first place after the blocks before it where it fits, and blocks that
// no longer fit in an area continue in the next one. When that leaves some block without a place, the tail of
// each area is filled with the later blocks that fill it best. Empty when no such layout exists.
std::optional<PackedLayout> packBlocks(const std::vector<std::int32_t>& lengths,
                                       const std::vector<BankRange>& areas,
                                       const std::vector<BankRange>& fixed);
// How many bytes areas hold outside fixed.
std::int32_t areaCapacity(const std::vector<BankRange>& areas, const std::vector<BankRange>& fixed);

// Whether after holds what before holds in bank, but in the ranges given (in any order, overlapping or not).
bool sameOutside(const Bytes& before, const Bytes& after, BankRange bank, std::vector<BankRange> ranges);

// The copy of image that verify reads: the bytes of every range in read copied from image, plan written over them,
// and 0x00 everywhere else up to the end of the last range read or written, where the copy ends; verify reads
// only inside those ranges. The plan is refused without a look at the copy when it writes outside writable.
// The copy's buffer is kept from one check to the next.
WriteStatus checkOnCopy(const Bytes& image,
                        const WritePlan& plan,
                        const std::vector<BankRange>& read,
                        const std::vector<BankRange>& writable,
                        const std::function<WriteStatus(const Bytes& copy)>& verify);
