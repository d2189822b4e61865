// Saves through the real planners (parties, wild tables, overworld battles), undone and redone at random: after
// every step the whole file is the image a model of the history expects, and each undo and redo names the save and
// the bytes it restored or wrote.

#include "TempRom.h"
#include "history/UndoRedo.h"
#include "maps/MapSave.h"
#include "trainers/PartyWrite.h"

#include <numeric>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// The images the history leads through: states[0] before the first save kept, at the one the file holds now.
struct Model
{
    std::vector<Bytes> states;
    std::vector<std::string> labels;
    std::size_t at = 0;
};

int pick(std::mt19937& random, int from, int to)
{
    return std::uniform_int_distribution<int>(from, to)(random);
}

template <typename T> const T& anyOf(const std::vector<T>& values, std::mt19937& random)
{
    return values[static_cast<std::size_t>(pick(random, 0, static_cast<int>(values.size()) - 1))];
}

std::uint8_t anyByte(std::mt19937& random, int from, int to)
{
    return static_cast<std::uint8_t>(pick(random, from, to));
}

// One party of an editable list with one level changed, and now and then a member more or less.
Result<std::string> saveParty(const RomTarget& rom, const Bytes& image, std::mt19937& random)
{
    const PartyTable table = readPartyTable(image, *rom.profile);
    std::vector<PartyList> lists;
    std::copy_if(table.lists.begin(), table.lists.end(), std::back_inserter(lists), [](const PartyList& list) {
        return list.editable() && !list.parties.empty();
    });
    const PartyList& list = anyOf(lists, random);
    const int party = pick(random, 1, static_cast<int>(list.parties.size()));
    std::vector<PartyMember> members = list.parties[static_cast<std::size_t>(party - 1)].members;
    const int grow = pick(random, 0, 3);
    if (grow == 0 && members.size() < 6) {
        members.push_back(members.back());
    } else if (grow == 1 && members.size() > 1) {
        members.pop_back();
    }
    members[static_cast<std::size_t>(pick(random, 0, static_cast<int>(members.size()) - 1))].level =
        anyByte(random, 1, 100);
    const int owner = list.classes.front();
    const std::string label = "the save of class " + std::to_string(owner) + " party " + std::to_string(party);
    const auto saved = writeBankChange(rom, {list, table.entry(owner).money}, {{{owner, party, members}}, {}}, label);
    return saved ? Result<std::string>(label) : saved.failure();
}

// A wild table's grass levels changed, and now and then its water turned on (moving the table) or off; or an
// overworld battle.
Result<std::string> saveWildOrBattle(const RomTarget& rom, const Bytes& image, std::mt19937& random, bool wild)
{
    if (!wild) {
        const int battle = pick(random, 0, OverworldBattleCount - 1);
        BattleEdits edits;
        edits[static_cast<std::size_t>(battle)] = BattleValues{anyByte(random, 1, 190), anyByte(random, 1, 100)};
        const auto saved = writeBattles(rom, edits, "the save of " + overworldBattleName(battle));
        return saved ? Result<std::string>("the save of " + overworldBattleName(battle)) : saved.failure();
    }
    const MapTable table = readMaps(image, *rom.profile);
    std::vector<WildTable> tables;
    std::copy_if(table.wild.begin(), table.wild.end(), std::back_inserter(tables), [](const WildTable& w) {
        return w.grass.on();
    });
    const WildTable& chosen = anyOf(tables, random);
    WildEdit edit{chosen.maps.front(),
                  chosen.grass,
                  pick(random, 0, 4) > 0 ? std::nullopt
                  : chosen.water.on()    ? std::optional(WildArea{})
                                         : std::optional(chosen.grass)};
    for (WildSlot& slot : edit.grass->slot) {
        slot.level = anyByte(random, 1, 100);
    }
    const std::string label = "the save of map " + std::to_string(edit.map);
    const auto saved = writeMapEdits(rom, table, {{}, {edit}, {}}, label);
    return saved ? Result<std::string>(label) : saved.failure();
}

class RandomHistory : public ::testing::TestWithParam<GameVersion>
{
};

TEST_P(RandomHistory, EveryStepLeavesTheFileAsTheModelSays)
{
    TempDir dir;
    const VersionProfile& profile = profileOf(GetParam());
    const std::string path = dir.write(SyntheticRom(GetParam()));
    const RomTarget rom{path, &profile, requiredRomSize(profile)};
    Model model{{fileBytes(path)}, {}, 0};
    std::mt19937 random(20240 + static_cast<unsigned>(GetParam()));
    for (int step = 0; step < 70; ++step) {
        const int action = pick(random, 0, 5);
        SCOPED_TRACE("step " + std::to_string(step) + ", action " + std::to_string(action));
        if (action >= 3) {
            const bool undo = action < 5;
            const auto done = undo ? undoSave(path) : redoSave(path);
            const bool possible = undo ? model.at > 0 : model.at + 1 < model.states.size();
            ASSERT_EQ(done.ok(), possible) << (done ? done->sentence() : done.failure().description);
            if (possible) {
                const std::size_t save = undo ? model.at - 1 : model.at;
                model.at = undo ? model.at - 1 : model.at + 1;
                const Bytes& was = model.states[save];
                const std::int64_t bytes = std::inner_product(was.begin(),
                                                              was.end(),
                                                              model.states[save + 1].begin(),
                                                              std::int64_t{0},
                                                              std::plus<>(),
                                                              std::not_equal_to<>());
                EXPECT_EQ(done->sentence(),
                          (undo ? "Undid " : "Redid ") + model.labels[save] + ": " + std::to_string(bytes) +
                              (bytes == 1 ? " byte " : " bytes ") + (undo ? "restored." : "written."));
            } else {
                EXPECT_EQ(done.failure().number, undo ? FailureNumber::NothingToUndo : FailureNumber::NothingToRedo);
            }
        } else {
            const Bytes image = fileBytes(path);
            const auto saved =
                action == 0 ? saveParty(rom, image, random) : saveWildOrBattle(rom, image, random, action == 1);
            const Bytes now = fileBytes(path);
            // A save that changes nothing is not recorded; one refused writes nothing.
            if (saved && now != model.states[model.at]) {
                model.states.resize(model.at + 1);
                model.labels.resize(model.at);
                model.states.push_back(now);
                model.labels.push_back(*saved);
                ++model.at;
            }
        }
        ASSERT_EQ(fileBytes(path), model.states[model.at]);
        const auto history = readHistory(path);
        ASSERT_TRUE(history.ok());
        ASSERT_EQ(history->entries().size(), model.states.size() - 1);
        for (std::size_t k = 0; k < model.labels.size(); ++k) {
            EXPECT_EQ(history->entries()[k].label, model.labels[k]);
            EXPECT_EQ(history->entries()[k].undone, k >= model.at);
        }
    }
    // Every save undone gives back the image as built, byte for byte; every one redone, the last.
    while (model.at > 0 && undoSave(path)) {
        --model.at;
    }
    EXPECT_EQ(fileBytes(path), model.states.front());
    while (redoSave(path)) {
    }
    EXPECT_EQ(fileBytes(path), model.states.back());
}

INSTANTIATE_TEST_SUITE_P(AllVersions, RandomHistory, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});

} // namespace
