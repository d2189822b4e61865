// The species reader and the learnset planner on an image whose species tables the input overlays: the pointers to
// the evolutions and learnsets and the lists, the base stats, the moves table and the type names. Whatever the bytes,
// nothing is read out of bounds, every list that may be edited is its bytes as the game stores them, and one save of a
// learnset grown or shrunk (with a base stat and a move changed) is either refused with a reason of the planner's, or
// leaves that list as meant, every other list and every party as it was, and changes nothing outside the trainer
// bank but the record and the move it edits; planned again, it writes nothing.
//
// Input: [version][species][flags] then chunks of [region][position hi][position lo][count] and count bytes.
// Flags: bits 0-2 how many entries the learnset gains (0-3) or loses (4-7); bit 3 a changed base stat and move.
//
// The image is lean, as the read path's target's is: the parties are one a class, and every 10 species share one list
// of evolutions and learnset, so that a read of the tables walks a tenth of the lists (every way of the reader is
// still there). A save reads both tables of the bank several times; it is planned for one input in 64, picked by a
// hash of the input.

#include "FuzzCheck.h"
#include "demo/SyntheticRom.h"
#include "species/SpeciesEdit.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

namespace {

// Species 10k + 1 .. 10k + 10 share the list of the first of them, the lists one after the other in species order,
// the bytes the others took left as zero bytes.
void shareLists(Bytes& image, const VersionProfile& profile)
{
    const EvosMovesTable table = readEvosMovesTable(image, profile);
    std::int32_t at = table.lists.front().offset;
    std::fill(image.begin() + at, image.begin() + table.lists.back().end, 0x00);
    for (int first = 1; first <= SpeciesCount; first += 10) {
        const Bytes list = evosMovesBytes(table.listOf(first)->content);
        std::copy(list.begin(), list.end(), image.begin() + at);
        for (int species = first; species < first + 10; ++species) {
            const Bytes pointer = bankPointer(at);
            std::copy(pointer.begin(), pointer.end(), image.begin() + evosMovesPointerOffset(profile, species));
        }
        at += static_cast<std::int32_t>(list.size());
    }
}

// The synthetic image with party 1 of every list alone, the room the others took left as zero bytes, and 19 lists of
// evolutions and learnset for all the species.
Bytes leanImage(GameVersion version)
{
    const VersionProfile& profile = profileOf(version);
    Bytes image = SyntheticRom(version).bytes();
    shareLists(image, profile);
    const PartyTable table = readPartyTable(image, profile);
    std::int32_t at = table.lists.front().offset;
    std::fill(image.begin() + at, image.begin() + table.lists.back().end, 0x00);
    for (const PartyList& list : table.lists) {
        const Bytes party = partyBytes(list.parties.front().format, list.parties.front().members);
        std::copy(party.begin(), party.end(), image.begin() + at);
        for (const int classNumber : list.classes) {
            const Bytes pointer = bankPointer(at);
            std::copy(
                pointer.begin(), pointer.end(), image.begin() + profile.partyPointersOffset + 2 * (classNumber - 1));
        }
        at += static_cast<std::int32_t>(party.size());
    }
    return image;
}

struct Images : OverlaidImages<2>
{
    Images()
        : OverlaidImages({leanImage(GameVersion::Red), leanImage(GameVersion::Yellow)}),
          numbers{pokedexNumbers(built[0], profileOf(GameVersion::Red)),
                  pokedexNumbers(built[1], profileOf(GameVersion::Yellow))}
    {}

