#include "difficulty/DifficultyPlan.h"

#include "history/UndoRedo.h"
#include "maps/StaticBattles.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// The two Snorlax of the overworld battles; the other four stand on their maps and are raised there.
constexpr int FirstSnorlax = 4;

bool isLeaderClass(int classNumber)
{
    for (int k = 0; k < RosterSize; ++k) {
        if (trainerClass(k).number == classNumber) {
            return true;
        }
    }
    return false;
}

bool inScope(TrainerScope scope, const PartyList& list)
{
    const bool leader = std::any_of(list.classes.begin(), list.classes.end(), isLeaderClass);
    switch (scope) {
    case TrainerScope::LeadersOnly:
        return leader;
    case TrainerScope::AllButLeaders:
        return !leader;
    case TrainerScope::AllClasses:
        break;
    }
    return true;
}

// The map ids of the routes one passes on the way to each leader, in the order of the roster: Route 1, 2 and 22
// before the first gym, Route 23 before the Elite Four.
const std::array<std::vector<int>, RosterSize>& routesBefore()
{
    static const std::array<std::vector<int>, RosterSize> routes = {{
        {0x0C, 0x0D, 0x21},
        {0x0E, 0x0F, 0x23, 0x24},
        {0x10, 0x11, 0x16},
        {0x12, 0x13, 0x14, 0x15},
        {0x17, 0x18, 0x19, 0x1A},
        {0x1B, 0x1C, 0x1D},
        {0x1E, 0x1F, 0x20},
        {},
        {0x22},
        {},
        {},
        {},
    }};
    return routes;
}

WildArea raisedArea(const WildArea& area, int percent, int& changed)
{
    WildArea raised = area;
    for (WildSlot& slot : raised.slot) {
        const auto level = static_cast<std::uint8_t>(raisedLevel(slot.level, {true, percent}));
        changed += level != slot.level ? 1 : 0;
        slot.level = level;
    }
    return raised;
}

std::vector<WildSlot> raisedSlots(std::vector<WildSlot> slots, int percent, int& changed)
{
    for (WildSlot& slot : slots) {
        const auto level = static_cast<std::uint8_t>(raisedLevel(slot.level, {true, percent}));
        changed += level != slot.level ? 1 : 0;
        slot.level = level;
    }
    return slots;
}

void planWild(const MapTable& maps, int percent, DifficultyPlan& plan)
{
    if (percent == 0 || !maps.wildProblem.empty()) {
        return;
    }
    int& changed = plan.preview.wildSlots;
    for (const WildTable& table : maps.wild) {
        if (table.empty() || table.maps.empty()) {
            continue;
        }
        const int before = changed;
        WildEdit edit{table.maps.front(), std::nullopt, std::nullopt};
        if (table.grass.on()) {
            edit.grass = raisedArea(table.grass, percent, changed);
        }
        if (table.water.on()) {
            edit.water = raisedArea(table.water, percent, changed);
        }
        if (changed != before) {
            plan.maps.wild.push_back(edit);
        }
    }
    const FishingTable& fishing = maps.fishing;
    if (fishing.oldRod.readable()) {
        const int before = changed;
        const auto slots = raisedSlots(fishing.oldRod.pokemon, percent, changed);
        if (changed != before && slots.size() == 1) {
            plan.maps.fishing.oldRod = slots.front();
        }
    }
    if (fishing.goodRod.readable()) {
        const int before = changed;
        const auto slots = raisedSlots(fishing.goodRod.pokemon, percent, changed);
        if (changed != before) {
            plan.maps.fishing.goodRod = slots;
        }
    }
    if (fishing.superRod.readable()) {
        for (const SuperRodGroup& group : fishing.superRod.groups) {
            const int before = changed;
            const auto slots = raisedSlots(group.pokemon, percent, changed);
            if (changed != before && !group.maps.empty()) {
                plan.maps.fishing.superRod.push_back({group.maps.front(), slots, false});
            }
        }
    }
}

