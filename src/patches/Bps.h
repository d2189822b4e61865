#pragma once

// BPS patches. One starts with "BPS1" and three numbers: the source's size, the target's size and the size of
// the metadata that follows. Then come actions, each a number holding its length - 1 in the bits above its two
// lowest, which say its kind: SourceRead (the source's bytes at the offset being written), TargetRead (bytes
// carried in the patch), SourceCopy and TargetCopy (bytes of the source, or of the target already written, from
// where the last copy of that kind ended moved by a signed number). Last come the CRC32s of the source, of the
// target and of the patch before them, little-endian. A number is 7 bits a byte, the lowest first, the top bit
// set on its last byte, and each byte after the first adds one step more than its bits say.

#include "patches/Patch.h"
#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <string>

namespace BpsAction {
constexpr unsigned SourceRead = 0;
constexpr unsigned TargetRead = 1;
constexpr unsigned SourceCopy = 2;
constexpr unsigned TargetCopy = 3;
} // namespace BpsAction

// A patch that turns source into target: bytes that stay where they were read from the source, runs found
// elsewhere in the source or earlier in the target copied, and only the rest carried in the patch.
Bytes makeBps(const Bytes& source, const Bytes& target);
// The target, once every check has passed: the patch's own CRC32, then that source is the ROM it was made for
// (its CRC32, then its size), every action inside the source, the target and the patch, and the target's
// CRC32. patchName names the patch in a failure; a patch that makes a file larger than largest is refused.
Result<Bytes>
applyBps(const Bytes& source, const Bytes& patch, const std::string& patchName, std::size_t largest = MaxPatchedSize);
