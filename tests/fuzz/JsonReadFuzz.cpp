// The import's quick JSON reader against nlohmann's parser on arbitrary text: whenever the quick reader gives
// a document, the parser gives the same one, value for value, type for type and key for key.

#include "FuzzCheck.h"
#include "SameJson.h"
#include "app/JsonRead.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<Json> quick = readJsonQuickly(text);
    Json parsed;
    try {
        parsed = Json::parse(text);
    } catch (const Json::exception&) {
        FUZZ_CHECK(!quick.has_value());
        return 0;
    }
    FUZZ_CHECK(!quick.has_value() || sameJson(*quick, parsed));
    return 0;
}
