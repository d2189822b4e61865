#pragma once

// Driving the real windows in tests: answering modal boxes and the open dialog as a user would.

#include <QMessageBox>
#include <QString>
#include <functional>
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

private:
    void poll();

    std::vector<SeenBox> m_boxes;
    std::vector<std::string> m_openAnswers;
    int m_openDialogs = 0;
    QString m_openDialogTitle;
    QStringList m_openDialogFilters;
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
