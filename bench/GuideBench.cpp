// The guide of the whole game, written as `tavrik guide` writes it: every map's page and picture, every species'
// and trainer's picture, the index and the style sheet, into a temporary folder. Meant to stay within 2 s. Listed
// with the others at the top of TavrikBench.cpp.
//
//   WriteWholeGuide  writeGuide on the synthetic image of the argument's version (0 Red, 1 Blue, 2 Yellow).

#include "app/GuideCommand.h"
#include "demo/SyntheticRom.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sstream>

namespace {

void WriteWholeGuide(benchmark::State& state)
{
    const auto version = static_cast<GameVersion>(state.range(0));
    const SyntheticRom rom(version);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavrik-guide-bench";
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        GuideWritten written;
        std::ostringstream err;
        if (!writeGuide(rom.bytes(), profileOf(version), folder.string(), written, err) || written.pages == 0) {
            state.SkipWithError("the guide was not written");
            break;
        }
        state.SetLabel(std::to_string(written.pages) + " pages, " + std::to_string(written.pictures) + " pictures");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(WriteWholeGuide)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
