#include "species/SpeciesEdit.h"

#include "catalogues/NameCatalogues.h"
#include "rom/DisplayText.h"
#include "species/LearnsetRules.h"
#include "trainers/BankLayout.h"

namespace {

using Part = FieldProblem::Part;

std::string indexed(const char* field, std::size_t index)
{
    return std::string(field) + "[" + std::to_string(index) + "]";
}

void recordProblems(const SpeciesData& data, int number, const BaseStats& stats, std::vector<FieldProblem>& problems)
{
    if (number < 1 || number > PokedexNumbers) {
        problems.push_back({Part::Record, number, "", "there is no Pokédex number " + std::to_string(number)});
        return;
    }
    const SpeciesRecord& record = data.records[static_cast<std::size_t>(number - 1)];
    if (!record.readable()) {
        problems.push_back({Part::Record, number, "", "the record is left as it is: " + record.problem});
        return;
    }
    const std::pair<std::uint8_t, std::size_t> types[] = {{stats.type1, 0}, {stats.type2, 1}};
    for (const auto& [type, k] : types) {
        if (type >= TypeCount) {
            problems.push_back({Part::Record,
                                number,
                                indexed("types", k),
                                "the type " + std::to_string(type) + " lies past the game's 27 types"});
        }
    }
    if (stats.growth >= GrowthRateCount) {
        problems.push_back({Part::Record,
                            number,
                            "growth",
                            "the growth rate " + std::to_string(stats.growth) + " lies past the game's 6"});
    }
    for (std::size_t k = 0; k < stats.moves.size(); ++k) {
        if (stats.moves[k] > MoveCount) {
            problems.push_back({Part::Record,
                                number,
                                indexed("moves", k),
                                "the move " + std::to_string(stats.moves[k]) + " lies past the game's 165"});
        }
    }
}

void listProblemsOf(const SpeciesData& data, int species, const EvosMoves& list, std::vector<FieldProblem>& problems)
{
    const EvosMovesList* was = data.evosMoves.listOf(species);
    if (was == nullptr || !was->editable()) {
        problems.push_back(
            {Part::List, species, "", "the list is left as it is: " + data.evosMoves.problemOf(species)});
        return;
    }
    static const char* const Fields[] = {"by", "item", "level", "into", "level", "move"};
    for (const ListProblem& problem : listProblems(list)) {
        using Field = ListProblem::Field;
        const bool evolution = problem.field < Field::MoveLevel;
        problems.push_back({Part::List,
                            species,
                            indexed(evolution ? "evolutions" : "learnset", static_cast<std::size_t>(problem.index)) +
                                "." + Fields[static_cast<std::size_t>(problem.field)],
                            problem.text});
    }
}

void moveProblems(const SpeciesData& data, int number, const Move& move, std::vector<FieldProblem>& problems)
{
    if (!data.moves.problem.empty() || number < 1 || number > MoveTableCount) {
        problems.push_back({Part::Move,
                            number,
                            "",
                            data.moves.problem.empty() ? "there is no move " + std::to_string(number)
                                                       : "the move is left as it is: " + data.moves.problem});
        return;
    }
    if (move.effect >= EffectCount) {
        problems.push_back({Part::Move,
                            number,
                            "effect",
                            "the effect " + std::to_string(move.effect) + " lies past the game's 87 effects"});
    }
    if (move.type >= TypeCount) {
        problems.push_back(
            {Part::Move, number, "type", "the type " + std::to_string(move.type) + " lies past the game's 27 types"});
    }
    if (move.pp > MaxPp) {
        problems.push_back(
            {Part::Move, number, "pp", "the game keeps PP in 6 bits, 0-63: the 2 above count the PP Ups"});
    }
}

// The runs of bytes that differ between was and is, at offset.
void addChanges(WritePlan& plan, std::int32_t offset, const Bytes& was, const Bytes& is)
{
    for (std::size_t k = 0; k < is.size();) {
        if (is[k] == was[k]) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < is.size() && is[end] != was[end]) {
            ++end;
        }
        plan.push_back(
            {offset + static_cast<std::int32_t>(k),
             Bytes(is.begin() + static_cast<std::ptrdiff_t>(k), is.begin() + static_cast<std::ptrdiff_t>(end))});
        k = end;
    }
}

// The writes of the records, moves and TM/HM list that edits change.
WritePlan fixedWrites(const VersionProfile& profile, const SpeciesData& data, const SpeciesEdits& edits)
{
    WritePlan plan;
    for (const auto& [number, wanted] : edits.records) {
        const SpeciesRecord& record = data.records[static_cast<std::size_t>(number - 1)];
        BaseStats stats = wanted;
        stats.picture = record.stats.picture;
        addChanges(plan, record.offset, baseStatsBytes(record.stats), baseStatsBytes(stats));
    }
    for (const auto& [number, move] : edits.moves) {
        addChanges(plan,
                   moveOffset(profile.version, number),
                   moveBytes(data.moves.values[static_cast<std::size_t>(number - 1)]),
                   moveBytes(move));
    }
    if (edits.machineMoves) {
        addChanges(plan, speciesProfile(profile.version).machineMoves, data.machineMoves.values, *edits.machineMoves);
    }
    return plan;
}

std::string freeNote(std::int32_t freeBytes, std::int32_t capacity)
{
    return bankRoomNote({capacity, capacity - freeBytes});
}

} // namespace

