// The second half of an import: the values the document asks for, planned with the planners of the windows.
// Everything the trainer bank holds (names, money, parties, special moves, the species' evolutions and learnsets)
// is gathered first and planned as one change with the species data, checked once against the whole bank; the
// overworld battles follow.

#include "app/BattleJson.h"
#include "app/ChampionJson.h"
#include "app/CustomMovesJson.h"
#include "app/ImportCheck.h"
#include "app/JsonRead.h"
#include "maps/StaticBattles.h"
#include "overworld/OverworldBattle.h"
#include "rom/DisplayText.h"
#include "trainers/CustomMovesWrite.h"
#include "trainers/TrainerRecord.h"

namespace {

class Planner
{
public:
    Planner(const ImportRom& rom, ImportPlan& plan)
        : m_image(rom.image), m_profile(rom.profile), m_lists(rom.lists), m_plan(plan),
          m_names(readClassNames(rom.image, rom.profile)), m_table(rom.parties), m_maps(rom.maps),
          m_species(rom.species), m_positions(overworldPositions(rom.maps)),
          m_customMoves(readCustomMoves(rom.image, rom.profile))
    {}

    void plan(const ClassWish& wish);
    void plan(const LeaderWish& wish);
    void plan(const BattleWish& wish);
    void plan(const ChampionMoves& wish);
    // Every change of the trainer bank and of the species data gathered from the wishes, planned and checked as one.
    void planBank(const SpeciesImport& species);
    void plan(const MapImport& wish);

private:
    std::string label(int classNumber) const
    {
        const std::string& name = m_names[static_cast<std::size_t>(classNumber - 1)];
        return name.empty() ? "class " + std::to_string(classNumber) : name;
    }
    std::string member(int byte, int level) const
    {
        return m_lists.species.show(byte) + ", level " + std::to_string(level);
    }
    std::vector<std::string>
    changes(const std::string& party, const std::vector<PartyMember>& was, const std::vector<PartyMember>& is) const;

    const Bytes& m_image;
    const VersionProfile& m_profile;
    const RomLists& m_lists;
    ImportPlan& m_plan;
    // The class names as the ROM has them, for the report.
    std::vector<std::string> m_names;
    const PartyTable& m_table;
    const MapTable& m_maps;
    const SpeciesData& m_species;
    // The overworld battles, the first four found through the maps' objects.
    BattlePositions m_positions;
    // What the wishes ask of the trainer bank: parties and money, the other writes (names, prizes, special
    // moves), the report's lines, and the JSON path of each class whose parties change.
    BankChange m_bank;
    WritePlan m_other;
    std::vector<std::string> m_lines;
    std::vector<std::pair<int, std::string>> m_partyPaths;
    // How many overworld battles, the last steps so far, change.
    std::size_t m_battleSteps = 0;
    // Yellow's custom moves table with the classes' wishes so far, and whether any changed it.
    std::vector<CustomMoveEntry> m_customMoves;
    bool m_customMovesChanged = false;
};

void Planner::planBank(const SpeciesImport& species)
{
    if (m_customMovesChanged) {
        m_bank.customMoves = m_customMoves;
    }
    if (m_bank.parties.empty() && m_bank.money.empty() && m_other.empty() && species.edits.empty() &&
        !m_bank.customMoves) {
        return;
    }
    auto save = planSpeciesEdits(m_image, m_profile, m_species, species.edits, m_bank, m_other);
    if (!save) {
        // A refusal of one class's parties or one species' list names its path; one of the whole bank names them all.
        const std::string& description = save.failure().description;
        std::string path = species.edits.empty() ? "classes" : "pokemon";
        for (const auto& [classNumber, where] : m_partyPaths) {
            const std::string named = "trainer class " + std::to_string(classNumber) + " ";
            if ((m_partyPaths.size() == 1 && species.edits.empty()) || description.find(named) != std::string::npos) {
                path = where;
            }
        }
        if (m_customMovesChanged && description.find("custom moves") != std::string::npos) {
            path = "classes";
        }
        for (const auto& [number, where] : species.listPaths) {
            if (description.find("species " + std::to_string(number) + " ") != std::string::npos) {
                path = where + ".learnset";
            }
        }
        m_plan.errors.push_back(path + ": " + description);
        return;
    }
    const auto lines = speciesLines(m_species, species.edits, m_lists);
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    for (const Relocation& moved : save->relocations) {
        const std::string what = moved.species != 0 ? m_lists.species.show(moved.species) + ": evolutions and learnset"
                                                    : label(moved.classNumber) + ": parties";
        m_lines.push_back(what + " moved to free space at " + hexNumber(moved.to) + " (" + std::to_string(moved.bytes) +
                          " of " + std::to_string(moved.freeBytes) + " free bytes used)");
    }
    if (save->repack) {
        m_lines.push_back(repackNote(*save->repack));
    }
    if (save->customMovesMove) {
        m_lines.push_back(customMovesMoveNote(*save->customMovesMove));
    }
    WritePlan plan = m_other;
    plan.insert(plan.end(), save->plan.begin(), save->plan.end());
    m_plan.steps.push_back({std::move(m_lines), std::move(plan)});
}

std::vector<std::string> Planner::changes(const std::string& party,
                                          const std::vector<PartyMember>& was,
                                          const std::vector<PartyMember>& is) const
{
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < std::max(was.size(), is.size()); ++k) {
        const std::string who = party + ": member " + std::to_string(k + 1);
        if (k >= was.size()) {
            lines.push_back(who + " added (" + member(is[k].species, is[k].level) + ")");
        } else if (k >= is.size()) {
            lines.push_back(who + " removed (" + member(was[k].species, was[k].level) + ")");
        } else {
            if (was[k].species != is[k].species) {
                lines.push_back(who + " species " +
                                arrow(m_lists.species.show(was[k].species), m_lists.species.show(is[k].species)));
            }
            if (was[k].level != is[k].level) {
                lines.push_back(who + " level " + arrow(std::to_string(was[k].level), std::to_string(is[k].level)));
            }
        }
    }
    return lines;
}

