#pragma once

// Driving the real windows in tests: answering modal boxes and the open dialog as a user would.

#include "TempRom.h"
#include "app/Form1.h"

#include <QMessageBox>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

class Form1;
class QWidget;

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Every modal box or dialog that comes up while it lives is handed to a handler; message boxes are
// recorded and answered with OK.
class ModalWatcher
{
public:
    ModalWatcher();
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    // What to do with the next open dialog: choose path, or cancel when path is empty.
    void answerOpenDialogWith(const std::string& path) { m_openAnswers.push_back(path); }

    const std::vector<SeenBox>& boxes() const { return m_boxes; }
    int openDialogs() const { return m_openDialogs; }
    QString openDialogTitle() const { return m_openDialogTitle; }
    QStringList openDialogFilters() const { return m_openDialogFilters; }
    // The filter description the dialog shows in its file-type box.
    QString openDialogShownFilter() const { return m_openDialogShownFilter; }

private:
    void poll();

    std::vector<SeenBox> m_boxes;
    std::vector<std::string> m_openAnswers;
    int m_openDialogs = 0;
    QString m_openDialogTitle;
    QStringList m_openDialogFilters;
    QString m_openDialogShownFilter;
    class QTimer* m_timer;
};

// File > Open ROM through the real dialog, choosing path.
void openRom(Form1& window, const std::string& path, ModalWatcher& watcher);

template <typename T> T* child(QWidget* window, const char* name);

#include <QWidget>

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

class QAction;
class QLineEdit;

// Lets test failures show a QString as text.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(GameVersion version, std::ostream* out);

// A menu item of a window by its objectName.
QAction* menuAction(QWidget* window, const char* name);

// Picks roster entry row with a mouse click on it, as a user would.
void clickTrainer(Form1& window, int row);

// Clicks the tab of SSTab1 with the given index.
void clickTab(Form1& window, int index);

// Ctrl+letter as a keyboard delivers it: the key with the control character as its text.
void controlKey(QWidget* widget, char letter);

// Replaces a box's text by typing: End, Shift+Home, then text key by key.
void retype(QLineEdit* box, const QString& text);

// Exactly the offsets of writes whose value differs from before changed, and every offset of writes
// holds its value afterwards.
::testing::AssertionResult
changedExactly(const Bytes& before, const Bytes& after, const std::map<std::int64_t, std::uint8_t>& writes);

// The main window, shown, with a temporary folder for the images a test opens in it.
class EditorUnderTest
{
public:
    EditorUnderTest();

    // Writes rom into the folder as name and opens it through File > Open ROM; returns its path.
    std::string open(const SyntheticRom& rom, const std::string& name = "test.gb");
    // File > Save ROM, through the menu item.
    void save();

    template <typename T> T* find(const char* name) { return child<T>(&window, name); }

    TempDir dir;
    ModalWatcher watcher;
    Form1 window;
};
