// The hacker's first wish through the command line: every party one member stronger, one file imported. On the
// released sizes the lists no longer fit where they are nor one by one in the free space, so the import lays
// the trainer bank out anew in one step, says so in one line, and the game's own walk reads every party as the
// file has it; nothing outside the trainer bank changes. A second such import follows while the room lasts,
// and the one that no longer fits is refused whole.

#include "GameWalks.h"
#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/CommandLine.h"
#include "trainers/BankLayout.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;

// One member more, at the level of the last, for every party with fewer than six; how many were added.
int growEveryParty(Json& document)
{
    int added = 0;
    for (Json& item : document["classes"]) {
        if (!item.contains("parties") || !item["parties"].is_array()) {
            continue;
        }
        for (Json& party : item["parties"]) {
            if (party.size() < MaxPartySize) {
                party.push_back({{"species", SyntheticRom::speciesName(7)}, {"level", party.back()["level"]}});
                ++added;
            }
        }
    }
    return added;
}

// One more learnset move, behind the others, for every Pokémon with a learnset; how many were added.
int growEveryLearnset(Json& document)
{
    int added = 0;
    for (Json& pokemon : document["pokemon"]) {
        if (pokemon["learnset"].is_array()) {
            const int level = pokemon["learnset"].empty() ? 10 : pokemon["learnset"].back()["level"].get<int>();
            pokemon["learnset"].push_back({{"level", std::min(level + 2, 100)}, {"move", SyntheticRom::moveName(33)}});
            ++added;
        }
    }
    return added;
}

std::int32_t freeBytes(const Bytes& image, GameVersion version)
{
    return bankRoom(image, profileOf(version), readPartyTable(image, profileOf(version))).free();
}

} // namespace

TEST(ImportGrowth, EveryPartyOneMemberStrongerInOneFile)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        TempDir dir;
        const std::string rom = dir.write(SyntheticRom(version));
        for (int round = 1;; ++round) {
            const Bytes before = fileBytes(rom);
            Json document = Json::parse(exportBattles(before, profileOf(version)));
            if (growEveryParty(document) == 0) {
                break;
            }
            std::ofstream(dir.file("grown.json")) << document.dump(2);
            std::ostringstream out;
            std::ostringstream err;
            const int code = runCommand({"import", rom, dir.file("grown.json")}, out, err);
            const Bytes after = fileBytes(rom);
            if (code != 0) {
                // Refused whole once the lists need more room than the bank has.
                EXPECT_GT(round, 1);
                EXPECT_EQ(code, 1);
                EXPECT_NE(err.str().find("bytes are missing"), std::string::npos) << err.str();
                EXPECT_EQ(after, before);
                break;
            }
            if (round == 1) {
                EXPECT_NE(out.str().find("The trainer bank was repacked: "), std::string::npos) << out.str();
            }
            EXPECT_TRUE(std::equal(before.begin(), before.begin() + 0x38000, after.begin()) &&
                        std::equal(before.begin() + 0x3C000, before.end(), after.begin() + 0x3C000));
            // Exported again, the ROM holds exactly the file's parties, and every list can still be edited.
            const Json again = Json::parse(exportBattles(after, profileOf(version)));
            EXPECT_EQ(again["classes"], document["classes"]);
            EXPECT_TRUE(again["notes"].empty()) << again["notes"].dump();
        }
    }
}

// The Pokémon's wish after the trainers': one more move in every learnset, about 300 bytes in one file. The lists do
// not fit one by one in the free space, so the import lays the whole bank out anew, parties and learnsets together,
// and every party still reads as before; one more member for every party follows in the room that is left.
TEST(ImportGrowth, OneMoreLearnsetMoveForEverySpeciesThenOneMoreMemberForEveryParty)
{
    const GameVersion version = GameVersion::Red;
    const VersionProfile& profile = profileOf(version);
    TempDir dir;
    const std::string rom = dir.write(SyntheticRom(version));
    const Bytes released = fileBytes(rom);
    Json document = Json::parse(exportBattles(released, profile));
    EXPECT_EQ(growEveryLearnset(document), 151);
    std::ofstream(dir.file("learnsets.json")) << document.dump(2);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runCommand({"import", rom, dir.file("learnsets.json")}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("The trainer bank was repacked: "), std::string::npos) << out.str();
    const Bytes learnt = fileBytes(rom);
    EXPECT_EQ(freeBytes(released, version) - freeBytes(learnt, version), 302);
    EXPECT_EQ(gameParties(learnt, readPartyTable(learnt, profile), version),
              gameParties(released, readPartyTable(released, profile), version));
    const std::vector<EvosMoves> lists = gameEvosMoves(learnt, version);
    const Json again = Json::parse(exportBattles(learnt, profile));
    EXPECT_EQ(again["pokemon"], document["pokemon"]);
    EXPECT_TRUE(std::equal(released.begin(), released.begin() + 0x38000, learnt.begin()) &&
                std::equal(released.begin() + 0x3C000, released.end(), learnt.begin() + 0x3C000));

    Json parties = again;
    const int members = growEveryParty(parties);
    std::ofstream(dir.file("parties.json")) << parties.dump(2);
    ASSERT_EQ(runCommand({"import", rom, dir.file("parties.json")}, out, err), 0) << err.str();
    const Bytes both = fileBytes(rom);
    const Json last = Json::parse(exportBattles(both, profile));
    EXPECT_EQ(last["classes"], parties["classes"]);
    EXPECT_EQ(gameEvosMoves(both, version), lists);
    EXPECT_TRUE(last["notes"].empty()) << last["notes"].dump();
    EXPECT_EQ(members, 204);
    // On the released sizes: 302 bytes of learnsets, then 337 of parties, and 395 of 5,043 still free.
    EXPECT_EQ(freeBytes(learnt, version) - freeBytes(both, version), 337);
    EXPECT_EQ(freeBytes(both, version), 395);
}
