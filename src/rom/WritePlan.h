#pragma once

// The bytes a save writes, worked out before the first one is written: runs of bytes at 0-based offsets,
// in the order they are written.

#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <cstdint>
#include <string>
#include <vector>

struct ByteWrite
{
    std::int32_t offset;
    Bytes bytes;
};
using WritePlan = std::vector<ByteWrite>;

// Each run through WriteHex, in order, stopping at the first failure; then the file is flushed to disk.
WriteStatus applyWritePlan(const std::string& path, const WritePlan& plan);
// The same writes on an image in memory; every run must lie inside it.
void applyWritePlan(Bytes& image, const WritePlan& plan);
