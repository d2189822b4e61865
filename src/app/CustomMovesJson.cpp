#include "app/CustomMovesJson.h"

#include "app/JsonCheck.h"

#include <algorithm>
#include <set>

namespace {

constexpr int MaxMember = 6;
constexpr int MaxSlot = 4;
constexpr int MaxParty = 0xFE;

std::string movesText(const std::vector<CustomMoveEntry>& entries, const RomLists& lists)
{
    std::string text;
    for (const CustomMoveEntry& entry : entries) {
        for (const CustomMove& move : entry.moves) {
            text += (text.empty() ? "" : ", ") + lists.moves.show(move.move) + " (party " +
                    std::to_string(entry.partyNumber) + ", member " + std::to_string(move.member) + ", slot " +
                    std::to_string(move.slot) + ")";
        }
    }
    return text.empty() ? "none" : text;
}

} // namespace

std::vector<CustomMoveEntry> classCustomMoves(const std::vector<CustomMoveEntry>& table, int classNumber)
{
    std::vector<CustomMoveEntry> entries;
    std::set<int> reached;
    for (const CustomMoveEntry& entry : table) {
        if (entry.classNumber == classNumber && reached.insert(entry.partyNumber).second && !entry.moves.empty()) {
            entries.push_back(entry);
        }
    }
    return entries;
}

Json exportCustomMoves(const std::vector<CustomMoveEntry>& table, int classNumber, const RomLists& lists)
{
    Json all = Json::array();
    for (const CustomMoveEntry& entry : classCustomMoves(table, classNumber)) {
        for (const CustomMove& move : entry.moves) {
            all.push_back({{"party", entry.partyNumber},
                           {"member", move.member},
                           {"slot", move.slot},
                           {"move", lists.moves.write(move.move)}});
        }
    }
    return all;
}

std::optional<std::vector<CustomMoveEntry>> checkCustomMoves(const Json& value,
                                                             const std::string& path,
                                                             int classNumber,
                                                             const RomLists& lists,
                                                             std::vector<std::string>& errors)
{
    if (!value.is_array()) {
        errors.push_back(path + ": the custom moves are a list of {\"party\", \"member\", \"slot\", \"move\"}");
        return std::nullopt;
    }
    const std::size_t errorsBefore = errors.size();
    std::vector<CustomMoveEntry> entries;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string at = path + "[" + std::to_string(k) + "]";
        const Json& item = value[k];
        if (!checkObject(item, at, {"party", "member", "slot", "move"}, errors)) {
            continue;
        }
        if (!item.contains("party") || !item.contains("member") || !item.contains("slot") || !item.contains("move")) {
            errors.push_back(at + ": a custom move has its party, member, slot and move");
            continue;
        }
        const auto party = checkInteger(item["party"], at + ".party", 1, MaxParty, errors);
        const auto member = checkInteger(item["member"], at + ".member", 1, MaxMember, errors);
        const auto slot = checkInteger(item["slot"], at + ".slot", 1, MaxSlot, errors);
        std::string why;
        const auto move = lists.moves.read(item["move"], why);
        if (!move) {
            errors.push_back(at + ".move: " + why);
        } else if (*move == 0) {
            errors.push_back(at + ".move: a move of 0 ends the party's entry in the game: remove the custom move");
        }
        if (!party || !member || !slot || !move || *move == 0) {
            continue;
        }
        auto entry = std::find_if(
            entries.begin(), entries.end(), [&](const CustomMoveEntry& e) { return e.partyNumber == *party; });
        if (entry == entries.end()) {
            entry = entries.insert(entries.end(), {classNumber, *party, {}});
        }
        entry->moves.push_back({*member, *slot, static_cast<std::uint8_t>(*move)});
    }
    return errors.size() == errorsBefore ? std::optional(entries) : std::nullopt;
}

std::vector<CustomMoveEntry> withClassCustomMoves(const std::vector<CustomMoveEntry>& table,
                                                  int classNumber,
                                                  const std::vector<CustomMoveEntry>& entries)
{
    std::vector<CustomMoveEntry> result;
    bool placed = false;
    for (const CustomMoveEntry& entry : table) {
        if (entry.classNumber != classNumber) {
            result.push_back(entry);
        } else if (!placed) {
            result.insert(result.end(), entries.begin(), entries.end());
            placed = true;
        }
    }
    if (!placed) {
        result.insert(result.end(), entries.begin(), entries.end());
    }
    return result;
}

std::string customMovesLine(const std::string& who,
                            const std::vector<CustomMoveEntry>& was,
                            const std::vector<CustomMoveEntry>& is,
                            const RomLists& lists)
{
    return who + ": custom moves " + arrow(movesText(was, lists), movesText(is, lists));
}
