// The reader of a ROM's history on arbitrary text, as a damaged or hand-edited file would hold: it reads a history
// or refuses the file, never more, and a history it reads is written out again as text that reads back the same.

#include "FuzzCheck.h"
#include "history/HistoryFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto stored = parseHistory(text, "fuzz");
    if (!stored) {
        FUZZ_CHECK(stored.failure().number == FailureNumber::HistoryUnreadable);
        return 0;
    }
    for (const HistoryEntry& entry : stored->history.entries()) {
        FUZZ_CHECK(!entry.runs.empty());
        for (const ChangedRun& run : entry.runs) {
            FUZZ_CHECK(run.offset >= 0 && !run.before.empty() && run.before.size() == run.after.size());
        }
    }
    const auto again = parseHistory(historyText(stored->history), "fuzz");
    FUZZ_CHECK(again && again->history.entries() == stored->history.entries() && !again->cutShort);
    FUZZ_CHECK(again->history.romPath() == stored->history.romPath());
    return 0;
}
