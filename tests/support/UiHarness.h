#pragma once

// Driving the real windows in tests: answering modal boxes and the open dialog as a user would.

#include "TempRom.h"
#include "app/Form1.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerForm.h"

#include <QtTest>
#include <QtWidgets>
#include <deque>

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
    // The line under the text.
    QString detail;
};

// Every modal box or dialog that comes up while it lives is handled: message boxes are recorded and
// answered with OK, or, when they ask a question, with the next queued answer (Cancel when none is).
// The open dialog is recorded (title, shown filter, filters) and answered with the next queued path
// typed into its name box, or cancelled when the path is empty or none is queued.
class ModalWatcher
{
public:
    ModalWatcher();

    std::deque<QMessageBox::StandardButton> answers;
    std::deque<std::string> openAnswers;
    std::vector<SeenBox> boxes;
    QStringList openDialog;

private:
    void poll();

    QTimer m_timer;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Picks roster entry row with a mouse click, as a user would.
void clickTrainer(Form1& window, int row);
// Presses keys in a window made active first, so that its shortcuts take them as a user's keys.
void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Replaces a box's text by typing: End, Shift+Home, then text key by key.
void retype(QLineEdit* box, const QString& text);

// Every window test starts from no kept choices: no recent ROMs, no emulator, no window sizes.
struct FreshSettings
{
    FreshSettings() { QSettings().clear(); }
};

// The main window, shown, with a temporary folder for the images a test opens in it.
struct EditorUnderTest
{
    EditorUnderTest() { window.show(); }
    // Writes rom into the folder as name and opens it through File > Open ROM; returns its path.
    std::string open(const SyntheticRom& rom, const std::string& name = "test.gb");
    void trigger(const char* menuItem) { child<QAction>(&window, menuItem)->trigger(); }
    template <typename T> T* find(const char* name) { return child<T>(&window, name); }
    QString notes() { return find<QLabel>("notes")->text(); }

    FreshSettings settings;
    TempDir dir;
    ModalWatcher watcher;
    Form1 window;
};
