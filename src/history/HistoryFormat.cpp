#include "history/HistoryFormat.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view FirstLine = "Tavrik history 1";
constexpr char Digits[] = "0123456789ABCDEF";
constexpr std::array<std::string_view, 4> PendingWords = {"settled", "save", "undo", "redo"};

void appendHex(std::string& text, const Bytes& bytes)
{
    for (const std::uint8_t byte : bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? "%0A" : c == '\r' ? "%0D" : c == '%' ? "%25" : std::string(1, c);
    }
    return out;
}

int digitValue(char c)
{
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : -1;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '%') {
            out += text[k];
            continue;
        }
        if (k + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = digitValue(text[k + 1]);
        const int low = digitValue(text[k + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        k += 2;
    }
    return out;
}

std::optional<Bytes> hexBytes(std::string_view text)
{
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    Bytes bytes(text.size() / 2);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const int high = digitValue(text[2 * k]);
        const int low = digitValue(text[2 * k + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return bytes;
}

template <typename Number> std::optional<Number> number(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    while (!line.empty()) {
        const std::size_t end = std::min(line.find(' '), line.size());
        out.push_back(line.substr(0, end));
        line.remove_prefix(std::min(end + 1, line.size()));
    }
    return out;
}

// One line after the first two; false when it is not one the format has.
bool readLine(std::string_view line, SaveHistory& history)
{
    const std::vector<std::string_view> w = words(line);
    auto& entries = history.entries();
    if (w.size() == 6 && w[0] == "entry") {
        HistoryEntry entry;
        const auto time = number<std::int64_t>(w[1]);
        std::size_t pending = 0;
        while (pending < PendingWords.size() && PendingWords[pending] != w[3]) {
            ++pending;
        }
        if (!time || (w[2] != "done" && w[2] != "undone") || pending == PendingWords.size() ||
            (w[4] != "whole" && w[4] != "mixed")) {
            return false;
        }
        entry.time = *time;
        entry.undone = w[2] == "undone";
        entry.pending = static_cast<Pending>(pending);
        entry.mixed = w[4] == "mixed";
        entry.kind = w[5] == "-" ? std::string() : std::string(w[5]);
        entries.push_back(std::move(entry));
        return true;
    }
    if (line.starts_with("label ") && !entries.empty()) {
        const auto label = unescaped(line.substr(6));
        entries.back().label = label.value_or(std::string());
        return label.has_value();
    }
    if (w.size() == 4 && w[0] == "run" && !entries.empty()) {
        const auto offset = number<std::int32_t>(w[1], 16);
        auto before = hexBytes(w[2]);
        auto after = hexBytes(w[3]);
        if (!offset || *offset < 0 || !before || !after || before->size() != after->size() || before->empty()) {
            return false;
        }
        entries.back().runs.push_back({*offset, std::move(*before), std::move(*after)});
        return true;
    }
    return false;
}

} // namespace

std::string historyText(const SaveHistory& history)
{
    std::string text;
    text += FirstLine;
    text += "\nrom " + escaped(history.romPath()) + "\nidentity " + std::to_string(history.identity().size) + " ";
    appendHex(text, history.identity().title);
    text += "\n";
    for (const HistoryEntry& entry : history.entries()) {
        text += "entry " + std::to_string(entry.time) + (entry.undone ? " undone " : " done ");
        text += PendingWords[static_cast<std::size_t>(entry.pending)];
        text += entry.mixed ? " mixed " : " whole ";
        text += entry.kind.empty() ? "-" : entry.kind;
        text += "\nlabel " + escaped(entry.label) + "\n";
        for (const ChangedRun& run : entry.runs) {
            char offset[12];
            std::snprintf(offset, sizeof offset, "%X", static_cast<unsigned>(run.offset));
            text += "run " + std::string(offset) + " ";
            appendHex(text, run.before);
            text += " ";
            appendHex(text, run.after);
            text += "\n";
        }
    }
    return text;
}

Result<SaveHistory> parseHistory(std::string_view text, const std::string& source)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    const auto unreadable = [&source](std::size_t line) {
        return Failure{FailureNumber::HistoryUnreadable,
                       "The history of saves in " + source + " cannot be read (line " + std::to_string(line + 1) +
                           ")."};
    };
    if (lines.size() < 3 || lines[0] != FirstLine || !lines[1].starts_with("rom ")) {
        return unreadable(lines.empty() || lines[0] != FirstLine ? 0 : 1);
    }
    const auto rom = unescaped(lines[1].substr(4));
    const std::vector<std::string_view> identity = words(lines[2]);
    const auto size = identity.size() == 3 ? number<std::int64_t>(identity[1]) : std::nullopt;
    const auto title = identity.size() == 3 ? hexBytes(identity[2]) : std::nullopt;
    if (!rom || !size || !title || identity[0] != "identity") {
        return unreadable(rom ? 2 : 1);
    }
    SaveHistory history(*rom, {*size, *title});
    for (std::size_t k = 3; k < lines.size(); ++k) {
        if (!readLine(lines[k], history)) {
            return unreadable(k);
        }
    }
    return history;
}