void planStanding(const DifficultyRom& rom, int percent, DifficultyPlan& plan)
{
    if (percent == 0) {
        return;
    }
    for (const MapRow& row : rom.maps.rows) {
        if (!row.isMap() || row.copyOf) {
            continue;
        }
        for (const MapObject& object : row.objects) {
            const int level = raisedLevel(object.level, {true, percent});
            if (object.kind == ObjectKind::Pokemon && level != object.level) {
                plan.maps.statics.push_back({row.id,
                                             object.number,
                                             static_cast<std::uint8_t>(object.species),
                                             static_cast<std::uint8_t>(level)});
            }
        }
    }
    plan.preview.standing = static_cast<int>(plan.maps.statics.size());
    const BattlePositions positions = overworldPositions(rom.maps);
    for (int battle = FirstSnorlax; battle < OverworldBattleCount; ++battle) {
        if (!battleInPlace(rom.image, positions, battle)) {
            continue;
        }
        BattleValues values = readBattle(rom.image, positions, battle);
        const auto level = static_cast<std::uint8_t>(raisedLevel(values.level, {true, percent}));
        if (level != values.level) {
            values.level = level;
            plan.battles[static_cast<std::size_t>(battle)] = values;
            ++plan.preview.standing;
        }
    }
}

std::vector<PartyMember>
plannedMembers(const DifficultyRom& rom, const DifficultyOptions& options, const PartyList& list, const Party& party)
{
    std::vector<PartyMember> members(party.members.begin(), party.members.end());
    if (inScope(options.scope, list)) {
        for (PartyMember& member : members) {
            const int level = raisedLevel(member.level, options.trainers);
            if (options.evolve) {
                member.species = evolvedSpecies(rom.evosMoves, member.species, member.level, level);
            }
            member.level = static_cast<std::uint8_t>(level);
        }
    }
    return filledParty(rom.evosMoves, std::move(members), options.minParty);
}

void planParties(const DifficultyRom& rom, const DifficultyOptions& options, DifficultyPlan& plan)
{
    for (const PartyList& list : rom.parties.lists) {
        if (!list.editable() || list.classes.empty()) {
            continue;
        }
        for (std::size_t k = 0; k < list.parties.size(); ++k) {
            const Party& party = list.parties[k];
            auto members = plannedMembers(rom, options, list, party);
            if (std::equal(members.begin(), members.end(), party.members.begin(), party.members.end())) {
                continue;
            }
            ++plan.preview.parties;
            for (std::size_t m = 0; m < members.size(); ++m) {
                plan.preview.members += m >= party.members.size() || members[m] != party.members[m] ? 1 : 0;
            }
            plan.preview.added += static_cast<int>(members.size() - party.members.size());
            plan.bank.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, std::move(members)});
        }
    }
}

// The lowest and highest level of the routes' grass and water, after the plan's edits when after is set.
std::pair<int, int> wildRange(const DifficultyRom& rom, const DifficultyPlan& plan, const std::vector<int>& routes)
{
    int low = 0;
    int high = 0;
    const auto count = [&](const WildArea& area) {
        for (const WildSlot& slot : area.slot) {
            low = low == 0 ? slot.level : std::min<int>(low, slot.level);
            high = std::max<int>(high, slot.level);
        }
    };
    for (const int route : routes) {
        const WildTable* table = rom.maps.wildOf(route);
        if (table == nullptr) {
            continue;
        }
        const auto edit = std::find_if(plan.maps.wild.begin(), plan.maps.wild.end(), [&](const WildEdit& wild) {
            return std::find(table->maps.begin(), table->maps.end(), wild.map) != table->maps.end();
        });
        const bool edited = edit != plan.maps.wild.end();
        if (table->grass.on()) {
            count(edited && edit->grass ? *edit->grass : table->grass);
        }
        if (table->water.on()) {
            count(edited && edit->water ? *edit->water : table->water);
        }
    }
    return {low, high};
}

