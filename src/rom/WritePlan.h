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

// The writes on an image in memory; every run must lie inside it. A file is written by commitSave
// (history/CommitSave.h), which records what it replaces first.
void applyWritePlan(Bytes& image, const WritePlan& plan);
