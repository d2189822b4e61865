#include "species/EvosMoves.h"

#include "rom/SpacePlan.h"

#include <algorithm>
#include <span>

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

constexpr std::string_view NoEnd = "it has no end before the next list or the end of the bank";

std::string evolutionProblem(const EvosMovesList& list, std::string_view what)
{
    return "evolution " + std::to_string(list.content.evolutions.size() + 1) + std::string(what);
}

// Reads the list at list.offset up to limit into list; the reason when it cannot be read as the game means it.
std::string readList(const Bytes& image, std::int32_t limit, EvosMovesList& list)
{
    std::int32_t& at = list.end;
    at = list.offset;
    for (;;) {
        if (at >= limit) {
            return std::string(NoEnd);
        }
        const std::uint8_t kind = byteIn(image, at);
        if (kind == ListEnd) {
            ++at;
            break;
        }
        if (kind > EvolveByTrade) {
            return evolutionProblem(
                list, " has the kind byte " + std::to_string(kind) + ", none of 1 (level), 2 (item), 3 (trade)");
        }
        const std::int32_t length = evolutionLength(kind);
        if (at + length > limit) {
            return std::string(NoEnd);
        }
        for (std::int32_t k = 1; k < length; ++k) {
            if (byteIn(image, at + k) == ListEnd) {
                return evolutionProblem(list, " holds a byte 0, where the game's walk to the learnset would stop");
            }
        }
        const bool byItem = kind == EvolveByItem;
        list.content.evolutions.push_back({kind,
                                           byItem ? byteIn(image, at + 1) : std::uint8_t{0},
                                           byteIn(image, at + (byItem ? 2 : 1)),
                                           byteIn(image, at + length - 1)});
        at += length;
    }
    // One allocation for the learnset: its pairs are counted first.
    std::int32_t pairs = 0;
    while (at + 2 * pairs + 1 < limit && byteIn(image, at + 2 * pairs) != ListEnd) {
        ++pairs;
    }
    list.content.learnset.reserve(static_cast<std::size_t>(pairs));
    for (;;) {
        if (at >= limit) {
            return std::string(NoEnd);
        }
        const std::uint8_t level = byteIn(image, at);
        if (level == ListEnd) {
            ++at;
            return {};
        }
        if (at + 2 > limit) {
            return std::string(NoEnd);
        }
        list.content.learnset.push_back({level, byteIn(image, at + 1)});
        at += 2;
    }
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
    // Each species at the offset its pointer leads to, as one number: the offset, then the species byte.
    std::array<std::uint32_t, SpeciesCount> found{};
    std::size_t count = 0;
    const std::int32_t pointers = profile.evosMovesPointersOffset;
    const bool whole = pointers >= 0 && pointers + 2 * SpeciesCount <= std::ssize(image);
    for (int species = 1; species <= SpeciesCount; ++species) {
        const std::int32_t at = pointers + 2 * (species - 1);
        const int pointer = whole ? image[static_cast<std::size_t>(at)] | image[static_cast<std::size_t>(at) + 1] << 8
                                  : wordAt(image, at);
        const std::int32_t offset = trainerBankOffset(pointer);
        std::string_view& problem = table.pointerProblem[static_cast<std::size_t>(species - 1)];
        if (pointer < 0) {
            problem = "its pointer lies past the end of the file";
        } else if (offset < 0) {
            problem = "its pointer leads out of the trainer bank";
        } else if (offset >= bankEnd) {
            problem = "its pointer leads past the end of the file";
        } else {
            found[count++] = static_cast<std::uint32_t>(offset) << 8 | static_cast<std::uint32_t>(species);
        }
    }
    const std::span<std::uint32_t> speciesAt(found.data(), count);
    sortMostlyInOrder(speciesAt);
    const auto offsetOf = [](std::uint32_t at) { return static_cast<std::int32_t>(at >> 8); };
    // A list ends before the next list of either kind and before the pointer tables.
    std::vector<std::int32_t> others = bankPointerTargets(image, profile.partyPointersOffset, TrainerClassCount);
    for (const std::int32_t limit : {profile.partyPointersOffset, profile.evosMovesPointersOffset, bankEnd}) {
        others.insert(std::upper_bound(others.begin(), others.end(), limit), limit);
    }
    std::size_t lists = 0;
    for (auto at = speciesAt.begin(); at != speciesAt.end(); ++at) {
        lists += at == speciesAt.begin() || offsetOf(*at) != offsetOf(*(at - 1));
    }
    table.lists.reserve(lists);
    auto other = others.begin();
    for (auto at = speciesAt.begin(); at != speciesAt.end();) {
        EvosMovesList& list = table.lists.emplace_back();
        list.offset = offsetOf(*at);
        auto sharing = at;
        while (sharing != speciesAt.end() && offsetOf(*sharing) == list.offset) {
            ++sharing;
        }
        list.species.reserve(static_cast<std::size_t>(sharing - at));
        for (; at != sharing; ++at) {
            const int species = static_cast<int>(*at & 0xFF);
            list.species.push_back(species);
            table.listIndex[static_cast<std::size_t>(species - 1)] = static_cast<int>(table.lists.size() - 1);
        }
        while (*other <= list.offset) {
            ++other;
        }
        const std::int32_t limit = at == speciesAt.end() ? *other : std::min(*other, offsetOf(*at));
        list.problem = readList(image, limit, list);
        const std::int32_t zeros = list.editable() ? zerosEnd(image, list.end, limit) : list.end;
        list.span = (zeros == limit ? zeros : list.end) - list.offset;
    }
    return table;
}