void Planner::plan(const ClassWish& wish)
{
    const int classNumber = wish.classNumber;
    const std::string& current = m_names[static_cast<std::size_t>(classNumber - 1)];
    if (wish.name && trimBlanks(*wish.name) != current) {
        const GroupPlace name = locateClassNames(m_image, m_profile)[static_cast<std::size_t>(classNumber - 1)];
        m_other.push_back({name.offset, encodeNameField(*wish.name, name.length).value()});
        m_lines.push_back(label(classNumber) + ": name " + arrow(current, trimBlanks(*wish.name)));
    }
    if (const auto money = m_table.entry(classNumber).money; wish.money && wish.money != money) {
        m_bank.money.push_back({classNumber, *wish.money});
        m_lines.push_back(label(classNumber) + ": money " + arrow(std::to_string(*money), std::to_string(*wish.money)));
    }
    const std::size_t changedBefore = m_bank.parties.size();
    for (std::size_t k = 0; wish.parties && k < wish.parties->size(); ++k) {
        const int party = static_cast<int>(k) + 1;
        const std::vector<PartyMember>& was = m_table.party(classNumber, party)->members;
        const std::vector<PartyMember>& is = (*wish.parties)[k];
        if (was != is) {
            const auto changed = changes(label(classNumber) + " party " + std::to_string(party), was, is);
            m_lines.insert(m_lines.end(), changed.begin(), changed.end());
            m_bank.parties.push_back({classNumber, party, is});
        }
    }
    if (m_bank.parties.size() > changedBefore) {
        m_partyPaths.emplace_back(classNumber, wish.path + ".parties");
    }
    if (const std::vector<CustomMoveEntry> was = classCustomMoves(m_customMoves, classNumber);
        wish.customMoves && *wish.customMoves != was) {
        m_lines.push_back(customMovesLine(label(classNumber), was, *wish.customMoves, m_lists));
        m_customMoves = withClassCustomMoves(m_customMoves, classNumber, *wish.customMoves);
        m_customMovesChanged = true;
    }
}

