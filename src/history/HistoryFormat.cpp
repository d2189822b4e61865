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

// A kind is one word: a blank in it is kept as %20, and a kind of "-" as %2D, which is no kind.
std::string escaped(std::string_view text, bool word = false)
{
    std::string out;
    for (const char c : text) {
        out += c == '\n'                              ? "%0A"
               : c == '\r'                            ? "%0D"
               : c == '%'                             ? "%25"
               : c == ' ' && word                     ? "%20"
               : c == '-' && word && text.size() == 1 ? "%2D"
                                                      : std::string(1, c);
    }
    return word && out.empty() ? "-" : out;
}

int digitValue(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '%') {
            out += text[k];
            continue;
        }
        if (k + 2 >= text.size() || digitValue(text[k + 1]) < 0 || digitValue(text[k + 2]) < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(digitValue(text[k + 1]) * 16 + digitValue(text[k + 2]));
        k += 2;
    }
    return out;
}

std::optional<Bytes> hexBytes(std::string_view text)
{
    if (text.empty() || text.size() % 2 != 0) {
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
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The first count words of line, each followed by one space or, the last, by the line's end; rest gets what
// follows. None when the line has fewer.
std::optional<std::vector<std::string_view>> words(std::string_view line, std::size_t count, std::string_view& rest)
{
    std::vector<std::string_view> out;
    while (out.size() < count) {
        const std::size_t end = line.find(' ');
        if (end == std::string_view::npos && (out.size() + 1 != count || line.empty())) {
            return std::nullopt;
        }
        out.push_back(line.substr(0, end));
        line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
    }
    rest = line;
    return out;
}

void appendState(std::string& text, const HistoryEntry& entry)
{
    text += entry.undone ? "undone " : "done ";
    text += PendingWords[static_cast<std::size_t>(entry.pending)];
    text += entry.mixed ? " mixed" : " whole";
}

bool readState(const std::vector<std::string_view>& w, std::size_t at, HistoryEntry& entry)
{
    std::size_t pending = 0;
    while (pending < PendingWords.size() && PendingWords[pending] != w[at + 1]) {
        ++pending;
    }
    if ((w[at] != "done" && w[at] != "undone") || pending == PendingWords.size() ||
        (w[at + 2] != "whole" && w[at + 2] != "mixed")) {
        return false;
    }
    entry.undone = w[at] == "undone";
    entry.pending = static_cast<Pending>(pending);
    entry.mixed = w[at + 2] == "mixed";
    return true;
}

// The kind, runs and label of a save, then its line break.
void appendSave(std::string& text, const HistoryEntry& entry)
{
    text += " " + escaped(entry.kind, true) + " ";
    for (const ChangedRun& run : entry.runs) {
        char offset[12];
        std::snprintf(offset, sizeof offset, "%X:", static_cast<unsigned>(run.offset));
        text += (&run == &entry.runs.front() ? "" : ",") + std::string(offset);
        appendHex(text, run.before);
        text += ":";
        appendHex(text, run.after);
    }
    text += " " + escaped(entry.label) + "\n";
}

bool readSave(std::string_view kind, std::string_view runs, std::string_view label, HistoryEntry& entry)
{
    const auto word = kind == "-" ? std::optional<std::string>("") : unescaped(kind);
    while (!runs.empty()) {
        const std::string_view run = runs.substr(0, runs.find(','));
        runs.remove_prefix(std::min(run.size() + 1, runs.size()));
        const std::size_t first = run.find(':');
        const std::size_t second = run.find(':', first + 1);
        const auto offset = number<std::int32_t>(run.substr(0, first), 16);
        auto before = hexBytes(run.substr(first + 1, second - first - 1));
        auto after = hexBytes(run.substr(second + 1));
        if (second == std::string_view::npos || !offset || *offset < 0 || !before || !after ||
            before->size() != after->size()) {
            return false;
        }
        entry.runs.push_back({*offset, std::move(*before), std::move(*after)});
    }
    const auto text = unescaped(label);
    entry.label = text.value_or(std::string());
    entry.kind = word.value_or(std::string());
    return !entry.runs.empty() && text && word;
}

// One line after the header; false when it is not one the format has.
bool readLine(std::string_view line, StoredHistory& stored)
{
    auto& entries = stored.history.entries();
    std::string_view rest;
    const auto first = words(line, 1, rest);
    const std::string_view kind = first ? first->front() : std::string_view();
    HistoryEntry entry;
    if (kind == "entry" || kind == "save") {
        const bool saved = kind == "save";
        const auto w = words(line, saved ? 4 : 7, rest);
        const auto time = w ? number<std::int64_t>((*w)[1]) : std::nullopt;
        if (!time || !readSave((*w)[saved ? 2 : 5], (*w)[saved ? 3 : 6], rest, entry) ||
            (!saved && !readState(*w, 2, entry))) {
            return false;
        }
        entry.time = *time;
        if (saved) {
            entry.pending = Pending::Save;
            stored.history.record(std::move(entry));
            ++stored.journalLines;
            return true;
        }
        entries.push_back(std::move(entry));
        // The entries come before the journal.
        return stored.journalLines == 0;
    }
    const bool mark = kind == "mark";
    const auto w = words(line, mark ? 5 : 2, rest);
    const auto index = w && rest.empty() ? number<std::size_t>((*w)[1]) : std::nullopt;
    if ((!mark && kind != "drop") || !index || *index >= entries.size() || (mark && !readState(*w, 2, entry))) {
        return false;
    }
    if (mark) {
        entries[*index].undone = entry.undone;
        entries[*index].pending = entry.pending;
        entries[*index].mixed = entry.mixed;
    } else {
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(*index));
    }
    ++stored.journalLines;
    return true;
}

} // namespace

