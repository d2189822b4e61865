#include "history/CommitSave.h"

#include "history/HistoryFormat.h"
#include "history/HistoryStore.h"
#include "patches/Checksum.h"
#include "rom/DisplayText.h"

#include <algorithm>
#include <chrono>

namespace {

// The bytes that differ between before and after within the places writes cover, as runs of consecutive bytes.
std::vector<ChangedRun> changedRuns(const Bytes& before, const Bytes& after, const WritePlan& writes)
{
    std::vector<std::pair<std::int32_t, std::int32_t>> places;
    for (const ByteWrite& write : writes) {
        places.emplace_back(write.offset, write.offset + static_cast<std::int32_t>(write.bytes.size()));
    }
    std::sort(places.begin(), places.end());
    std::vector<ChangedRun> runs;
    std::int32_t scanned = 0;
    for (auto [from, to] : places) {
        for (std::int32_t at = std::max(from, scanned); at < to; ++at) {
            const auto k = static_cast<std::size_t>(at);
            if (before[k] == after[k]) {
                continue;
            }
            if (runs.empty() || runs.back().offset + static_cast<std::int32_t>(runs.back().before.size()) != at) {
                runs.push_back({at, {}, {}});
            }
            runs.back().before.push_back(before[k]);
            runs.back().after.push_back(after[k]);
        }
        scanned = std::max(scanned, to);
    }
    return runs;
}

std::int64_t secondsNow()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

Result<Commit> commitSave(const std::string& path,
                          const Bytes& image,
                          const WritePlan& plan,
                          const std::string& label,
                          const CommitOptions& options,
                          std::size_t* runsWritten)
{
    for (const ByteWrite& write : plan) {
        if (write.offset < 0 || static_cast<std::size_t>(write.offset) + write.bytes.size() > image.size()) {
            return refusal(FailureNumber::BadRecordNumber,
                           "Bad record number: writing " + std::to_string(write.bytes.size()) + " bytes at " +
                               hexNumber(write.offset) + " would go past the end of " + path + ".");
        }
    }
    WritePlan writes = plan;
    Bytes after = image;
    applyWritePlan(after, plan);
    Commit commit;
    if (const auto fix = options.keepGlobalChecksum ? globalChecksumFix(after) : std::nullopt) {
        writes.push_back(*fix);
        applyWritePlan(after, {*fix});
        commit.checksumWritten = true;
    }
    std::vector<ChangedRun> runs = changedRuns(image, after, writes);
    auto file = RomFile::open(path, RomFile::Mode::ReadWrite);
    if (!file) {
        return file.failure();
    }
    std::optional<HistoryStore> store;
    if (!runs.empty()) {
        auto opened = HistoryStore::open(path);
        if (!opened) {
            return refusal(opened.failure().number, opened.failure().description);
        }
        store.emplace(std::move(opened.value()));
        SaveHistory& history = store->history();
        const bool restart = store->unreadable() || history.identity() != identityOf(image);
        if (restart) {
            history.restart(identityOf(image));
        }
        history.record({secondsNow(), label, options.kind, std::move(runs), false, Pending::Save, false});
        const auto line = restart ? std::nullopt : std::optional(saveLine(history.entries().back()));
        if (auto failure = store->write(line)) {
            return refusal(failure->number, failure->description);
        }
    }
    const RomWrite written = writeRuns(file.value(), writes);
    if (runsWritten != nullptr) {
        *runsWritten = std::min(written.runsWritten, plan.size());
    }
    if (store && !written.crashed) {
        auto& entries = store->history().entries();
        commit.bytesChanged = entries.back().bytes();
        if (written.failure) {
            // Settled as far as the file shows: nothing written drops the entry, a part keeps it for the undo.
            store->settle(file.value());
            store->write(std::nullopt);
        } else {
            entries.back().pending = Pending::None;
            // The ROM holds the save now; a crash that keeps the mark from the disk leaves it to be settled the same
            // way.
            store->write(markLine(entries.size() - 1, entries.back()), false);
        }
    }
    if (written.failure) {
        return *written.failure;
    }
    return commit;
}

std::string saveLabel(std::string_view what)
{
    return what.empty() ? std::string("a save") : "the save of " + std::string(what);
}
