#include "history/HistoryStore.h"

#include "history/HistoryFormat.h"

#include <algorithm>

namespace {

CrashSeam& crashSeam()
{
    static CrashSeam seam;
    return seam;
}

bool crashesAt(std::size_t runsWritten)
{
    return crashSeam() && crashSeam()(runsWritten);
}

// What a pending entry is once the file shows how far its write got.
void settleEntry(HistoryEntry& entry, const FileBytes& bytes, bool& dropped)
{
    const Pending pending = entry.pending;
    entry.pending = Pending::None;
    if (!bytes.notAfter) {
        entry.undone = false;
        entry.mixed = false;
    } else if (!bytes.notBefore) {
        dropped = pending == Pending::Save;
        entry.undone = true;
        entry.mixed = false;
    } else {
        entry.undone = false;
        entry.mixed = true;
    }
}

} // namespace

void setCrashSeam(CrashSeam seam)
{
    crashSeam() = std::move(seam);
}

RomWrite writeRuns(RomFile& file, const WritePlan& plan)
{
    RomWrite write;
    for (; write.runsWritten < plan.size(); ++write.runsWritten) {
        if (crashesAt(write.runsWritten)) {
            write.crashed = true;
            write.failure = Failure{FailureNumber::DeviceIo,
                                    "The write stopped at run " + std::to_string(write.runsWritten) + " (a crash)."};
            return write;
        }
        const ByteWrite& run = plan[write.runsWritten];
        if ((write.failure = file.write(run.offset, run.bytes))) {
            return write;
        }
    }
    if ((write.failure = file.sync())) {
        return write;
    }
    if (crashesAt(plan.size())) {
        write.crashed = true;
        write.failure = Failure{FailureNumber::DeviceIo, "The write stopped after the last run (a crash)."};
    }
    return write;
}

Result<FileBytes> compareFile(RomFile& file, const HistoryEntry& entry)
{
    FileBytes bytes;
    for (const ChangedRun& run : entry.runs) {
        const auto now = file.read(run.offset, static_cast<std::int64_t>(run.before.size()));
        if (!now) {
            return now.failure();
        }
        for (std::size_t k = 0; k < run.before.size(); ++k) {
            const auto offset = static_cast<std::int32_t>(run.offset + static_cast<std::int32_t>(k));
            const bool after = (*now)[k] == run.after[k];
            const bool before = (*now)[k] == run.before[k];
            bytes.notAfter = bytes.notAfter || after ? bytes.notAfter : offset;
            bytes.notBefore = bytes.notBefore || before ? bytes.notBefore : offset;
            bytes.neither = bytes.neither || after || before ? bytes.neither : offset;
        }
    }
    return bytes;
}

Result<RomIdentity> identityOfFile(RomFile& file)
{
    const auto size = file.size();
    if (!size) {
        return size.failure();
    }
    const std::int64_t titleLength = std::clamp<std::int64_t>(*size - TitleOffset, 0, TitleLength);
    auto title = file.read(TitleOffset, titleLength);
    if (!title) {
        return title.failure();
    }
    return RomIdentity{*size, std::move(*title)};
}

Result<HistoryStore> HistoryStore::open(const std::string& romPath)
{
    const auto canonical = canonicalRomPath(romPath);
    if (!canonical) {
        return canonical.failure();
    }
    auto lock = HistoryLock::take();
    if (!lock) {
        return lock.failure();
    }
    HistoryStore store(std::move(lock.value()), historyFileOf(*canonical));
    store.m_history = SaveHistory(*canonical, {});
    const auto text = readWholeFile(store.m_file);
    const auto stored =
        text && *text ? parseHistory(**text, store.m_file.string()) : Result<StoredHistory>(StoredHistory{});
    if (!text || !stored) {
        store.m_unreadable = !text ? text.failure() : stored.failure();
    } else if (*text && stored->history.romPath() == *canonical) {
        // Another path that hashes alike would be another ROM's history: that one starts empty.
        store.m_history = stored->history;
        store.m_appendable = !stored->cutShort;
        store.m_journalLines = stored->journalLines;
    }
    const auto& entries = store.m_history.entries();
    if (std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.pending != Pending::None; })) {
        auto file = RomFile::open(romPath, RomFile::Mode::Read);
        if (file && store.settle(file.value())) {
            // A settlement that cannot be written is found again next time.
            store.write(std::nullopt);
        }
    }
    return store;
}

bool HistoryStore::settle(RomFile& file)
{
    const auto identity = identityOfFile(file);
    if (!identity || *identity != m_history.identity()) {
        return false;
    }
    bool settled = false;
    auto& entries = m_history.entries();
    for (auto entry = entries.begin(); entry != entries.end();) {
        const auto bytes = entry->pending == Pending::None ? Result<FileBytes>(FileBytes{}) : compareFile(file, *entry);
        bool dropped = false;
        if (entry->pending != Pending::None && bytes) {
            settleEntry(*entry, *bytes, dropped);
            settled = true;
        }
        entry = dropped ? entries.erase(entry) : entry + 1;
    }
    return settled;
}

WriteStatus HistoryStore::write(const std::optional<std::string>& line, bool flush)
{
    if (line && m_appendable && m_journalLines < JournalLimit) {
        if (auto failure = appendToFile(m_file, *line, flush)) {
            // Whatever part of the line reached the file, the next change writes the history anew.
            m_appendable = false;
            return failure;
        }
        ++m_journalLines;
        return std::nullopt;
    }
    if (auto failure = replaceFile(m_file, historyText(m_history), m_lock)) {
        return failure;
    }
    m_appendable = true;
    m_journalLines = 0;
    return std::nullopt;
}
