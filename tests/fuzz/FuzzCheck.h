#pragma once

// What the fuzz targets share: a check that stops the run with a message the moment an invariant breaks,
// so libFuzzer (or the corpus replay) reports the input as a crash.

#include "rom/Banks.h"
#include "rom/RomFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#define FUZZ_CHECK(condition)                                                                                          \
    ((condition)                                                                                                       \
         ? (void)0                                                                                                     \
         : (std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition), std::abort()))

// The images an input is laid over, each with a copy as built: the bytes an input changed are copied back range by
// range, so that no input pays for a whole image.
template <std::size_t Count> struct OverlaidImages
{
    explicit OverlaidImages(std::array<Bytes, Count> made) : built(std::move(made)), images(built)
    {
        changed.reserve(256);
    }

    void put(Bytes& image, std::size_t offset, const std::uint8_t* bytes, std::size_t count)
    {
        count = std::min(count, image.size() - std::min(offset, image.size()));
        std::memcpy(image.data() + offset, bytes, count);
        changed.push_back({static_cast<std::int32_t>(offset), static_cast<std::int32_t>(offset + count)});
    }
    void restore(std::size_t which)
    {
        for (const BankRange& range : changed) {
            std::memcpy(images[which].data() + range.start,
                        built[which].data() + range.start,
                        static_cast<std::size_t>(range.end - range.start));
        }
        changed.clear();
    }

    std::array<Bytes, Count> built;
    std::array<Bytes, Count> images;
    std::vector<BankRange> changed;
};
