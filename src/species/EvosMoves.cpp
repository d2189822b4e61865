#include "species/EvosMoves.h"

#include <algorithm>

namespace {

constexpr std::uint8_t ListEnd = 0x00;

std::uint8_t byteIn(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

std::int32_t evolutionLength(std::uint8_t kind)
{
    return kind == EvolveByItem ? 4 : 3;
}

// Reads the list at list.offset up to limit into list; the reason when it cannot be read as the game means it.
std::string readList(const Bytes& image, std::int32_t limit, EvosMovesList& list)
{
    const std::string noEnd = "it has no end before the next list or the end of the bank";
    std::int32_t& at = list.end;
    at = list.offset;
    for (;;) {
        if (at >= limit) {
            return noEnd;
        }
        const std::uint8_t kind = byteIn(image, at);
        if (kind == ListEnd) {
            ++at;
            break;
        }
        const std::string which = "evolution " + std::to_string(list.content.evolutions.size() + 1);
        if (kind > EvolveByTrade) {
            return which + " has the kind byte " + std::to_string(kind) + ", none of 1 (level), 2 (item), 3 (trade)";
        }
        const std::int32_t length = evolutionLength(kind);
        if (at + length > limit) {
            return noEnd;
        }
        for (std::int32_t k = 1; k < length; ++k) {
            if (byteIn(image, at + k) == ListEnd) {
                return which + " holds a byte 0, where the game's walk to the learnset would stop";
            }
        }
        const bool byItem = kind == EvolveByItem;
        list.content.evolutions.push_back({kind,
                                           byItem ? byteIn(image, at + 1) : std::uint8_t{0},
                                           byteIn(image, at + (byItem ? 2 : 1)),
                                           byteIn(image, at + length - 1)});
        at += length;
    }
    for (;;) {
        if (at >= limit) {
            return noEnd;
        }
        const std::uint8_t level = byteIn(image, at);
        if (level == ListEnd) {
            ++at;
            return {};
        }
        if (at + 2 > limit) {
            return noEnd;
        }
        list.content.learnset.push_back({level, byteIn(image, at + 1)});
        at += 2;
    }
}

std::int32_t zeroRunEnd(const Bytes& image, std::int32_t from, std::int32_t limit)
{
    while (from < limit && byteIn(image, from) == ListEnd) {
        ++from;
    }
    return from;
}

} // namespace

Bytes evosMovesBytes(const EvosMoves& list)
{
    Bytes bytes;
    bytes.reserve(static_cast<std::size_t>(evosMovesLength(list)));
    for (const Evolution& evolution : list.evolutions) {
        bytes.push_back(evolution.kind);
        if (evolution.kind == EvolveByItem) {
            bytes.push_back(evolution.item);
        }
        bytes.insert(bytes.end(), {evolution.level, evolution.species});
    }
    bytes.push_back(ListEnd);
    for (const LearnedMove& move : list.learnset) {
        bytes.insert(bytes.end(), {move.level, move.move});
    }
    bytes.push_back(ListEnd);
    return bytes;
}

std::int32_t evosMovesLength(const EvosMoves& list)
{
    std::int32_t length = 2 + 2 * static_cast<std::int32_t>(list.learnset.size());
    for (const Evolution& evolution : list.evolutions) {
        length += evolutionLength(evolution.kind);
    }
    return length;
}

const EvosMovesList* EvosMovesTable::listOf(int species) const
{
    if (species < 1 || species > SpeciesCount) {
        return nullptr;
    }
    const int index = listIndex[static_cast<std::size_t>(species - 1)];
    return index < 0 ? nullptr : &lists[static_cast<std::size_t>(index)];
}

std::string EvosMovesTable::problemOf(int species) const
{
    const EvosMovesList* list = listOf(species);
    if (list != nullptr) {
        return list->problem;
    }
    return species < 1 || species > SpeciesCount ? "it is not one of the game's 190 species"
                                                 : std::string(pointerProblem[static_cast<std::size_t>(species - 1)]);
}

std::int32_t evosMovesPointerOffset(const VersionProfile& profile, int species)
{
    return profile.evosMovesPointersOffset + 2 * (species - 1);
}

EvosMovesTable readEvosMovesTable(const Bytes& image, const VersionProfile& profile)
{
    EvosMovesTable table;
    table.listIndex.fill(-1);
    const std::int32_t bankEnd = trainerBankEnd(image);
    std::vector<std::pair<std::int32_t, int>> speciesAt;
    speciesAt.reserve(SpeciesCount);
    for (int species = 1; species <= SpeciesCount; ++species) {
        const int pointer = wordAt(image, evosMovesPointerOffset(profile, species));
        const std::int32_t offset = trainerBankOffset(pointer);
        std::string_view& problem = table.pointerProblem[static_cast<std::size_t>(species - 1)];
        if (pointer < 0) {
            problem = "its pointer lies past the end of the file";
        } else if (offset < 0) {
            problem = "its pointer leads out of the trainer bank";
        } else if (offset >= bankEnd) {
            problem = "its pointer leads past the end of the file";
        } else {
            speciesAt.emplace_back(offset, species);
        }
    }
    std::sort(speciesAt.begin(), speciesAt.end());
    // A list ends before the next list of either kind and before the pointer tables.
    std::vector<std::int32_t> limits = bankPointerTargets(image, profile.partyPointersOffset, TrainerClassCount);
    limits.insert(limits.end(), {profile.partyPointersOffset, profile.evosMovesPointersOffset, bankEnd});
    for (const auto& [offset, species] : speciesAt) {
        limits.push_back(offset);
    }
    std::sort(limits.begin(), limits.end());
    table.lists.reserve(speciesAt.size());
    for (auto at = speciesAt.begin(); at != speciesAt.end();) {
        EvosMovesList list;
        list.offset = at->first;
        for (; at != speciesAt.end() && at->first == list.offset; ++at) {
            list.species.push_back(at->second);
            table.listIndex[static_cast<std::size_t>(at->second - 1)] = static_cast<int>(table.lists.size());
        }
        const std::int32_t limit = *std::upper_bound(limits.begin(), limits.end(), list.offset);
        list.problem = readList(image, limit, list);
        const std::int32_t zerosEnd = list.editable() ? zeroRunEnd(image, list.end, limit) : list.end;
        list.span = (zerosEnd == limit ? zerosEnd : list.end) - list.offset;
        table.lists.push_back(std::move(list));
    }
    return table;
}
