// The second half of an import: the values the document asks for, planned one after the other on a copy of
// the image with the planners of the windows, each step checked against the whole trainer bank.

#include "app/BattleJson.h"
#include "app/ImportCheck.h"
#include "maps/StaticBattles.h"
#include "overworld/OverworldBattle.h"
#include "rom/DisplayText.h"
#include "trainers/TrainerRecord.h"

namespace {

std::string arrow(const std::string& was, const std::string& is)
{
    return was + " → " + is;
}

class Planner
{
public:
    Planner(const Bytes& image, const VersionProfile& profile, const RomLists& lists, ImportPlan& plan)
        : m_work(image), m_profile(profile), m_lists(lists), m_plan(plan), m_names(readClassNames(image, profile)),
          m_current(m_names), m_table(readPartyTable(image, profile))
    {}

    void plan(const ClassWish& wish);
    void plan(const LeaderWish& wish);
    void plan(const BattleWish& wish);
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
    // The writes of change and other, checked against the trainer bank, as one step; an error at path if refused.
    void
    step(std::vector<std::string> lines, const std::string& path, const BankChange& change, const WritePlan& other);

    Bytes m_work;
    const VersionProfile& m_profile;
    const RomLists& m_lists;
    ImportPlan& m_plan;
    // The class names as the ROM had them, for the report, and as the steps so far leave them.
    std::vector<std::string> m_names;
    std::vector<std::string> m_current;
    // The parties as the steps so far leave them.
    PartyTable m_table;
};

void Planner::step(std::vector<std::string> lines,
                   const std::string& path,
                   const BankChange& change,
                   const WritePlan& other)
{
    auto write = planBankChange(m_work, m_profile, change, other, m_table);
    if (!write) {
        m_plan.errors.push_back(path + ": " + write.failure().description);
        return;
    }
    m_table = std::move(write.value().after);
    if (const auto& moved = write->relocation) {
        char where[16];
        std::snprintf(where, sizeof where, "0x%X", static_cast<unsigned>(moved->to));
        lines.push_back(label(change.parties.front().classNumber) + ": parties moved to free space at " + where + " (" +
                        std::to_string(moved->bytes) + " of " + std::to_string(moved->freeBytes) + " free bytes used)");
    }
    WritePlan plan = other;
    plan.insert(plan.end(), write->plan.begin(), write->plan.end());
    applyWritePlan(m_work, plan);
    m_plan.steps.push_back({std::move(lines), std::move(plan)});
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
    std::string& current = m_current[static_cast<std::size_t>(classNumber - 1)];
    if (wish.name && trimBlanks(*wish.name) != current) {
        const GroupPlace name = locateClassNames(m_work, m_profile)[static_cast<std::size_t>(classNumber - 1)];
        const Bytes field = encodeNameField(*wish.name, name.length).value();
        step({label(classNumber) + ": name " + arrow(current, trimBlanks(*wish.name))},
             wish.path + ".name",
             {},
             {{name.offset, field}});
        current = trimBlanks(*wish.name);
    }
    if (const auto money = m_table.entry(classNumber).money; wish.money && wish.money != money) {
        step({label(classNumber) + ": money " + arrow(std::to_string(*money), std::to_string(*wish.money))},
             wish.path + ".money",
             {{}, std::pair{classNumber, *wish.money}},
             {});
    }
    // The parties of one list change in one step: a list moves at most once.
    std::vector<PartyChange> parties;
    std::vector<std::string> lines;
    for (std::size_t k = 0; wish.parties && k < wish.parties->size(); ++k) {
        const int party = static_cast<int>(k) + 1;
        const std::vector<PartyMember>& was = m_table.party(classNumber, party)->members;
        const std::vector<PartyMember>& is = (*wish.parties)[k];
        if (was != is) {
            const auto changed = changes(label(classNumber) + " party " + std::to_string(party), was, is);
            lines.insert(lines.end(), changed.begin(), changed.end());
            parties.push_back({classNumber, party, is});
        }
    }
    if (!parties.empty()) {
        step(std::move(lines), wish.path + ".parties", {std::move(parties), std::nullopt}, {});
    }
}

void Planner::plan(const LeaderWish& wish)
{
    const TrainerLayout& layout = trainerLayout(m_profile.version, wish.rosterIndex);
    const std::string who = label(trainerClass(wish.rosterIndex).number);
    std::vector<std::string> lines;
    WritePlan plan;
    const auto change =
        [&](std::optional<std::int32_t> offset, std::optional<int> value, const std::string& what, auto show) {
            const int was = offset ? m_work[static_cast<std::size_t>(*offset)] : 0;
            if (offset && value && *value != was) {
                lines.push_back(who + ": " + what + " " + arrow(show(was), show(*value)));
                plan.push_back({*offset, {static_cast<std::uint8_t>(*value)}});
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
    if (!plan.empty()) {
        step(std::move(lines), wish.path, {}, plan);
    }
}

void Planner::plan(const BattleWish& wish)
{
    const BattlePositions positions = overworldPositions(m_work, m_profile);
    const BattleValues was = readBattle(m_work, positions, wish.battle);
    const BattleValues is{static_cast<std::uint8_t>(wish.species.value_or(was.species)),
                          static_cast<std::uint8_t>(wish.level.value_or(was.level))};
    if (is == was) {
        return;
    }
    const std::string who = overworldBattleName(wish.battle);
    std::vector<std::string> lines;
    if (is.species != was.species) {
        lines.push_back(who + ": species " +
                        arrow(m_lists.species.show(was.species), m_lists.species.show(is.species)));
    }
    if (is.level != was.level) {
        lines.push_back(who + ": level " + arrow(std::to_string(was.level), std::to_string(is.level)));
    }
    BattleEdits edits;
    edits[static_cast<std::size_t>(wish.battle)] = is;
    std::vector<int> leftAlone;
    WritePlan plan = planBattleWrites(m_work, positions, edits, leftAlone);
    applyWritePlan(m_work, plan);
    m_plan.steps.push_back({std::move(lines), std::move(plan)});
}

// The maps are one step: the wild tables of every map are checked together on one copy of their bank.
void Planner::plan(const MapImport& wish)
{
    auto step = planMaps(m_work, m_profile, m_lists, wish);
    if (!step) {
        m_plan.errors.push_back(step.failure().description);
    } else if (!step->plan.empty()) {
        applyWritePlan(m_work, step->plan);
        m_plan.steps.push_back(std::move(*step));
    }
}

} // namespace

ImportPlan planImport(const Bytes& image, const VersionProfile& profile, std::string_view text)
{
    ImportPlan result;
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::parse_error& error) {
        std::string why = error.what();
        why.erase(0, why.find(']') + 2);
        result.errors.push_back("(file): this is not JSON: " + why);
        return result;
    }
    const RomLists lists = romLists(image, profile);
    const ImportWishes wishes = checkImport(document, image, profile, lists, result.errors);
    if (!result.errors.empty()) {
        return result;
    }
    Planner planner(image, profile, lists, result);
    for (const ClassWish& wish : wishes.classes) {
        planner.plan(wish);
    }
    for (const LeaderWish& wish : wishes.leaders) {
        planner.plan(wish);
    }
    for (const BattleWish& wish : wishes.battles) {
        planner.plan(wish);
    }
    planner.plan(wishes.maps);
    if (!result.errors.empty()) {
        result.steps.clear();
    }
    return result;
}
