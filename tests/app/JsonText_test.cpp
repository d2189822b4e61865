// The export's text: dump(2)'s layout everywhere but the records that take one line each, the same
// document when read back, and the same bytes on every run.

#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/JsonText.h"

TEST(JsonText, WritesWhatDumpWritesButTheRecordsOnOneLine)
{
    // Everything but the records: exactly dump(2), escapes, empty containers, UTF-8 and a stray byte included.
    Json plain = Json::parse(R"({"name": "NIDORAN\u2642 \"A\"\n", "empty": {}, "none": [],
        "list": [1, 2.5, null, true, {"party": [[{"level": 3}]]}]})");
    plain["bad"] = std::string("A\xFF");
    EXPECT_EQ(jsonText(plain), plain.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");

    const Json records = Json::parse(R"({"parties": [[{"species": "RATTATA", "level": 11}, {"species": 7}], []],
        "maps": [{"slots": [{"level": 2}, 5], "trainers": [{"at": [3, 4], "party": {"n": 1}}]}]})");
    EXPECT_EQ(jsonText(records), R"({
  "parties": [
    [
      {"species": "RATTATA", "level": 11},
      {"species": 7}
    ],
    []
  ],
  "maps": [
    {
      "slots": [
        {"level": 2},
        5
      ],
      "trainers": [
        {"at": [3, 4], "party": {"n": 1}}
      ]
    }
  ]
}
)");
}

TEST(JsonText, EveryExportReadsBackAsTheSameDocumentWithAMemberALine)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const std::string text = exportBattles(SyntheticRom(version).bytes(), profileOf(version));
        EXPECT_EQ(exportBattles(SyntheticRom(version).bytes(), profileOf(version)), text);
        const Json document = Json::parse(text);
        EXPECT_EQ(jsonText(document), text);
        // Each member, wild slot, rod's Pokémon, map object, evolution, learnset entry and move takes one line where
        // dump(2) takes one for each key and two more; a Pokémon's lists of names one line where dump(2) takes one
        // for each and two.
        long members = 0;
        long saved = 0;
        const auto record = [&saved](const Json& object) { saved += static_cast<long>(object.size()) + 1; };
        for (const Json& entry : document["classes"]) {
            for (const Json& party : entry.value("parties", Json::array())) {
                members += static_cast<long>(party.size());
                std::for_each(party.begin(), party.end(), record);
            }
        }
        for (const Json& map : document["maps"]) {
            for (const char* key : {"trainers", "pokemon"}) {
                const Json objects = map.value(key, Json::array());
                std::for_each(objects.begin(), objects.end(), record);
            }
            for (const char* area : {"grass", "water", "fishing"}) {
                const Json slots = map.contains(area) && !map[area].is_null() ? map[area]["slots"] : Json::array();
                std::for_each(slots.begin(), slots.end(), record);
            }
            // The maps sharing a super rod group stand on one line too.
            const Json shared = map.contains("fishing") ? map["fishing"].value("sharedWith", Json::array()) : Json();
            saved += shared.empty() ? 0 : static_cast<long>(shared.size()) + 1;
        }
        record(document["rods"]["old"]);
        std::for_each(document["rods"]["good"].begin(), document["rods"]["good"].end(), record);
        for (const Json& pokemon : document["pokemon"]) {
            for (const char* key : {"evolutions", "learnset"}) {
                std::for_each(pokemon[key].begin(), pokemon[key].end(), record);
            }
            for (const char* key : {"types", "moves", "tmhm"}) {
                saved += pokemon[key].empty() ? 0 : static_cast<long>(pokemon[key].size()) + 1;
            }
        }
        for (const Json& move : document["moves"]) {
            // An accuracy no percentage gives is an object of its own: two lines more.
            saved += static_cast<long>(move.size()) + 1 + (move["accuracy"].is_object() ? 2 : 0);
        }
        const auto lines = [](const std::string& written) { return std::count(written.begin(), written.end(), '\n'); };
        EXPECT_GT(members, 300);
        EXPECT_EQ(lines(document.dump(2)) + 1 - lines(text), saved);
    }
}
