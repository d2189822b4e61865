// The guide of a synthetic image: what each map page and the index say, read through the ROM's tables, and the pages
// as HTML: escaped texts, doubled map pictures, no picture the ROM does not hold, and the words the search looks in.

#include "MapIds.h"
#include "TempRom.h"
#include "guide/GuideHtml.h"
#include "maps/MapTable.h"
#include "maps/PartyPlaces.h"
#include "trainers/PartyTable.h"

TEST(Guide, EveryMapPageSaysWhatTheRomHolds)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const SyntheticRom rom(version);
        const VersionProfile& profile = profileOf(version);
        const MapTable maps = readMaps(rom.bytes(), profile);
        const PartyTable parties = readPartyTable(rom.bytes(), profile);
        const Guide guide = buildGuide(rom.bytes(), profile, [](int species, int level, const GuideOwner&) {
            return GuideBattler{{std::to_string(species + level)}, {}, {}};
        });
        ASSERT_EQ(guide.leaders.size(), 12U);
        for (int k = 0; k < 12; ++k) {
            const GuideLeader& leader = guide.leaders[static_cast<std::size_t>(k)];
            EXPECT_EQ(leader.trainer.name, SyntheticRom::trainerName(k));
            const PartyPlaces places = partyPlaces(maps, leader.trainer.classNumber, leader.trainer.party);
            EXPECT_EQ(leader.mapId, places.maps.empty() ? -1 : places.maps.front().map);
        }
        // The leader of the first gym: its prize is the class's money per level times its last member's level.
        const GuideTrainer& first = guide.leaders.front().trainer;
        const Party& party = *parties.party(first.classNumber, first.party);
        EXPECT_EQ(first.prize, *parties.entry(first.classNumber).money * party.members.back().level);
        ASSERT_EQ(first.members.size(), party.members.size());
        EXPECT_EQ(first.members[0].battler.moves,
                  std::vector<std::string>{std::to_string(party.members[0].species + party.members[0].level)});

        const auto page = [&guide](int id) {
            return *std::find_if(
                guide.maps.begin(), guide.maps.end(), [id](const GuideMap& map) { return map.id == id; });
        };
        // Route 3: its trainers in the order of its objects; its grass by slot, and by species with the levels it
        // comes at and its chances together.
        const GuideMap route = page(MapIds::Route3);
        std::vector<std::pair<int, int>> trainers;
        for (const MapObject& object : maps.row(MapIds::Route3)->objects) {
            if (object.kind == ObjectKind::Trainer) {
                trainers.emplace_back(object.classNumber, object.party);
            }
        }
        ASSERT_EQ(route.trainers.size(), trainers.size());
        for (std::size_t k = 0; k < trainers.size(); ++k) {
            EXPECT_EQ(std::pair(route.trainers[k].classNumber, route.trainers[k].party), trainers[k]);
        }
        const WildArea& grass = maps.wildOf(MapIds::Route3)->grass;
        ASSERT_TRUE(route.grass.has_value());
        int chances = 0;
        for (const GuideRange& range : route.grass->ranges) {
            int lowest = 100;
            int highest = 0;
            for (std::size_t slot = 0; slot < grass.slot.size(); ++slot) {
                if (grass.slot[slot].species == range.species) {
                    lowest = std::min(lowest, static_cast<int>(grass.slot[slot].level));
                    highest = std::max(highest, static_cast<int>(grass.slot[slot].level));
                }
            }
            EXPECT_EQ(std::pair(range.lowest, range.highest), std::pair(lowest, highest)) << range.name;
            chances += range.chance;
        }
        EXPECT_EQ(chances, 256);
        // Oak's Lab: the rival's battles, which its scripts start.
        EXPECT_FALSE(page(MapIds::OaksLab).trainers.empty());
    }
}

TEST(GuideHtml, EscapesTextsAndShowsOnlyThePicturesWritten)
{
    Guide guide;
    guide.title = "Pokémon <Red> & Co";
    GuideTrainer rival{25,
                       2,
                       "RIVAL \"R\"",
                       "the rival",
                       {{4, "NIDORAN♂", 5, {{"TACKLE", "GROWL"}, {"", "the <rival>'s own"}, {{{20, 11, 10, 12, 9}}}}}},
                       175,
                       {}};
    guide.leaders.push_back({rival, "Oak's Lab", 0x28});
    GuideMap map{0x28, "Oak's Lab", {}, 80, 96, {rival}, {}, GuideArea{25, {}, {{4, "NIDORAN♂", 3, 5, 256}}}, {}};
    guide.maps.push_back(map);
    GuidePictures shown;
    shown.classes.insert(25);
    const std::string index = guideIndex(guide, shown);
    const std::string page = guideMapPage(guide, map, shown);
    for (const std::string& text : {index, page}) {
        EXPECT_NE(text.find("Pokémon &lt;Red&gt; &amp; Co"), std::string::npos);
        EXPECT_EQ(text.find("<Red>"), std::string::npos);
        EXPECT_NE(text.find("RIVAL &quot;R&quot;"), std::string::npos);
        // The class's portrait is written, the species' picture is not.
        EXPECT_NE(text.find("src=\"pictures/trainer-25.png\""), std::string::npos);
        EXPECT_EQ(text.find("pictures/species-4.png"), std::string::npos);
    }
    EXPECT_NE(index.find("data-search=\"oak's lab rival &quot;r&quot; nidoran♂ nidoran♂\""), std::string::npos);
    EXPECT_NE(index.find("<a href=\"map-40.html\">Oak's Lab</a>"), std::string::npos);
    EXPECT_NE(page.find("width=\"160\" height=\"192\""), std::string::npos);
    // A move the game writes over the member's own is marked, with where it comes from.
    EXPECT_NE(
        page.find(
            "<li>TACKLE</li><li><strong>GROWL</strong> <span class=\"own\">(the &lt;rival&gt;'s own)</span></li>"),
        std::string::npos);
    EXPECT_NE(page.find("HP 20 · Atk 11 · Def 10 · Spd 12 · Spc 9"), std::string::npos);
    EXPECT_NE(page.find("Prize money: ¥175."), std::string::npos);
    EXPECT_NE(page.find("<strong>NIDORAN♂</strong> Lv 3–5, 100.0 %"), std::string::npos);
}
