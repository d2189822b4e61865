// Patch timings on a 1 MiB synthetic Red image, in memory, for the two saves a hack is most often shared after
// (argument 0: one party's member changed in place; 1: every party one member stronger, the trainer bank laid out
// anew). Each is meant to stay within 20 ms. Listed with the others at the top of TavrikBench.cpp.
//
//   MakeBpsPatch   makePatch: the original's index built, the edited ROM matched against it, the CRC32s.
//   ApplyBpsPatch  applyPatch: the patch's, the original's and the result's CRC32s and every action.

#include "demo/SyntheticRom.h"
#include "patches/Patch.h"
#include "trainers/PartyWrite.h"
#include "trainers/TrainerLayout.h"

#include <benchmark/benchmark.h>

namespace {

// The image as built, and the image after the save the argument names.
std::pair<Bytes, Bytes> savedImages(const benchmark::State& state)
{
    const Bytes original = SyntheticRom(GameVersion::Red).bytes();
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const PartyTable table = readPartyTable(original, profile);
    BankChange change;
    for (const PartyList& list : table.lists) {
        for (std::size_t k = 0; k < list.parties.size(); ++k) {
            std::vector<PartyMember> members = list.parties[k].members;
            const bool first = list.classes.front() == trainerClass(0).number && k == 0;
            if (state.range(0) == 0 && first) {
                members.back().species = members.back().species == 25 ? 26 : 25;
                change.parties.push_back({list.classes.front(), 1, members});
            } else if (state.range(0) == 1 && members.size() < MaxPartySize) {
                members.push_back({members.back().level, 7});
                change.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, members});
            }
        }
    }
    Bytes edited = original;
    if (const auto write = planBankChange(original, profile, change)) {
        applyWritePlan(edited, write->plan);
    }
    return {original, edited};
}

void MakeBpsPatch(benchmark::State& state)
{
    const auto [original, edited] = savedImages(state);
    std::size_t size = 0;
    for (auto _ : state) {
        const auto patch = makePatch(PatchFormat::Bps, original, edited);
        size = patch->size();
        benchmark::DoNotOptimize(size);
    }
    state.SetLabel(std::to_string(size) + " bytes");
}
BENCHMARK(MakeBpsPatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void ApplyBpsPatch(benchmark::State& state)
{
    const auto [original, edited] = savedImages(state);
    const Bytes patch = *makePatch(PatchFormat::Bps, original, edited);
    for (auto _ : state) {
        const auto patched = applyPatch(original, patch, "bench.bps");
        if (!patched || patched->bytes != edited) {
            state.SkipWithError("the patch did not give the edited image");
            break;
        }
    }
}
BENCHMARK(ApplyBpsPatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
