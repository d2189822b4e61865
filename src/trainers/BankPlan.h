#pragma once

// Where the lists one save of the trainer bank changes go, whatever their kind, in one of two ways: each changed
// list rewritten where it is when its new bytes fit its span (the bytes it no longer needs set to 0x00), or moved
// into the free space at the end of the bank behind 16 zero bytes left alone, every pointer to it following and
// its old bytes set to 0x00; or every list of the bank laid out anew (see BankLayout.h). The caller checks the
// plan on a copy before anything is written.

#include "rom/Failure.h"
#include "rom/SpacePlan.h"
#include "rom/WritePlan.h"
#include "trainers/BankLayout.h"

#include <optional>
#include <string>
#include <vector>

// A list the save changes.
struct ChangedList
{
    // Into BankLists::lists.
    std::size_t list = 0;
    Bytes bytes;
    // Whose list it is, for a refusal: "The parties of trainer class 34".
    std::string what;
    // Why the list may not be the last one before the free space, where nothing but a byte the game cannot read
    // as one of its parties ends it; empty when it may.
    std::string cannotEnd;
};

// A list moved into the free space: whose (a class, or a species), from where, to where, its length and the free
// bytes there were.
struct Relocation : BlockMove
{
    int classNumber = 0;
    int species = 0;
};

// The whole bank laid out anew: how many lists were rewritten, and the free bytes left of the bytes the lists'
// places hold.
struct Repack
{
    int lists = 0;
    std::int32_t freeBytes = 0;
    std::int32_t capacity = 0;
};

struct BankPlacement
{
    WritePlan plan;
    std::vector<Relocation> relocations;
    std::optional<Repack> repack;
    // Where each list of the bank lies once the plan is written, by index into BankLists::lists.
    std::vector<std::int32_t> offsets;
};

// The first way; a failure when a list fits neither its place nor the free space, or may not end the lists there.
Result<BankPlacement> placeOneByOne(const Bytes& image,
                                    const VersionProfile& profile,
                                    const BankLists& lists,
                                    const std::vector<ChangedList>& changed);
// The second way; a failure when the lists of the bank need more bytes than its places hold.
Result<BankPlacement> placeAll(const Bytes& image,
                               const VersionProfile& profile,
                               const BankLists& lists,
                               const std::vector<ChangedList>& changed);

// Where a save of the bank may write: the pointer tables of both kinds of lists, every place of the lists and
// every list that may be edited.
std::vector<BankRange>
writableRanges(const Bytes& image, const VersionProfile& profile, const BankLists& lists, const WritePlan& other);

// "1 byte", "1,024 bytes".
std::string byteCount(std::int32_t bytes);
