#pragma once

// The user's changes to the species data as one value, the problem of each changed field that the game could not
// use (for the window to mark beside its control, and for a refusal), and one plan for all of them. The base stats,
// moves and TM/HM list are rewritten where they lie; the lists of evolutions and learnset share the trainer bank
// with the parties and are planned with them as one change of the bank (see trainers/PartyWrite.h), checked once on
// a copy: every party and every list reads as meant and no other byte of the bank changes, or nothing is written.

#include "rom/RomTarget.h"
#include "species/SpeciesData.h"
#include "trainers/PartyWrite.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct SpeciesEdits
{
    // By Pokédex number: the whole record as it should be; its picture fields stay as the ROM has them.
    std::map<int, BaseStats> records;
    // By species byte; species that share a list share the change.
    std::map<int, EvosMoves> evosMoves;
    // By move 1..165.
    std::map<int, Move> moves;
    // TM01..TM50, HM01..HM05.
    std::optional<std::vector<std::uint8_t>> machineMoves;

    bool empty() const { return records.empty() && evosMoves.empty() && moves.empty() && !machineMoves; }
};

struct FieldProblem
{
    enum class Part
    {
        Record,
        List,
        Move,
        Machines
    };
    Part part = Part::Record;
    // The Pokédex number, species byte or move; 0 for the TM/HM list.
    int owner = 0;
    // The field as the JSON names it ("types[1]", "learnset[2].level", "effect"); empty for the whole entry.
    std::string field;
    std::string text;
};

// Every changed field of edits the game could not use, and every edited entry that is not where the game keeps it.
std::vector<FieldProblem> fieldProblems(const SpeciesData& data, const SpeciesEdits& edits);
// "Pokédex number 25, types[1]: ..." for a refusal.
std::string describe(const FieldProblem& problem);

struct SpeciesSave
{
    // The writes of edits and of the bank's change, in the order they are made; not the caller's other writes.
    WritePlan plan;
    std::vector<Relocation> relocations;
    std::optional<Repack> repack;
    // Where Yellow's custom moves table went, when the bank's change moved it.
    std::optional<BlockMove> customMovesMove;
    // The trainer bank once the plan is written: free bytes of the bytes its lists' places hold.
    std::int32_t freeBytes = 0;
    std::int32_t capacity = 0;
    // What the notes line says: the lists that moved, a repack, the bank's free bytes.
    std::vector<std::string> notes;
    // What the history recorded of the save.
    Commit commit;
};

// Plans edits on image, whose species data is data, with bank (the trainer bank's other changes of the same save)
// and other (its writes outside the lists, checked with them where they lie in the bank).
Result<SpeciesSave> planSpeciesEdits(const Bytes& image,
                                     const VersionProfile& profile,
                                     const SpeciesData& data,
                                     const SpeciesEdits& edits,
                                     const BankChange& bank = {},
                                     const WritePlan& other = {});

// The window's save: one read of the file, the check that it still holds what was loaded of every edited entry,
// the plan, the writes (recorded first in the ROM's history under label), fsync.
Result<SpeciesSave> writeSpeciesEdits(const RomTarget& rom,
                                      const SpeciesData& loaded,
                                      const SpeciesEdits& edits,
                                      const std::string& label,
                                      const CommitOptions& options = {});
