#include "maps/MapProfile.h"

namespace {

// Yellow adds one map and one tileset, and keeps its header tables in bank 0x3F.
constexpr MapProfile RedBlue{248, 24, 0x001AE, 0x0C23D, 0x0CEEB, 0x0D0DD, 1258, 0x13918};
constexpr MapProfile Yellow{249, 25, 0xFC1F2, 0xFC3E4, 0x0CB95, 0x0CD89, 1380, 0x138E2};

} // namespace

const MapProfile& mapProfile(GameVersion version)
{
    return version == GameVersion::Yellow ? Yellow : RedBlue;
}
