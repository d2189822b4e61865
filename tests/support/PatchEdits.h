#pragma once

// The edits the patch tests make to a synthetic image: the trainer bank's three kinds of save as the trainer code
// plans them (a party rewritten in place, a list moved into the free space, the bank laid out anew) and random
// ones (bytes changed, stretches filled, the file grown or cut), and another version's image in its place.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <string>
#include <vector>

struct PatchEdit
{
    std::string name;
    Bytes edited;
    // Whether IPS can make it: not when the file gets shorter.
    bool ips = true;
};

// The edits of original, an image of version as the builder makes it; the same ones on every call.
std::vector<PatchEdit> patchEdits(const Bytes& original, GameVersion version);
