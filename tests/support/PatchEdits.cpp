#include "PatchEdits.h"

#include "demo/SyntheticRom.h"
#include "trainers/PartyWrite.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <random>

namespace {

// The trainer bank once change is planned and applied, as a save writes it.
Bytes saved(const Bytes& original, GameVersion version, const BankChange& change)
{
    const auto write = planBankChange(original, profileOf(version), change);
    Bytes edited = original;
    if (write) {
        applyWritePlan(edited, write->plan);
    }
    return edited;
}

BankChange oneMoreMember(const PartyTable& table, bool everyParty)
{
    BankChange change;
    for (const PartyList& list : table.lists) {
        for (std::size_t k = 0; k < list.parties.size(); ++k) {
            std::vector<PartyMember> members = list.parties[k].members;
            if (members.size() < MaxPartySize && (everyParty || list.classes.front() == trainerClass(0).number)) {
                members.push_back({members.back().level, 7});
                change.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, members});
            }
        }
    }
    return change;
}

std::vector<PatchEdit> trainerEdits(const Bytes& original, GameVersion version)
{
    const PartyTable table = readPartyTable(original, profileOf(version));
    const int rocky = trainerClass(0).number;
    std::vector<PartyMember> members = table.party(rocky, 1)->members;
    members.back() = {static_cast<std::uint8_t>(members.back().level + 3), 25};
    return {{"one party", saved(original, version, {{PartyChange{rocky, 1, members}}, {}})},
            {"moved list", saved(original, version, oneMoreMember(table, false))},
            {"repacked bank", saved(original, version, oneMoreMember(table, true))}};
}

} // namespace

std::vector<PatchEdit> patchEdits(const Bytes& original, GameVersion version)
{
    std::vector<PatchEdit> edits = trainerEdits(original, version);
    std::mt19937 random(static_cast<unsigned>(version) + 29);
    const auto draw = [&random](std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    };
    const auto byte = [&draw] { return static_cast<std::uint8_t>(draw(0, 255)); };
    const std::size_t size = original.size();
    edits.push_back({"scattered bytes", original});
    for (int k = 0; k < 40; ++k) {
        edits.back().edited[draw(0, size - 1)] ^= static_cast<std::uint8_t>(draw(1, 255));
    }
    edits.push_back({"filled", original});
    std::fill_n(edits.back().edited.begin() + static_cast<std::ptrdiff_t>(draw(0, size - 6000)), 6000, 0x00);
    // A run of a byte no run of the original has: the patch repeats it from its own first byte.
    std::fill_n(edits.back().edited.begin() + static_cast<std::ptrdiff_t>(draw(0, size - 300)), 300, 0xA5);
    edits.push_back({"grown", original});
    edits.back().edited.insert(edits.back().edited.end(), original.begin(), original.begin() + 0x8000);
    std::generate_n(std::back_inserter(edits.back().edited), 0x8000, byte);
    edits.push_back({"cut", Bytes(original.begin(), original.end() - 0x4000), false});
    edits.push_back({"another version",
                     SyntheticRom(version == GameVersion::Yellow ? GameVersion::Red : GameVersion::Yellow).bytes()});
    return edits;
}
