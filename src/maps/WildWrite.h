#pragma once

// Writing maps' wild Pokémon so that the game still finds every table. A table whose new bytes are no longer than
// its old ones is rewritten where it lies, the bytes it no longer needs set to 0x00 (a table turned off, or slots
// and rates changed). One that grows (an area turned on needs 20 bytes more) moves to the free space at the end of
// bank 3, behind 16 zero bytes left alone, and the pointers that lead to it follow. A map that shared the empty
// table with others always gets a table of its own there, and only its pointer changes; a table with Pokémon that
// several maps share is edited for all of them. Every plan is checked on a copy of bank 3 before anything is
// written: every other map's table reads as before, the pointers still end in 0xFFFF, and nothing but the tables,
// their pointers and the free space changes.

#include "maps/MapTable.h"
#include "rom/Failure.h"
#include "rom/WritePlan.h"

#include <optional>
#include <string>
#include <vector>

struct WildEdit
{
    int map = 0;
    // The new grass and water; one left empty stays as it is.
    std::optional<WildArea> grass;
    std::optional<WildArea> water;
};
using WildEdits = std::vector<WildEdit>;

// A table written into the free space, and the maps that now find it there.
struct WildMove
{
    std::vector<int> maps;
    BlockMove move;
};

// A slot an edit gives a species byte without a Pokédex number: a glitch species, allowed, and worth a warning.
struct GlitchSlot
{
    int map = 0;
    bool water = false;
    // From 1.
    int slot = 0;
    int species = 0;
};

// The slots of now, 1..10, that hold a species without a Pokédex number which was did not hold there (all of
// them when was is off). Species 0 is not counted: it is refused, not warned about.
std::vector<int> glitchSlots(const Bytes& image, GameVersion version, const WildArea& was, const WildArea& now);

struct WildWrite
{
    WritePlan plan;
    std::vector<WildMove> moves;
    std::vector<GlitchSlot> glitches;
    // The free space at the end of bank 3 behind the tables this plan moves there.
    FreeSpace free;
};

// The writes of edits in image, checked on a copy. Refused, with nothing planned: an edit of a row that is no map,
// a copy, or whose table cannot be read; a slot of species 0 or a level outside 1-100 in an area that is on; two
// edits of one shared table that differ; a bank without room for the tables that move (the message says how many
// bytes are missing); a plan the check on the copy finds fault with.
Result<WildWrite> planWildEdits(const Bytes& image, const MapTable& table, const WildEdits& edits);

// Whether after, written from before by a plan of edits, reads as it must in bank 3: every map's table as before
// but for the edited ones, which read as edited; the pointers ending in 0xFFFF; nothing in bank 3 changed but the
// tables, their pointers and the free space. Only bank 3 of after is read, so a copy of that bank will do.
WriteStatus verifyWild(const Bytes& before, const Bytes& after, const VersionProfile& profile, const WildEdits& edits);

// "Route 1's wild Pokémon moved to free space at 0xFC5A: 22 of 950 free bytes used."
std::string moveNote(const MapTable& table, const WildMove& move);
