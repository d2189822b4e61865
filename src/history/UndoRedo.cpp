#include "history/UndoRedo.h"

#include "history/HistoryFormat.h"
#include "history/HistoryStore.h"
#include "rom/DisplayText.h"

namespace {

// Why the step may not write entry's bytes into file; none when it may.
WriteStatus refusalFor(RomFile& file, const SaveHistory& history, const HistoryEntry& entry, bool undo)
{
    const std::string verb = undo ? "undo" : "redo";
    const auto identity = identityOfFile(file);
    if (!identity) {
        return identity.failure();
    }
    if (*identity != history.identity()) {
        return refusal(FailureNumber::RomChanged,
                       "The file " + file.path() + " is another ROM now: its size, or the title and version code " +
                           "in its header, are not those of the ROM the saves were made to. Tavrik does not " + verb +
                           " them.");
    }
    const auto bytes = compareFile(file, entry);
    if (!bytes) {
        return bytes.failure();
    }
    // A save cut short left some bytes written and some not: its undo accepts either.
    const auto changed = undo ? (entry.mixed ? bytes->neither : bytes->notAfter) : bytes->notBefore;
    if (changed) {
        return refusal(FailureNumber::RomChanged,
                       "The file " + file.path() + " changed at " + hexNumber(*changed) + " since " +
                           (undo ? entry.label : entry.label + " was undone") +
                           ": another program wrote there. Tavrik does not " + verb + " it.");
    }
    return std::nullopt;
}

Result<HistoryStep> step(const std::string& romPath, bool undo)
{
    auto store = HistoryStore::open(romPath);
    if (!store) {
        return store.failure();
    }
    if (store->unreadable()) {
        return *store->unreadable();
    }
    SaveHistory& history = store.value().history();
    HistoryEntry* entry = undo ? history.nextUndo() : history.nextRedo();
    if (entry == nullptr) {
        return refusal(undo ? FailureNumber::NothingToUndo : FailureNumber::NothingToRedo,
                       std::string(undo ? "No save of " : "No undone save of ") + romPath + " is left to " +
                           (undo ? "undo." : "redo."));
    }
    auto file = RomFile::open(romPath, RomFile::Mode::ReadWrite);
    if (!file) {
        return file.failure();
    }
    if (auto refused = refusalFor(file.value(), history, *entry, undo)) {
        return *refused;
    }
    const std::size_t index = static_cast<std::size_t>(entry - history.entries().data());
    entry->pending = undo ? Pending::Undo : Pending::Redo;
    if (auto failure = store.value().write(markLine(index, *entry))) {
        return refusal(failure->number, failure->description);
    }
    WritePlan plan;
    for (const ChangedRun& run : entry->runs) {
        plan.push_back({run.offset, undo ? run.before : run.after});
    }
    const RomWrite written = writeRuns(file.value(), plan);
    if (written.crashed) {
        return *written.failure;
    }
    const HistoryStep done{entry->label, entry->bytes(), undo};
    if (written.failure) {
        store.value().settle(file.value());
        store.value().write(std::nullopt);
        return *written.failure;
    }
    entry->undone = undo;
    entry->pending = Pending::None;
    entry->mixed = false;
    // The ROM holds the step now; a crash that keeps the mark from the disk leaves it to be settled the same way.
    store.value().write(markLine(index, *entry), false);
    return done;
}

} // namespace

std::string HistoryStep::sentence() const
{
    return std::string(undone ? "Undid " : "Redid ") + label + ": " + groupedNumber(bytes) +
           (bytes == 1 ? " byte " : " bytes ") + (undone ? "restored." : "written.");
}

Result<SaveHistory> readHistory(const std::string& romPath)
{
    auto store = HistoryStore::open(romPath);
    if (!store) {
        return store.failure();
    }
    if (store->unreadable()) {
        return *store->unreadable();
    }
    return store.value().history();
}

Result<HistoryStep> undoSave(const std::string& romPath)
{
    return step(romPath, true);
}

Result<HistoryStep> redoSave(const std::string& romPath)
{
    return step(romPath, false);
}
