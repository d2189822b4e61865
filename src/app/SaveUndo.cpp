// Edit > Undo and Redo beyond a window's unsaved edits: the open ROM's saves, from its history. An undo of a save
// changes the file as a save does, so every window then shows the file as it is now, as after a save.

#include "app/Form1.h"
#include "history/UndoRedo.h"
#include "rom/FailureBox.h"

void Form1::refreshHistory()
{
    m_history = {};
    if (m_session.loaded()) {
        // A history that cannot be read offers no step; undo itself says why.
        if (const auto history = readHistory(m_session.path)) {
            m_history = *history;
        }
    }
    emit historyChanged();
}

QString Form1::nextSave(bool back) const
{
    const HistoryEntry* entry = back ? m_history.nextUndo() : m_history.nextRedo();
    return entry != nullptr ? QString::fromStdString(entry->label) : QString();
}

void Form1::stepSaves(bool back, QWidget* window)
{
    if (!m_session.loaded() || nextSave(back).isEmpty()) {
        return;
    }
    const auto step = back ? undoSave(m_session.path) : redoSave(m_session.path);
    if (!step) {
        showFailure(window, step.failure());
        refreshHistory();
        return;
    }
    followSave(nullptr);
    showStatus(QString::fromStdString(step->sentence()), window);
}
