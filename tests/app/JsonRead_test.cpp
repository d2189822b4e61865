#include "SameJson.h"
#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/JsonRead.h"

#include <gtest/gtest.h>

namespace {

struct Outcome
{
    Json document;
    std::string error;
};

template <typename Read> Outcome outcome(Read read)
{
    Outcome result;
    try {
        result.document = read();
    } catch (const Json::exception& error) {
        result.error = error.what();
    }
    return result;
}

} // namespace

// Whatever the text, the import reads what nlohmann's parser reads, or fails with its message.
TEST(JsonRead, ReadsWhatNlohmannReads)
{
    const std::vector<std::string> texts = {
        R"({"a": [1, -2, -0, 0, 18446744073709551615, -9223372036854775808, 1.5, 2e3, true, false, null]})",
        "{\"b\": {}, \"c\": [], \"k\": 1, \"k\": {\"x\": [[2]]}, \"s\": "
        "\"é\\u00e9\\u2642\\/\\\"\\\\\\b\\f\\n\\r\\t\\u0000\x7F\"}",
        "\xEF\xBB\xBF[1]",
        R"(["\ud83d\ude00"])",
        " \t\r\n[ ] \n",
        "123456789012345678",
        "-1234567890123456789",
        "-9999999999999999999",
        "\"\xF4\x8F\xBF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xF0\x90\x80\x80\"",
        // Not JSON.
        "",
        "[1,]",
        "{\"a\" 1}",
        "{\"a\":1,}",
        "[01]",
        "[1] x",
        "nul",
        "-",
        "[\"\\u12\"]",
        "\"\\x\"",
        "\"a",
        "\"\x01\"",
        "[\"a\t,\"b\"]",
        "\"\\u00g0\"",
        "\"\\uDFFF\"",
        "\"\xF5\x80\x80\x80\"",
        "\"\xF0\x80\x80\x80\"",
        "\"\xC0\x80\"",
        "\"\xED\xA0\x80\"",
        "\"\xF4\x90\x80\x80\"",
        "\"\xE0\x9F\xBF\"",
        "\"\xC3\"",
        "{1:2}",
        "[1.5e384]",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const Outcome expected = outcome([&] { return Json::parse(text); });
        const Outcome got = outcome([&] { return readJson(text); });
        EXPECT_EQ(got.error, expected.error);
        EXPECT_TRUE(sameJson(got.document, expected.document));
    }
}

// Exports, as Tavrik writes them and as other tools lay them out again, never need the slower parser.
TEST(JsonRead, ReadsEveryExportQuickly)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        const std::string text = exportBattles(SyntheticRom(version).bytes(), profileOf(version));
        const Json document = Json::parse(text);
        for (const std::string& layout : {text, document.dump(), document.dump(2)}) {
            const std::optional<Json> quick = readJsonQuickly(layout);
            ASSERT_TRUE(quick.has_value());
            EXPECT_TRUE(sameJson(*quick, document));
        }
    }
}
