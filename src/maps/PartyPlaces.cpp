#include "maps/PartyPlaces.h"

#include "maps/MapNames.h"

#include <algorithm>
#include <span>

namespace {

constexpr int Rival1 = 25;
constexpr int Rival2 = 42;
constexpr int Rival3 = 43;
constexpr int Rocket = 30;

enum Map
{
    PalletTown = 0x00,
    ViridianCity = 0x01,
    CeruleanCity = 0x03,
    Route12 = 0x17,
    Route16 = 0x1B,
    Route22 = 0x21,
    OaksLab = 0x28,
    MtMoonB2F = 0x3D,
    SSAnne2F = 0x60,
    ChampionsRoom = 0x78,
    PokemonTower2F = 0x8F,
    PokemonTower6F = 0x93,
    PokemonTower7F = 0x94,
    RocketHideoutB4F = 0xCA,
    SilphCo7F = 0xD4,
    SilphCo11F = 0xEB
};

constexpr std::string_view Charmander = "the rival, if the player chose Charmander";
constexpr std::string_view Squirtle = "the rival, if the player chose Squirtle";
constexpr std::string_view Bulbasaur = "the rival, if the player chose Bulbasaur";
constexpr std::string_view OneOfThree = "the rival, one of three by how the first battles went";

// Red and Blue pick the rival's party by the rival's starter: the first of three when it is Squirtle (the
// player chose Charmander), the second for Bulbasaur, the third for Charmander.
constexpr ScriptBattle RedBlue[] = {
    {ViridianCity, 0, 0, "the old man's catching demonstration"},
    {CeruleanCity, Rival1, 7, Charmander},
    {CeruleanCity, Rival1, 8, Squirtle},
    {CeruleanCity, Rival1, 9, Bulbasaur},
    {Route12, 0, 0, "Snorlax"},
    {Route16, 0, 0, "Snorlax"},
    {Route22, Rival1, 4, Charmander},
    {Route22, Rival1, 5, Squirtle},
    {Route22, Rival1, 6, Bulbasaur},
    {Route22, Rival2, 10, Charmander},
    {Route22, Rival2, 11, Squirtle},
    {Route22, Rival2, 12, Bulbasaur},
    {OaksLab, Rival1, 1, Charmander},
    {OaksLab, Rival1, 2, Squirtle},
    {OaksLab, Rival1, 3, Bulbasaur},
    {SSAnne2F, Rival2, 1, Charmander},
    {SSAnne2F, Rival2, 2, Squirtle},
    {SSAnne2F, Rival2, 3, Bulbasaur},
    {ChampionsRoom, Rival3, 1, Charmander},
    {ChampionsRoom, Rival3, 2, Squirtle},
    {ChampionsRoom, Rival3, 3, Bulbasaur},
    {PokemonTower2F, Rival2, 4, Charmander},
    {PokemonTower2F, Rival2, 5, Squirtle},
    {PokemonTower2F, Rival2, 6, Bulbasaur},
    {PokemonTower6F, 0, 0, "the ghost Marowak"},
    {SilphCo7F, Rival2, 7, Charmander},
    {SilphCo7F, Rival2, 8, Squirtle},
    {SilphCo7F, Rival2, 9, Bulbasaur},
};

// Yellow's rival has an Eevee, and its evolution follows the first battles' outcome; Jessie and James are
// ROCKET parties 42 to 45.
constexpr ScriptBattle Yellow[] = {
    {PalletTown, 0, 0, "the wild Pikachu Prof. Oak catches"},
    {ViridianCity, 0, 0, "the old man's catching demonstration"},
    {CeruleanCity, Rival1, 3, "the rival"},
    {Route12, 0, 0, "Snorlax"},
    {Route16, 0, 0, "Snorlax"},
    {Route22, Rival1, 2, "the rival"},
    {Route22, Rival2, 8, OneOfThree},
    {Route22, Rival2, 9, OneOfThree},
    {Route22, Rival2, 10, OneOfThree},
    {OaksLab, Rival1, 1, "the rival"},
    {MtMoonB2F, Rocket, 42, "Jessie & James"},
    {SSAnne2F, Rival2, 1, "the rival"},
    {ChampionsRoom, Rival3, 1, OneOfThree},
    {ChampionsRoom, Rival3, 2, OneOfThree},
    {ChampionsRoom, Rival3, 3, OneOfThree},
    {PokemonTower2F, Rival2, 2, OneOfThree},
    {PokemonTower2F, Rival2, 3, OneOfThree},
    {PokemonTower2F, Rival2, 4, OneOfThree},
    {PokemonTower6F, 0, 0, "the ghost Marowak"},
    {PokemonTower7F, Rocket, 44, "Jessie & James"},
    {RocketHideoutB4F, Rocket, 43, "Jessie & James"},
    {SilphCo7F, Rival2, 5, OneOfThree},
    {SilphCo7F, Rival2, 6, OneOfThree},
    {SilphCo7F, Rival2, 7, OneOfThree},
    {SilphCo11F, Rocket, 45, "Jessie & James"},
};

std::span<const ScriptBattle> scriptBattlesOf(GameVersion version)
{
    if (version == GameVersion::Yellow) {
        return Yellow;
    }
    return RedBlue;
}

} // namespace

std::string placeText(const MapPlace& place)
{
    return std::string(place.name) + " (x " + std::to_string(place.x) + ", y " + std::to_string(place.y) + ")";
}

std::string scriptText(GameVersion version, const ScriptBattle& battle)
{
    return std::string(mapName(version, battle.map)) + ": " + std::string(battle.what) + " (as in the released game)";
}

std::string PartyPlaces::text(GameVersion version) const
{
    if (!maps.empty()) {
        std::string text;
        for (const MapPlace& place : maps) {
            text += (text.empty() ? "" : "; ") + placeText(place);
        }
        return text;
    }
    return script ? scriptText(version, *script) : "No map of this ROM uses this party.";
}

PartyPlaces partyPlaces(const MapTable& table, int classNumber, int partyNumber)
{
    PartyPlaces places;
    for (const MapRow& row : table.rows) {
        for (const MapObject& object : row.objects) {
            if (object.kind == ObjectKind::Trainer && object.classNumber == classNumber &&
                object.party == partyNumber) {
                places.maps.push_back({row.id, row.name, object.number, object.x, object.y});
            }
        }
    }
    if (places.maps.empty()) {
        const auto battles = scriptBattlesOf(table.version);
        const auto found = std::find_if(battles.begin(), battles.end(), [&](const ScriptBattle& battle) {
            return battle.classNumber == classNumber && battle.party == partyNumber && classNumber != 0;
        });
        if (found != battles.end()) {
            places.script = *found;
        }
    }
    return places;
}

std::vector<ScriptBattle> scriptBattles(GameVersion version, int map)
{
    std::vector<ScriptBattle> onMap;
    for (const ScriptBattle& battle : scriptBattlesOf(version)) {
        if (battle.map == map) {
            onMap.push_back(battle);
        }
    }
    return onMap;
}
