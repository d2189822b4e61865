#include "species/SpeciesProfile.h"

namespace {

// Yellow moved the TM/HM list and the type names a little; the moves table is where it is in all three.
constexpr SpeciesProfile RedBlue{0x38000, 0x13773, 0x27DAE};
constexpr SpeciesProfile Yellow{0x38000, 0x1232D, 0x27D63};

} // namespace

const SpeciesProfile& speciesProfile(GameVersion version)
{
    return version == GameVersion::Yellow ? Yellow : RedBlue;
}
