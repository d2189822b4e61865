#include "history/SaveHistory.h"

#include <algorithm>
#include <utility>

RomIdentity identityOf(const Bytes& image)
{
    const auto begin = std::min<std::size_t>(image.size(), TitleOffset);
    const auto end = std::min<std::size_t>(image.size(), TitleOffset + TitleLength);
    return {
        static_cast<std::int64_t>(image.size()),
        Bytes(image.begin() + static_cast<std::ptrdiff_t>(begin), image.begin() + static_cast<std::ptrdiff_t>(end))};
}

std::int64_t HistoryEntry::bytes() const
{
    std::int64_t count = 0;
    for (const ChangedRun& run : runs) {
        count += static_cast<std::int64_t>(run.before.size());
    }
    return count;
}

SaveHistory::SaveHistory(std::string romPath, RomIdentity identity)
    : m_romPath(std::move(romPath)), m_identity(std::move(identity))
{}

const HistoryEntry* SaveHistory::nextUndo() const
{
    const auto done = std::find_if(m_entries.rbegin(), m_entries.rend(), [](const auto& e) { return !e.undone; });
    return done == m_entries.rend() ? nullptr : &*done;
}

const HistoryEntry* SaveHistory::nextRedo() const
{
    const auto undone = std::find_if(m_entries.begin(), m_entries.end(), [](const auto& e) { return e.undone; });
    return undone == m_entries.end() ? nullptr : &*undone;
}

HistoryEntry* SaveHistory::nextUndo()
{
    return const_cast<HistoryEntry*>(std::as_const(*this).nextUndo());
}

HistoryEntry* SaveHistory::nextRedo()
{
    return const_cast<HistoryEntry*>(std::as_const(*this).nextRedo());
}

bool SaveHistory::holdsKind(std::string_view kind) const
{
    return !kind.empty() && std::any_of(m_entries.begin(), m_entries.end(), [kind](const auto& e) {
        return !e.undone && e.kind == kind;
    });
}

void SaveHistory::record(HistoryEntry entry)
{
    std::erase_if(m_entries, [](const HistoryEntry& e) { return e.undone; });
    m_entries.push_back(std::move(entry));
    if (m_entries.size() > HistoryLimit) {
        m_entries.erase(m_entries.begin(), m_entries.end() - static_cast<std::ptrdiff_t>(HistoryLimit));
    }
}

void SaveHistory::restart(RomIdentity identity)
{
    m_identity = std::move(identity);
    m_entries.clear();
}