void figureLeaders(const DifficultyRom& rom, DifficultyPlan& plan)
{
    const DifficultyPlan unchanged;
    for (int k = 0; k < RosterSize; ++k) {
        const TrainerClass& roster = trainerClass(k);
        const Party* party = rom.parties.party(roster.number, roster.party);
        if (party == nullptr || party->members.empty()) {
            continue;
        }
        LeaderFigures figures;
        figures.name = rom.classNames[static_cast<std::size_t>(roster.number - 1)];
        std::vector<PartyMember> after(party->members.begin(), party->members.end());
        const PartyList* list = rom.parties.listOf(roster.number);
        for (const PartyChange& change : plan.bank.parties) {
            if (rom.parties.listOf(change.classNumber) == list && change.partyNumber == roster.party) {
                after = change.members;
            }
        }
        const auto levels = [](const auto& members, int& highest, double& mean) {
            int sum = 0;
            for (const PartyMember& member : members) {
                highest = std::max<int>(highest, member.level);
                sum += member.level;
            }
            mean = static_cast<double>(sum) / static_cast<double>(members.size());
        };
        levels(party->members, figures.highestBefore, figures.meanBefore);
        levels(after, figures.highestAfter, figures.meanAfter);
        const int money = rom.parties.entry(roster.number).money.value_or(0);
        figures.prizeBefore = money * party->members.back().level;
        figures.prizeAfter = money * after.back().level;
        const auto& routes = routesBefore()[static_cast<std::size_t>(k)];
        std::tie(figures.wildLowBefore, figures.wildHighBefore) = wildRange(rom, unchanged, routes);
        std::tie(figures.wildLowAfter, figures.wildHighAfter) = wildRange(rom, plan, routes);
        plan.preview.leaders.push_back(figures);
    }
}

} // namespace

bool earlierDifficultyChange(const std::string& path)
{
    const auto history = readHistory(path);
    return history.ok() && history->holdsKind(DifficultyKind);
}

DifficultyRom readDifficultyRom(const Bytes& image, const VersionProfile& profile, bool earlierChange)
{
    DifficultyRom rom{image,
                      profile,
                      readPartyTable(image, profile),
                      readEvosMovesTable(image, profile),
                      readMaps(image, profile),
                      {},
                      readClassNames(image, profile),
                      earlierChange};
    rom.room = bankRoom(image, profile, bankLists(image, rom.parties, rom.evosMoves));
    return rom;
}

int raisedLevel(int level, const LevelRaise& raise)
{
    if (raise.amount == 0) {
        return level;
    }
    // As `floor(level * 1.1)` for +10%: in whole numbers, so that no level lands a hair below its value.
    const int raised = raise.percent ? level * (100 + raise.amount) / 100 : level + raise.amount;
    return std::clamp(raised, 1, MaxLevel);
}

std::uint8_t evolvedSpecies(const EvosMovesTable& evosMoves, std::uint8_t species, int from, int to)
{
    // A chain is at most three long; the bound keeps a list that evolves into itself from looping.
    for (int step = 0; step < 3 && species >= 1 && species <= SpeciesCount; ++step) {
        const EvosMovesList* list = evosMoves.listOf(species);
        if (list == nullptr) {
            break;
        }
        const auto evolution =
            std::find_if(list->content.evolutions.begin(), list->content.evolutions.end(), [&](const Evolution& e) {
                return e.kind == EvolveByLevel && e.level > from && e.level <= to && e.species != 0;
            });
        if (evolution == list->content.evolutions.end()) {
            break;
        }
        species = evolution->species;
    }
    return species;
}

std::vector<PartyMember> filledParty(const EvosMovesTable& evosMoves, std::vector<PartyMember> members, int size)
{
    const std::size_t own = members.size();
    const auto wanted = static_cast<std::size_t>(std::clamp(size, 0, MaxPartySize));
    for (std::size_t k = own; k < wanted && own > 0; ++k) {
        const std::uint8_t level = members.back().level;
        members.push_back({level, evolvedSpecies(evosMoves, members[k % own].species, 0, level)});
    }
    return members;
}

