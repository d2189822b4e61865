// The export's text: dump(2)'s layout everywhere but the records that take one line each, the same
// document when read back, and the same bytes on every run.

#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/JsonText.h"

#include <regex>
#include <sstream>

TEST(JsonText, WritesWhatDumpWritesButTheRecordsOnOneLine)
{
    // Everything but the records: exactly dump(2), escapes, empty containers, UTF-8 and a stray byte included.
    Json plain = Json::parse(R"({"tavrik": 1, "name": "NIDORAN\u2642 \"A\"\n", "empty": {}, "none": [],
        "list": [1, 2.5, null, true, {"party": [[{"level": 3}]]}], "party": {"level": 0}})");
    plain["bad"] = std::string("A\xFF");
    EXPECT_EQ(jsonText(plain), plain.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");

    const Json records = Json::parse(R"({"classes": [{"class": 1, "parties": [[{"species": "RATTATA", "level": 11},
        {"species": 7, "level": 0}], []]}, {"class": 2, "parties": null}],
        "maps": [{"slots": [{"species": "PIDGEY", "level": 2}, 5], "trainers": [{"at": [3, 4], "party": {"n": 1}}],
        "pokemon": [], "other": [{"a": 1}]}]})");
    EXPECT_EQ(jsonText(records), R"({
  "classes": [
    {
      "class": 1,
      "parties": [
        [
          {"species": "RATTATA", "level": 11},
          {"species": 7, "level": 0}
        ],
        []
      ]
    },
    {
      "class": 2,
      "parties": null
    }
  ],
  "maps": [
    {
      "slots": [
        {"species": "PIDGEY", "level": 2},
        5
      ],
      "trainers": [
        {"at": [3, 4], "party": {"n": 1}}
      ],
      "pokemon": [],
      "other": [
        {
          "a": 1
        }
      ]
    }
  ]
}
)");
}

TEST(JsonText, EveryExportReadsBackAsTheSameDocumentAndNeverChanges)
{
    const std::regex member(R"( {10}\{"species": ("[^"]*"|\d+), "level": \d+\},?)");
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const SyntheticRom rom(version);
        const std::string text = exportBattles(rom.bytes(), profileOf(version));
        EXPECT_EQ(exportBattles(SyntheticRom(version).bytes(), profileOf(version)), text);
        const Json document = Json::parse(text);
        EXPECT_EQ(jsonText(document), text);
        // A line for each member, a line for each party's brackets, no more.
        std::size_t members = 0;
        std::size_t parties = 0;
        for (const Json& entry : document["classes"]) {
            for (const Json& party : entry.value("parties", Json::array())) {
                members += party.size();
                ++parties;
            }
        }
        std::istringstream lines(text);
        std::size_t memberLines = 0;
        for (std::string line; std::getline(lines, line);) {
            memberLines += std::regex_match(line, member) ? 1U : 0U;
        }
        EXPECT_EQ(memberLines, members);
        const auto count = [](const std::string& written) { return std::count(written.begin(), written.end(), '\n'); };
        EXPECT_EQ(count(document.dump(2)) + 1 - count(text), static_cast<long>(3 * members));
        EXPECT_GT(parties, 0U);
    }
}