    // The Pokédex order table lies outside what the inputs change.
    std::vector<int> numbers[2];
};

void checkRead(const Bytes& image, const EvosMovesTable& table)
{
    for (const EvosMovesList& list : table.lists) {
        FUZZ_CHECK(list.offset >= TrainerBankStart && list.end <= TrainerBankEnd && list.end >= list.offset);
        if (list.editable()) {
            const Bytes bytes = evosMovesBytes(list.content);
            FUZZ_CHECK(std::equal(image.begin() + list.offset, image.begin() + list.end, bytes.begin(), bytes.end()));
        }
    }
}

// The learnset of species grown by the flags' count of entries at levels past its last, or shrunk by it.
EvosMoves changedList(const EvosMoves& list, std::uint8_t flags)
{
    EvosMoves changed = list;
    const int count = flags & 3;
    const auto fewer = static_cast<std::size_t>(1 + count);
    if ((flags & 4) != 0) {
        changed.learnset.resize(changed.learnset.size() - std::min(changed.learnset.size(), fewer));
    }
    for (int k = 0; (flags & 4) == 0 && k <= count; ++k) {
        changed.learnset.push_back({static_cast<std::uint8_t>(1 + (k * 37 + flags) % 100),
                                    static_cast<std::uint8_t>(1 + (k * 53 + flags) % 165)});
    }
    return changed;
}

void checkSave(Bytes& image,
               const VersionProfile& profile,
               const SpeciesData& data,
               int species,
               std::uint8_t flags,
               Images& images)
{
    const EvosMovesList* list = data.evosMoves.listOf(species);
    SpeciesEdits edits;
    edits.evosMoves[species] = changedList(list->content, flags);
    const SpeciesRecord* record = data.recordOf(species);
    if ((flags & 8) != 0 && record != nullptr && record->readable() && data.moves.problem.empty()) {
        BaseStats stats = record->stats;
        stats.speed = static_cast<std::uint8_t>(stats.speed + 10);
        edits.records[record->number] = stats;
        Move move = data.moves.values[static_cast<std::size_t>(species % MoveTableCount)];
        move.power = static_cast<std::uint8_t>(move.power + 1);
        edits.moves[species % MoveTableCount + 1] = move;
    }
    const PartyTable parties = readPartyTable(image, profile);
    const auto save = planSpeciesEdits(image, profile, data, edits);
    if (!save) {
        const int number = save.failure().number;
        FUZZ_CHECK(number == FailureNumber::NoRoomInBank || number == FailureNumber::WouldMoveData ||
                   number == FailureNumber::NotInPlace || number == FailureNumber::ValueNotStorable ||
                   number == FailureNumber::ListNotStorable || number == FailureNumber::PartyNotStorable);
        return;
    }
    for (const ByteWrite& write : save->plan) {
        const bool inBank = write.offset >= TrainerBankStart && write.offset < TrainerBankEnd;
        FUZZ_CHECK(inBank || (record != nullptr && write.offset >= record->offset &&
                              write.offset < record->offset + BaseStatsLength));
        images.put(image, static_cast<std::size_t>(write.offset), write.bytes.data(), write.bytes.size());
    }
    const SpeciesData after = readSpeciesData(image, profile);
    for (int other = 1; other <= SpeciesCount; ++other) {
        const EvosMovesList* was = data.evosMoves.listOf(other);
        const EvosMovesList* is = after.evosMoves.listOf(other);
        FUZZ_CHECK((was == nullptr) == (is == nullptr));
        if (was == nullptr) {
            continue;
        }
        const bool changed = was == list;
        FUZZ_CHECK(is->problem == was->problem && is->species == was->species);
        FUZZ_CHECK(is->content == (changed ? edits.evosMoves[species] : was->content));
    }
    const PartyTable now = readPartyTable(image, profile);
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const PartyList* was = parties.listOf(classNumber);
        const PartyList* is = now.listOf(classNumber);
        FUZZ_CHECK(was == nullptr ? is == nullptr : is != nullptr && is->parties.size() == was->parties.size());
        for (std::size_t k = 0; was != nullptr && k < was->parties.size(); ++k) {
            FUZZ_CHECK(is->parties[k].members == was->parties[k].members);
        }
    }
    const auto again = planSpeciesEdits(image, profile, after, edits);
    FUZZ_CHECK(again.ok() && again->plan.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Images images;
    if (size < 3) {
        return 0;
    }
    const std::size_t which = data[0] % 2;
    const VersionProfile& profile = profileOf(which == 0 ? GameVersion::Red : GameVersion::Yellow);
    Bytes& image = images.images[which];
    const std::int32_t lists = profile.evosMovesPointersOffset + 2 * SpeciesCount;
    // Where the species readers look: start and length.
    const std::pair<std::int32_t, std::int32_t> regions[] = {{profile.evosMovesPointersOffset, 2 * SpeciesCount},
                                                             {lists, 0x880},
                                                             {TrainerBankEnd - 0x480, 0x480},
                                                             {baseStatsOffset(profile.version, 1), 151 * 28},
                                                             {speciesProfile(profile.version).moves, 990},
                                                             {speciesProfile(profile.version).typeNamePointers, 0x80}};
    // The tables besides the lists are read again only when the input changed them: read unchanged, they give what
    // they gave before.
    const SpeciesProfile& places = speciesProfile(profile.version);
    const std::int32_t records = baseStatsOffset(profile.version, 1);
    const BankRange others[] = {{records, records + PokedexNumbers * BaseStatsLength},
                                {places.moves, places.moves + MoveTableCount * MoveLength},
                                {places.typeNamePointers, places.typeNamePointers + 0x200}};
    bool touched[std::size(others)] = {};
    for (std::size_t at = 3; at + 4 <= size;) {
        const auto& [start, length] = regions[data[at] % std::size(regions)];
        const auto offset = static_cast<std::int32_t>(start + (data[at + 1] << 8 | data[at + 2]) % length);
        const std::size_t count = std::min<std::size_t>(data[at + 3], size - (at + 4));
        images.put(image, static_cast<std::size_t>(offset), data + at + 4, count);
        for (std::size_t k = 0; k < std::size(others); ++k) {
            touched[k] =
                touched[k] || (offset < others[k].end && offset + static_cast<std::int32_t>(count) > others[k].start);
        }
        at += 4 + count;
    }
    const EvosMovesTable table = readEvosMovesTable(image, profile);
    checkRead(image, table);
    if (touched[0]) {
        FUZZ_CHECK(readSpeciesRecords(image, profile, images.numbers[which]).size() == PokedexNumbers);
    }
    if (touched[1]) {
        const TableRead<Move> moves = readMoves(image, profile);
        FUZZ_CHECK(moves.values.size() == (moves.problem.empty() ? MoveTableCount : 0));
    }
    if (touched[2]) {
        FUZZ_CHECK(readTypeNames(image, profile).values.size() == TypeCount);
    }
    const int chosen = data[1] % SpeciesCount + 1;
    const EvosMovesList* list = table.listOf(chosen);
    const std::size_t hash = std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(data), size));
    if (list != nullptr && list->editable() && hash % 64 == 0) {
        checkSave(image, profile, readSpeciesData(image, profile), chosen, data[2], images);
    }
    images.restore(which);
    return 0;
}