DifficultyPlan planDifficulty(const DifficultyRom& rom, const DifficultyOptions& options)
{
    DifficultyPlan plan;
    planParties(rom, options, plan);
    planWild(rom.maps, options.wildPercent, plan);
    planStanding(rom, options.standingPercent, plan);
    figureLeaders(rom, plan);
    plan.preview.bankNeeded = rom.room.used + bytesOfChange(rom.parties, rom.evosMoves, plan.bank);
    plan.preview.bankCapacity = rom.room.capacity;
    plan.preview.earlierChange = rom.earlierChange;
    return plan;
}

Result<DifficultyWrite> planDifficultyWrites(const DifficultyRom& rom, const DifficultyPlan& plan)
{
    DifficultyWrite write;
    if (!plan.bank.parties.empty()) {
        auto bank = planBankChange(rom.image, rom.profile, plan.bank, {}, rom.parties, rom.evosMoves);
        if (!bank) {
            return bank.failure();
        }
        write.plan = std::move(bank->plan);
        write.repack = bank->repack;
    }
    if (!plan.maps.statics.empty() || !plan.maps.wild.empty() || !plan.maps.fishing.empty()) {
        auto maps = planMapEdits(rom.image, rom.maps, plan.maps);
        if (!maps) {
            return maps.failure();
        }
        write.plan.insert(write.plan.end(), maps->plan.begin(), maps->plan.end());
    }
    std::vector<int> leftAlone;
    const WritePlan battles = planBattleWrites(rom.image, overworldPositions(rom.maps), plan.battles, leftAlone);
    write.plan.insert(write.plan.end(), battles.begin(), battles.end());
    return write;
}

Result<Commit> writeDifficulty(const RomTarget& rom,
                               const DifficultyRom& loaded,
                               const DifficultyOptions& options,
                               bool keepGlobalChecksum)
{
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    if (*image != loaded.image) {
        return refusal(FailureNumber::RomChanged,
                       "The ROM changed since it was opened: open it again to plan the change on it.");
    }
    const auto write = planDifficultyWrites(loaded, planDifficulty(loaded, options));
    if (!write) {
        return write.failure();
    }
    return commitSave(rom.path, *image, write->plan, "the difficulty change", {DifficultyKind, keepGlobalChecksum});
}

std::vector<std::string> previewLines(const DifficultyPreview& preview)
{
    std::vector<std::string> lines;
    if (preview.earlierChange) {
        lines.push_back("This ROM's history holds an earlier difficulty change: these options apply to the ROM as it "
                        "is now, on top of it.");
    }
    const auto count = [](int number, const std::string& one, const std::string& many) {
        return std::to_string(number) + " " + (number == 1 ? one : many);
    };
    lines.push_back(count(preview.parties, "party", "parties") + " change: " +
                    count(preview.members, "member", "members") + " (" + std::to_string(preview.added) + " added).");
    lines.push_back(count(preview.wildSlots, "wild slot", "wild slots") + " and " +
                    count(preview.standing, "standing Pokémon", "standing Pokémon") + " change.");
    lines.push_back("Trainer bank: " + std::to_string(preview.bankNeeded) + " of " +
                    std::to_string(preview.bankCapacity) + " bytes needed" +
                    (preview.bankNeeded > preview.bankCapacity ? ": it does not fit." : "."));
    for (const LeaderFigures& leader : preview.leaders) {
        char line[160];
        std::snprintf(line,
                      sizeof line,
                      "%s: highest %d -> %d, mean %.1f -> %.1f, prize %d -> %d yen",
                      leader.name.c_str(),
                      leader.highestBefore,
                      leader.highestAfter,
                      leader.meanBefore,
                      leader.meanAfter,
                      leader.prizeBefore,
                      leader.prizeAfter);
        lines.emplace_back(line);
    }
    return lines;
}

std::vector<std::string> previewLines(const DifficultyPreview& preview, const Result<DifficultyWrite>& write)
{
    std::vector<std::string> lines = previewLines(preview);
    if (!write) {
        lines.push_back("Apply would be refused: " + write.failure().description);
    } else if (write->repack) {
        lines.push_back("The trainer bank would be laid out anew to make room.");
    }
    return lines;
}
