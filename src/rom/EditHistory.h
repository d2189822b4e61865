#pragma once

// The unsaved edits of a window as steps Edit > Undo and Redo walk, on Qt's undo stack (a child of the window's
// widget that shows the edits). The window says how to take
// what its controls show as a value (State, comparable) and how to show a value again; after each change of a
// control it calls changed(), and a step is recorded when the value differs from the last one. Typing in one box is
// one step, however many keys it takes. A load or a save starts the steps afresh.

#include <QLineEdit>
#include <QUndoStack>
#include <functional>

template <typename State> class EditHistory
{
public:
    EditHistory(QUndoStack* stack, std::function<State()> capture, std::function<void(const State&)> show)
        : m_stack(stack), m_capture(std::move(capture)), m_show(std::move(show))
    {}

    // The controls as loaded: no step before this.
    void reset()
    {
        m_last = m_capture();
        m_box = nullptr;
        m_stack->clear();
    }

    // After a control changed: a step from the value before, merged into the last step when both are typing in the
    // box that has the focus.
    void changed()
    {
        if (m_showing) {
            return;
        }
        State now = m_capture();
        if (now == m_last) {
            return;
        }
        // Typing: the text of the box the window's keys go to (active or not; the stack belongs to the window)
        // changed since the last step.
        const auto* window = qobject_cast<const QWidget*>(m_stack->parent());
        const auto* box = qobject_cast<const QLineEdit*>(window != nullptr ? window->focusWidget() : nullptr);
        const bool typed = box != nullptr && !(box == m_box && box->text() == m_boxText);
        m_box = box;
        m_boxText = box != nullptr ? box->text() : QString();
        m_stack->push(new Step(*this, m_last, now, typed ? box : nullptr));
        m_last = std::move(now);
    }

private:
    class Step : public QUndoCommand
    {
    public:
        Step(EditHistory& history, State before, State after, const QLineEdit* typedInto)
            : m_history(history), m_before(std::move(before)), m_after(std::move(after)), m_typedInto(typedInto)
        {
            setText(typedInto != nullptr ? QStringLiteral("Typing") : QStringLiteral("Edit"));
        }
        int id() const override { return m_typedInto != nullptr ? 1 : -1; }
        bool mergeWith(const QUndoCommand* other) override
        {
            const auto* next = static_cast<const Step*>(other);
            if (next->m_typedInto != m_typedInto) {
                return false;
            }
            m_after = next->m_after;
            return true;
        }
        // Pushed after the controls changed: only a redo after an undo shows anything.
        void redo() override
        {
            if (m_done) {
                m_history.show(m_after);
            }
            m_done = true;
        }
        void undo() override { m_history.show(m_before); }

    private:
        EditHistory& m_history;
        State m_before;
        State m_after;
        const QLineEdit* m_typedInto;
        bool m_done = false;
    };

    void show(const State& state)
    {
        m_showing = true;
        m_show(state);
        m_last = state;
        m_showing = false;
    }

    QUndoStack* m_stack;
    std::function<State()> m_capture;
    std::function<void(const State&)> m_show;
    State m_last{};
    bool m_showing = false;
    // The box that had the focus at the last step, and its text then.
    const QLineEdit* m_box = nullptr;
    QString m_boxText;
};