std::string historyText(const SaveHistory& history)
{
    std::string text(FirstLine);
    text += "\nrom " + escaped(history.romPath()) + "\nidentity " + std::to_string(history.identity().size) + " ";
    appendHex(text, history.identity().title);
    text += "\n";
    for (const HistoryEntry& entry : history.entries()) {
        text += "entry " + std::to_string(entry.time) + " ";
        appendState(text, entry);
        appendSave(text, entry);
    }
    return text;
}

std::string saveLine(const HistoryEntry& entry)
{
    std::string text = "save " + std::to_string(entry.time);
    appendSave(text, entry);
    return text;
}

std::string markLine(std::size_t index, const HistoryEntry& entry)
{
    std::string text = "mark " + std::to_string(index) + " ";
    appendState(text, entry);
    return text + "\n";
}

std::string dropLine(std::size_t index)
{
    return "drop " + std::to_string(index) + "\n";
}

Result<StoredHistory> parseHistory(std::string_view text, const std::string& source)
{
    std::vector<std::string_view> lines;
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
        lines.push_back(text.substr(0, end));
    }
    const auto unreadable = [&source](std::size_t line) {
        return Failure{FailureNumber::HistoryUnreadable,
                       "The history of saves in " + source + " cannot be read (line " + std::to_string(line + 1) +
                           ")."};
    };
    std::string_view rest;
    const auto rom = lines.size() >= 3 && lines[1].starts_with("rom ") ? unescaped(lines[1].substr(4)) : std::nullopt;
    const auto identity = lines.size() >= 3 ? words(lines[2], 3, rest) : std::nullopt;
    const auto size = identity && rest.empty() ? number<std::int64_t>((*identity)[1]) : std::nullopt;
    // A file shorter than the header has an empty title.
    const auto title = !size ? std::nullopt : (*identity)[2].empty() ? Bytes() : hexBytes((*identity)[2]);
    if (lines.empty() || lines[0] != FirstLine) {
        return unreadable(0);
    }
    if (!rom || !title || (*identity)[0] != "identity") {
        return unreadable(rom ? 2 : 1);
    }
    StoredHistory stored{SaveHistory(*rom, {*size, *title}), 0, !text.empty()};
    for (std::size_t k = 3; k < lines.size(); ++k) {
        if (!readLine(lines[k], stored)) {
            return unreadable(k);
        }
    }
    return stored;
}