std::vector<FieldProblem> fieldProblems(const SpeciesData& data, const SpeciesEdits& edits)
{
    std::vector<FieldProblem> problems;
    for (const auto& [number, stats] : edits.records) {
        recordProblems(data, number, stats, problems);
    }
    for (const auto& [species, list] : edits.evosMoves) {
        listProblemsOf(data, species, list, problems);
    }
    for (const auto& [number, move] : edits.moves) {
        moveProblems(data, number, move, problems);
    }
    if (edits.machineMoves) {
        if (!data.machineMoves.problem.empty() || edits.machineMoves->size() != MachineCount) {
            problems.push_back(
                {Part::Machines, 0, "", "the TM/HM list is left as it is: " + data.machineMoves.problem});
        } else {
            for (std::size_t k = 0; k < edits.machineMoves->size(); ++k) {
                const int move = (*edits.machineMoves)[k];
                if (move == 0 || move > MoveCount) {
                    problems.push_back(
                        {Part::Machines,
                         0,
                         indexed("machines", k),
                         "a TM or HM teaches one of the game's 165 moves, not the byte " + std::to_string(move)});
                }
            }
        }
    }
    return problems;
}

std::string describe(const FieldProblem& problem)
{
    static const char* const Owners[] = {"Pokédex number ", "species ", "move ", "the TM/HM list"};
    std::string text = Owners[static_cast<std::size_t>(problem.part)];
    if (problem.part != Part::Machines) {
        text += std::to_string(problem.owner);
    }
    return text + (problem.field.empty() ? "" : ", " + problem.field) + ": " + problem.text;
}

Result<SpeciesSave> planSpeciesEdits(const Bytes& image,
                                     const VersionProfile& profile,
                                     const SpeciesData& data,
                                     const SpeciesEdits& edits,
                                     const BankChange& bank,
                                     const WritePlan& other)
{
    if (const auto problems = fieldProblems(data, edits); !problems.empty()) {
        return refusal(FailureNumber::ValueNotStorable, describe(problems.front()) + ".");
    }
    SpeciesSave save;
    save.plan = fixedWrites(profile, data, edits);
    BankChange change = bank;
    for (const auto& [species, list] : edits.evosMoves) {
        if (data.evosMoves.listOf(species)->content != list) {
            change.evosMoves.push_back({species, list});
        }
    }
    const PartyTable parties = readPartyTable(image, profile);
    const BankRoom room = bankRoom(image, profile, bankLists(image, parties, data.evosMoves));
    save.capacity = room.capacity;
    save.freeBytes = room.free();
    // Fixed writes alone are checked with the bank too: in a ROM whose lists lie over the tables, they change lists.
    if (!change.parties.empty() || !change.money.empty() || !change.evosMoves.empty() || change.customMoves ||
        !save.plan.empty()) {
        WritePlan checked = other;
        checked.insert(checked.end(), save.plan.begin(), save.plan.end());
        const auto write = planBankChange(image, profile, change, checked, parties, data.evosMoves);
        if (!write) {
            return write.failure();
        }
        save.plan.insert(save.plan.end(), write->plan.begin(), write->plan.end());
        save.relocations = write->relocations;
        save.repack = write->repack;
        save.customMovesMove = write->customMovesMove;
        save.freeBytes -= bytesOfChange(parties, data.evosMoves, change);
        if (save.repack) {
            save.freeBytes = save.repack->freeBytes;
            save.capacity = save.repack->capacity;
        }
    }
    const std::vector<std::string> names =
        save.relocations.empty() ? std::vector<std::string>() : speciesNames(image, profile);
    for (const Relocation& moved : save.relocations) {
        const int owner = moved.species != 0 ? moved.species : moved.classNumber;
        save.notes.push_back(relocationNote(moved.species != 0 ? names[static_cast<std::size_t>(owner)]
                                                               : "trainer class " + std::to_string(owner),
                                            moved));
    }
    save.notes.push_back(save.repack ? repackNote(*save.repack) : freeNote(save.freeBytes, save.capacity));
    return save;
}

Result<SpeciesSave> writeSpeciesEdits(const RomTarget& rom,
                                      const SpeciesData& loaded,
                                      const SpeciesEdits& edits,
                                      const std::string& label,
                                      const CommitOptions& options)
{
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    const SpeciesData now = readSpeciesData(*image, *rom.profile);
    bool same = now.machineMoves.values == loaded.machineMoves.values || !edits.machineMoves;
    for (const auto& [number, stats] : edits.records) {
        const auto k = static_cast<std::size_t>(number - 1);
        same = same && k < now.records.size() && now.records[k].stats == loaded.records[k].stats;
    }
    for (const auto& [species, list] : edits.evosMoves) {
        const EvosMovesList* is = now.evosMoves.listOf(species);
        const EvosMovesList* was = loaded.evosMoves.listOf(species);
        same = same && (is == nullptr ? was == nullptr : was != nullptr && *is == *was);
    }
    for (const auto& [number, move] : edits.moves) {
        const auto k = static_cast<std::size_t>(number - 1);
        same = same && k < now.moves.values.size() && k < loaded.moves.values.size() &&
               now.moves.values[k] == loaded.moves.values[k];
    }
    if (!same) {
        return refusal(FailureNumber::NotInPlace,
                       "The species data changed in the file since they were loaded. Open them again to see the file "
                       "as it is now.");
    }
    auto save = planSpeciesEdits(*image, *rom.profile, now, edits);
    if (!save) {
        return save.failure();
    }
    const auto commit = commitSave(rom.path, *image, save->plan, label, options);
    if (!commit) {
        return commit.failure();
    }
    SpeciesSave saved = *save;
    saved.commit = *commit;
    return saved;
}
