#include "app/JsonText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Which values below an array stand on one line each: its elements, theirs, or the whole array.
enum class OneLine
{
    None,
    Elements,
    ElementsOfElements,
    Whole
};

// The rule for the value at key; top says whether key is one of the document's own sections.
OneLine oneLineUnder(std::string_view key, bool top)
{
    if (top && (key == "moves" || key == "pokemon")) {
        return key == "moves" ? OneLine::Elements : OneLine::None;
    }
    constexpr std::array<std::string_view, 6> ListsOfRecords = {
        "slots", "trainers", "pokemon", "good", "evolutions", "learnset"};
    constexpr std::array<std::string_view, 3> ListsOfNames = {"types", "moves", "tmhm"};
    if (key == "parties") {
        return OneLine::ElementsOfElements;
    }
    for (const std::string_view list : ListsOfRecords) {
        if (key == list) {
            return OneLine::Elements;
        }
    }
    for (const std::string_view list : ListsOfNames) {
        if (key == list) {
            return OneLine::Whole;
        }
    }
    return OneLine::None;
}

// Which values stand on one line whole: a rod's one Pokémon, the maps sharing a super rod group.
bool oneLineValue(std::string_view key)
{
    return key == "old" || key == "sharedWith";
}

// Text that dump writes between quotes as it stands: printable ASCII without quotes or backslashes.
bool plain(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
}

void appendString(std::string_view text, std::string& out)
{
    if (plain(text)) {
        out += '"';
        out += text;
        out += '"';
    } else {
        out += Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

// A number, a name or a null as dump writes it; whole numbers and plain names without building a text of their own.
void appendScalar(const Json& value, std::string& out)
{
    if (value.is_number_integer()) {
        out += value.is_number_unsigned() ? std::to_string(value.get<std::uint64_t>())
                                          : std::to_string(value.get<std::int64_t>());
    } else if (value.is_string()) {
        appendString(value.get_ref<const std::string&>(), out);
    } else {
        out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

void writeOneLine(const Json& value, std::string& out)
{
    if (value.is_object() || value.is_array()) {
        out += value.is_object() ? '{' : '[';
        bool first = true;
        for (auto it = value.begin(); it != value.end(); ++it) {
            out += first ? "" : ", ";
            first = false;
            if (value.is_object()) {
                appendString(it.key(), out);
                out += ": ";
            }
            writeOneLine(*it, out);
        }
        out += value.is_object() ? '}' : ']';
        return;
    }
    appendScalar(value, out);
}

void writeIndented(const Json& value, int depth, OneLine rule, std::string& out)
{
    if (!(value.is_object() || value.is_array()) || value.empty()) {
        appendScalar(value, out);
        return;
    }
    if (rule == OneLine::Whole) {
        writeOneLine(value, out);
        return;
    }
    const std::string inner(static_cast<std::size_t>(2 * (depth + 1)), ' ');
    out += value.is_object() ? "{\n" : "[\n";
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        out += first ? "" : ",\n";
        first = false;
        out += inner;
        if (value.is_object()) {
            appendString(it.key(), out);
            out += ": ";
            if (oneLineValue(it.key())) {
                writeOneLine(*it, out);
            } else {
                writeIndented(*it, depth + 1, oneLineUnder(it.key(), depth == 0), out);
            }
        } else if (rule == OneLine::Elements) {
            writeOneLine(*it, out);
        } else {
            writeIndented(*it, depth + 1, rule == OneLine::ElementsOfElements ? OneLine::Elements : OneLine::None, out);
        }
    }
    out += '\n' + std::string(static_cast<std::size_t>(2 * depth), ' ') + (value.is_object() ? '}' : ']');
}

} // namespace

std::string jsonText(const Json& document)
{
    std::string out;
    // A whole export is a few hundred kilobytes.
    out.reserve(1 << 19);
    writeIndented(document, 0, OneLine::None, out);
    return out + '\n';
}