void Planner::plan(const LeaderWish& wish)
{
    const TrainerLayout& layout = trainerLayout(m_profile.version, wish.rosterIndex);
    const std::string who = label(trainerClass(wish.rosterIndex).number);
    const auto change =
        [&](std::optional<std::int32_t> offset, std::optional<int> value, const std::string& what, auto show) {
            const int was = offset ? m_image[static_cast<std::size_t>(*offset)] : 0;
            if (offset && value && *value != was) {
                m_lines.push_back(who + ": " + what + " " + arrow(show(was), show(*value)));
                m_other.push_back({*offset, {static_cast<std::uint8_t>(*value)}});
            }
        };
    const auto number = [](int value) { return std::to_string(value); };
    change(
        layout.prizeItemOffset(), wish.prizeItem, "prize item", [this](int byte) { return m_lists.items.show(byte); });
    change(layout.prizeAmountOffset, wish.prizeAmount, "prize amount", number);
    change(layout.specialMoveOffset, wish.specialMove, "special move", [this](int byte) {
        return m_lists.moves.show(byte);
    });
    change(layout.specialMoveUserOffset, wish.specialMoveUser, "special move user", [](int byte) {
        return std::to_string(byte + 1);
    });
}

// The champion's moves are operands of the trainer bank's code, written with the bank's other values.
void Planner::plan(const ChampionMoves& wish)
{
    const auto writes = planChampionMoves(m_image, m_profile, wish);
    if (!writes) {
        m_plan.errors.push_back("championMoves: " + writes.failure().description);
        return;
    }
    const auto lines = championLines(*readChampionMoves(m_image, m_profile), wish, m_lists);
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    m_other.insert(m_other.end(), writes->begin(), writes->end());
}

void Planner::plan(const BattleWish& wish)
{
    const BattleValues was = readBattle(m_image, m_positions, wish.battle);
    const BattleValues is{static_cast<std::uint8_t>(wish.species.value_or(was.species)),
                          static_cast<std::uint8_t>(wish.level.value_or(was.level))};
    if (is == was) {
        return;
    }
    std::vector<std::string> lines = speciesLevelLines(
        overworldBattleName(wish.battle) + ":", m_lists.species, was.species, was.level, is.species, is.level);
    BattleEdits edits;
    edits[static_cast<std::size_t>(wish.battle)] = is;
    std::vector<int> leftAlone;
    m_plan.steps.push_back({std::move(lines), planBattleWrites(m_image, m_positions, edits, leftAlone)});
    ++m_battleSteps;
}

// The maps are one step: the wild tables of every map are checked together on one copy of their bank. The
// legendaries' bytes are those of the overworld battles, so the maps are planned on the image as those leave it.
void Planner::plan(const MapImport& wish)
{
    Bytes overworld;
    MapTable read;
    if (m_battleSteps > 0) {
        overworld = m_image;
        for (std::size_t k = m_plan.steps.size() - m_battleSteps; k < m_plan.steps.size(); ++k) {
            applyWritePlan(overworld, m_plan.steps[k].plan);
        }
        read = readMaps(overworld, m_profile);
    }
    auto step = m_battleSteps > 0 ? planMaps(overworld, read, m_lists, wish) : planMaps(m_image, m_maps, m_lists, wish);
    if (!step) {
        m_plan.errors.push_back(step.failure().description);
    } else if (!step->plan.empty()) {
        m_plan.steps.push_back(std::move(step.value()));
    }
}

} // namespace

ImportPlan planImport(const Bytes& image, const VersionProfile& profile, std::string_view text)
{
    ImportPlan result;
    Json document;
    try {
        document = readJson(text);
    } catch (const Json::exception& error) {
        // Not JSON, or a number too large for one (1e400), which the parser reports as out of range.
        std::string why = error.what();
        why.erase(0, why.find(']') + 2);
        result.errors.push_back("(file): this is not JSON: " + why);
        return result;
    }
    const RomLists lists = romLists(image, profile);
    const PartyTable parties = readPartyTable(image, profile);
    const MapTable maps = readMaps(image, profile);
    const SpeciesData species = readSpeciesData(image, profile);
    const ImportRom rom{image, profile, lists, parties, maps, species};
    const ImportWishes wishes = checkImport(document, rom, result.errors);
    if (!result.errors.empty()) {
        return result;
    }
    Planner planner(rom, result);
    for (const ClassWish& wish : wishes.classes) {
        planner.plan(wish);
    }
    for (const LeaderWish& wish : wishes.leaders) {
        planner.plan(wish);
    }
    if (wishes.champion) {
        planner.plan(*wishes.champion);
    }
    planner.planBank(wishes.species);
    for (const BattleWish& wish : wishes.battles) {
        planner.plan(wish);
    }
    planner.plan(wishes.maps);
    if (!result.errors.empty()) {
        result.steps.clear();
    }
    return result;
}
