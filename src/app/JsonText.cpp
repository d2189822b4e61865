#include "app/JsonText.h"

#include <array>
#include <string_view>

namespace {

// Which values below an array stand on one line each.
enum class OneLine
{
    None,
    Elements,
    ElementsOfElements
};

OneLine oneLineUnder(std::string_view key)
{
    constexpr std::array<std::string_view, 3> ListsOfRecords = {"slots", "trainers", "pokemon"};
    if (key == "parties") {
        return OneLine::ElementsOfElements;
    }
    for (const std::string_view list : ListsOfRecords) {
        if (key == list) {
            return OneLine::Elements;
        }
    }
    return OneLine::None;
}

std::string scalar(const Json& value)
{
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
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
                out += scalar(it.key()) + ": ";
            }
            writeOneLine(*it, out);
        }
        out += value.is_object() ? '}' : ']';
        return;
    }
    out += scalar(value);
}

void writeIndented(const Json& value, int depth, OneLine rule, std::string& out)
{
    if (!(value.is_object() || value.is_array()) || value.empty()) {
        out += scalar(value);
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
            out += scalar(it.key()) + ": ";
            writeIndented(*it, depth + 1, oneLineUnder(it.key()), out);
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
    writeIndented(document, 0, OneLine::None, out);
    return out + '\n';
}
