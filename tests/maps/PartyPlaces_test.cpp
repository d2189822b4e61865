// Every party knows where it is fought: the objects of the maps that use it, else the released game's script
// battle, else nothing.

#include "TempRom.h"
#include "maps/PartyPlaces.h"

TEST(PartyPlaces, NamesEveryObjectElseTheScriptBattleElseNone)
{
    const SyntheticRom rom(GameVersion::Red);
    const MapTable table = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    // Count every trainer object once, through the places of the party it names.
    std::map<std::pair<int, int>, std::size_t> uses;
    for (const MapRow& row : table.rows) {
        for (const MapObject& object : row.objects) {
            if (object.kind == ObjectKind::Trainer) {
                ++uses[{object.classNumber, object.party}];
            }
        }
    }
    int twice = 0;
    for (const auto& [party, count] : uses) {
        const PartyPlaces places = partyPlaces(table, party.first, party.second);
        ASSERT_EQ(places.maps.size(), count);
        if (count == 2) {
            ++twice;
            const std::string text = places.text(GameVersion::Red);
            EXPECT_EQ(text, placeText(places.maps[0]) + "; " + placeText(places.maps[1]));
        }
    }
    EXPECT_EQ(twice, 5);
    const std::vector<std::tuple<int, int, std::string>> texts = {
        {34, 1, "Pewter Gym (x 9, y 1)"},
        {25, 2, "Oak's Lab: the rival, if the player chose Squirtle (as in the released game)"},
        {42, 10, "Route 22: the rival, if the player chose Charmander (as in the released game)"},
        {26, 1, "No map of this ROM uses this party."},
    };
    for (const auto& [classNumber, party, text] : texts) {
        EXPECT_EQ(partyPlaces(table, classNumber, party).text(GameVersion::Red), text);
    }
    EXPECT_EQ(partyPlaces(readMaps(SyntheticRom(GameVersion::Yellow).bytes(), profileOf(GameVersion::Yellow)), 30, 44)
                  .text(GameVersion::Yellow),
              "Pokémon Tower 7F: Jessie & James (as in the released game)");
    EXPECT_EQ(scriptBattles(GameVersion::Red, 0x28).size(), 3U);
    EXPECT_EQ(scriptBattles(GameVersion::Yellow, 0x00).front().what, "the wild Pikachu Prof. Oak catches");
}
