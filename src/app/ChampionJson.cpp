#include "app/ChampionJson.h"

#include "app/JsonCheck.h"

namespace {

constexpr const char* Section = "championMoves";

// The key of a starter: its name as the ROM has it, its byte where the name is not unique.
std::string starterKey(const RomLists& lists, std::uint8_t species)
{
    const Json name = lists.species.write(species);
    return name.is_string() ? name.get<std::string>() : std::to_string(species);
}

struct Slot
{
    std::string key;
    std::uint8_t ChampionMoves::*move;
};

std::vector<Slot> sixthSlots(const RomLists& lists)
{
    return {{starterKey(lists, ChampionBulbasaur), &ChampionMoves::bulbasaur},
            {starterKey(lists, ChampionCharmander), &ChampionMoves::charmander},
            {"otherwise", &ChampionMoves::otherwise}};
}

} // namespace

Json exportChampionMoves(const Bytes& image,
                         const VersionProfile& profile,
                         const RomLists& lists,
                         std::vector<std::string>& notes)
{
    if (!profile.specialMovesEditable) {
        return Json(Json::value_t::discarded);
    }
    const auto moves = readChampionMoves(image, profile);
    if (!moves) {
        std::string why = moves.failure().description;
        why[0] = static_cast<char>(std::tolower(why[0]));
        why.pop_back();
        notes.push_back(std::string(Section) + " is null: " + why + ".");
        return nullptr;
    }
    Json sixth = Json::object();
    for (const Slot& slot : sixthSlots(lists)) {
        sixth[slot.key] = lists.moves.write((*moves).*slot.move);
    }
    return {{"first", lists.moves.write(moves->first)}, {"sixth", std::move(sixth)}};
}

std::optional<ChampionMoves> checkChampionMoves(const Json& value,
                                                const Bytes& image,
                                                const VersionProfile& profile,
                                                const RomLists& lists,
                                                std::vector<std::string>& errors)
{
    if (value.is_null()) {
        return std::nullopt;
    }
    const auto was = readChampionMoves(image, profile);
    if (!was) {
        errors.push_back(std::string(Section) + ": " + was.failure().description + " Give null.");
        return std::nullopt;
    }
    if (!checkObject(value, Section, {"first", "sixth"}, errors)) {
        return std::nullopt;
    }
    const std::size_t errorsBefore = errors.size();
    ChampionMoves moves = *was;
    const auto move = [&](const Json& item, const std::string& path, std::uint8_t& into) {
        if (item.is_null()) {
            return;
        }
        std::string why;
        if (const auto byte = lists.moves.read(item, why); !byte) {
            errors.push_back(path + ": " + why);
        } else if (*byte == 0) {
            errors.push_back(path + ": the champion's moves cannot be empty");
        } else {
            into = static_cast<std::uint8_t>(*byte);
        }
    };
    move(value.value("first", Json()), std::string(Section) + ".first", moves.first);
    const Json sixth = value.value("sixth", Json());
    if (!sixth.is_null()) {
        const std::vector<Slot> slots = sixthSlots(lists);
        const std::string path = std::string(Section) + ".sixth";
        if (checkObject(sixth, path, {slots[0].key, slots[1].key, slots[2].key}, errors)) {
            for (const Slot& slot : slots) {
                move(sixth.value(slot.key, Json()), path + "." + slot.key, moves.*slot.move);
            }
        }
    }
    return errors.size() == errorsBefore ? std::optional(moves) : std::nullopt;
}

std::vector<std::string> championLines(const ChampionMoves& was, const ChampionMoves& is, const RomLists& lists)
{
    std::vector<std::string> lines;
    const auto line = [&](const std::string& who, std::uint8_t before, std::uint8_t after) {
        if (before != after) {
            lines.push_back("Champion: " + who + " " + arrow(lists.moves.show(before), lists.moves.show(after)));
        }
    };
    line("member 1's move", was.first, is.first);
    for (const Slot& slot : sixthSlots(lists)) {
        const std::string against = slot.key == "otherwise" ? "any other starter" : "the rival's " + slot.key;
        line("member 6's move against " + against, was.*slot.move, is.*slot.move);
    }
    return lines;
}
