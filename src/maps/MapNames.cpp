#include "maps/MapNames.h"

#include "rom/DisplayText.h"

#include <array>
#include <string>

namespace {

constexpr int NamedMaps = 249;

// In map id order; nullptr for the ids the released games leave unused.
// clang-format off
constexpr std::array<const char*, NamedMaps> Names{
    "Pallet Town", "Viridian City", "Pewter City", "Cerulean City", "Lavender Town", "Vermilion City",
    "Celadon City", "Fuchsia City", "Cinnabar Island", "Indigo Plateau", "Saffron City", nullptr,
    "Route 1", "Route 2", "Route 3", "Route 4", "Route 5", "Route 6", "Route 7", "Route 8", "Route 9", "Route 10",
    "Route 11", "Route 12", "Route 13", "Route 14", "Route 15", "Route 16", "Route 17", "Route 18", "Route 19",
    "Route 20", "Route 21", "Route 22", "Route 23", "Route 24", "Route 25",
    "Red's House 1F", "Red's House 2F", "Blue's House", "Oak's Lab", "Viridian Pokémon Center", "Viridian Mart",
    "Viridian School House", "Viridian Nickname House", "Viridian Gym", "Diglett's Cave Route 2",
    "Viridian Forest North Gate", "Route 2 Trade House", "Route 2 Gate", "Viridian Forest South Gate",
    "Viridian Forest", "Museum 1F", "Museum 2F", "Pewter Gym", "Pewter Nidoran House", "Pewter Mart",
    "Pewter Speech House", "Pewter Pokémon Center", "Mt. Moon 1F", "Mt. Moon B1F", "Mt. Moon B2F",
    "Cerulean Trashed House", "Cerulean Trade House", "Cerulean Pokémon Center", "Cerulean Gym", "Bike Shop",
    "Cerulean Mart", "Mt. Moon Pokémon Center", "Cerulean Trashed House (copy)", "Route 5 Gate",
    "Underground Path Route 5", "Daycare", "Route 6 Gate", "Underground Path Route 6",
    "Underground Path Route 6 (copy)", "Route 7 Gate", "Underground Path Route 7", "Underground Path Route 7 (copy)",
    "Route 8 Gate", "Underground Path Route 8", "Rock Tunnel Pokémon Center", "Rock Tunnel 1F", "Power Plant",
    "Route 11 Gate 1F", "Diglett's Cave Route 11", "Route 11 Gate 2F", "Route 12 Gate 1F", "Bill's House",
    "Vermilion Pokémon Center", "Pokémon Fan Club", "Vermilion Mart", "Vermilion Gym", "Vermilion Pidgey House",
    "Vermilion Dock", "S.S. Anne 1F", "S.S. Anne 2F", "S.S. Anne 3F", "S.S. Anne B1F", "S.S. Anne Bow",
    "S.S. Anne Kitchen", "S.S. Anne Captain's Room", "S.S. Anne 1F Rooms", "S.S. Anne 2F Rooms",
    "S.S. Anne B1F Rooms", nullptr, nullptr, nullptr, "Victory Road 1F", nullptr, nullptr, nullptr, nullptr,
    "Lance's Room", nullptr, nullptr, nullptr, nullptr, "Hall of Fame", "Underground Path North-South",
    "Champion's Room", "Underground Path West-East", "Celadon Mart 1F", "Celadon Mart 2F", "Celadon Mart 3F",
    "Celadon Mart 4F", "Celadon Mart Roof", "Celadon Mart Elevator", "Celadon Mansion 1F", "Celadon Mansion 2F",
    "Celadon Mansion 3F", "Celadon Mansion Roof", "Celadon Mansion Roof House", "Celadon Pokémon Center",
    "Celadon Gym", "Game Corner", "Celadon Mart 5F", "Game Corner Prize Room", "Celadon Diner",
    "Celadon Chief House", "Celadon Hotel", "Lavender Pokémon Center", "Pokémon Tower 1F", "Pokémon Tower 2F",
    "Pokémon Tower 3F", "Pokémon Tower 4F", "Pokémon Tower 5F", "Pokémon Tower 6F", "Pokémon Tower 7F",
    "Mr. Fuji's House", "Lavender Mart", "Lavender Cubone House", "Fuchsia Mart", "Fuchsia Bill's Grandpa's House",
    "Fuchsia Pokémon Center", "Warden's House", "Safari Zone Gate", "Fuchsia Gym", "Fuchsia Meeting Room",
    "Seafoam Islands B1F", "Seafoam Islands B2F", "Seafoam Islands B3F", "Seafoam Islands B4F",
    "Vermilion Old Rod House", "Fuchsia Good Rod House", "Pokémon Mansion 1F", "Cinnabar Gym", "Cinnabar Lab",
    "Cinnabar Lab Trade Room", "Cinnabar Lab Metronome Room", "Cinnabar Lab Fossil Room", "Cinnabar Pokémon Center",
    "Cinnabar Mart", "Cinnabar Mart (copy)", "Indigo Plateau Lobby", "Copycat's House 1F", "Copycat's House 2F",
    "Fighting Dojo", "Saffron Gym", "Saffron Pidgey House", "Saffron Mart", "Silph Co. 1F",
    "Saffron Pokémon Center", "Mr. Psychic's House", "Route 15 Gate 1F", "Route 15 Gate 2F", "Route 16 Gate 1F",
    "Route 16 Gate 2F", "Route 16 Fly House", "Route 12 Super Rod House", "Route 18 Gate 1F", "Route 18 Gate 2F",
    "Seafoam Islands 1F", "Route 22 Gate", "Victory Road 2F", "Route 12 Gate 2F", "Vermilion Trade House",
    "Diglett's Cave", "Victory Road 3F", "Rocket Hideout B1F", "Rocket Hideout B2F", "Rocket Hideout B3F",
    "Rocket Hideout B4F", "Rocket Hideout Elevator", nullptr, nullptr, nullptr, "Silph Co. 2F", "Silph Co. 3F",
    "Silph Co. 4F", "Silph Co. 5F", "Silph Co. 6F", "Silph Co. 7F", "Silph Co. 8F", "Pokémon Mansion 2F",
    "Pokémon Mansion 3F", "Pokémon Mansion B1F", "Safari Zone East", "Safari Zone North", "Safari Zone West",
    "Safari Zone Center", "Safari Zone Center Rest House", "Safari Zone Secret House", "Safari Zone West Rest House",
    "Safari Zone East Rest House", "Safari Zone North Rest House", "Cerulean Cave 2F", "Cerulean Cave B1F",
    "Cerulean Cave 1F", "Name Rater's House", "Cerulean Badge House", nullptr, "Rock Tunnel B1F", "Silph Co. 9F",
    "Silph Co. 10F", "Silph Co. 11F", "Silph Co. Elevator", nullptr, nullptr, "Trade Center", "Colosseum", nullptr,
    nullptr, nullptr, nullptr, "Lorelei's Room", "Bruno's Room", "Agatha's Room", "Summer Beach House"};
// clang-format on

// Yellow's only renamed map: the house where a girl looks after Pokémon, one of which she gives away.
constexpr int CeruleanTradeHouse = 0x3F;
constexpr int YellowOnlyMap = 0xF8;

using NameTable = std::array<std::string, 256>;

NameTable namesOf(GameVersion version)
{
    NameTable names;
    for (int id = 0; id < static_cast<int>(names.size()); ++id) {
        std::string& name = names[static_cast<std::size_t>(id)];
        const bool named = id < NamedMaps && (id != YellowOnlyMap || version == GameVersion::Yellow);
        if (named && Names[static_cast<std::size_t>(id)] != nullptr) {
            name = Names[static_cast<std::size_t>(id)];
        } else {
            name = "Map " + hexNumber(id, 2);
        }
    }
    if (version == GameVersion::Yellow) {
        names[CeruleanTradeHouse] = "Cerulean Melanie's House";
    }
    return names;
}

} // namespace

std::string_view mapName(GameVersion version, int id)
{
    static const NameTable RedBlue = namesOf(GameVersion::Red);
    static const NameTable Yellow = namesOf(GameVersion::Yellow);
    static const std::string Unknown = "Map";
    if (id < 0 || id > 0xFF) {
        return Unknown;
    }
    return (version == GameVersion::Yellow ? Yellow : RedBlue)[static_cast<std::size_t>(id)];
}
