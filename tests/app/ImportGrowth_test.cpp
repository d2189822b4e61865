// The hacker's first wish through the command line: every party one member stronger, one file imported. On the
// released sizes the lists no longer fit where they are nor one by one in the free space, so the import lays
// the trainer bank out anew in one step, says so in one line, and the game's own walk reads every party as the
// file has it; nothing outside the trainer bank changes. A second such import follows while the room lasts,
// and the one that no longer fits is refused whole.

#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/CommandLine.h"

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
