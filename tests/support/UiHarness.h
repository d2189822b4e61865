#pragma once

// Driving the real windows in tests: answering modal boxes and the open dialog as a user would.

#include "TempRom.h"
#include "app/Form1.h"

#include <QtTest>
#include <QtWidgets>
#include <deque>

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Every modal box or dialog that comes up while it lives is handled: message boxes are recorded and
// answered with OK, or, when they ask a question, with the next queued answer (Cancel when none is).
class ModalWatcher
{
public:
    ModalWatcher();
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    void answer(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    // The next open dialog chooses path, or cancels when path is empty.
    void answerOpenDialogWith(const std::string& path) { m_openAnswers.push_back(path); }

    std::vector<SeenBox> boxes;
    int openDialogs = 0;
    QString openDialogTitle;
    QString openDialogShownFilter;
    QStringList openDialogFilters;

private:
    void poll();

    std::deque<QMessageBox::StandardButton> m_answers;
    std::deque<std::string> m_openAnswers;
    QTimer* m_timer;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

void PrintTo(const QString& text, std::ostream* out);

// Picks roster entry row with a mouse click, as a user would.
void clickTrainer(Form1& window, int row);
// Replaces a box's text by typing: End, Shift+Home, then text key by key.
void retype(QLineEdit* box, const QString& text);

// The main window, shown, with a temporary folder for the images a test opens in it.
class EditorUnderTest
{
public:
    EditorUnderTest();

    // Writes rom into the folder as name and opens it through File > Open ROM; returns its path.
    std::string open(const SyntheticRom& rom, const std::string& name = "test.gb");
    void trigger(const char* menuItem);
    template <typename T> T* find(const char* name) { return child<T>(&window, name); }
    QString notes();

    TempDir dir;
    ModalWatcher watcher;
    Form1 window;
};
