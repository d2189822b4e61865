#pragma once

// IPS patches: "PATCH", then records, each a 3-byte offset and a 2-byte size, big-endian, followed by that many
// bytes, or, when the size is 0, by a 2-byte count and the one byte to repeat that many times; then "EOF". Nothing
// in a patch names the ROM it was made for. A record starting at 0x454F46 would read as "EOF", so none may.
//
// What Tavrik accepts beyond that: records reaching past the original's end make the file longer, any gap filled
// with 0x00, up to 16 MiB in all; a 3-byte size after "EOF", as some tools write to shorten a file, cuts the
// patched file to that size when it is no longer. Nothing else may follow "EOF".

#include "patches/Patch.h"
#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <cstddef>
#include <string>

constexpr std::size_t IpsEofOffset = 0x454F46;
constexpr std::size_t IpsLargestRecord = 0xFFFF;

// A patch that turns source into target. Refused when target is shorter than source (this writer never writes
// the size after "EOF", which not every patcher reads) or longer than 16 MiB.
Result<Bytes> makeIps(const Bytes& source, const Bytes& target);
// The patched file; patchName names the patch in a failure; a record reaching past largest is refused.
Result<Bytes>
applyIps(const Bytes& source, const Bytes& patch, const std::string& patchName, std::size_t largest = MaxPatchedSize);
