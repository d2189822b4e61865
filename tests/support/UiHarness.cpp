#include "UiHarness.h"

#include "app/Form1.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

ModalWatcher::ModalWatcher() : m_timer(new QTimer)
{
    m_timer->setInterval(0);
    QObject::connect(m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer->start();
}

ModalWatcher::~ModalWatcher()
{
    delete m_timer;
}

void ModalWatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_boxes.push_back({box->windowTitle(), box->text(), box->icon()});
        box->accept();
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        ++m_openDialogs;
        m_openDialogTitle = dialog->windowTitle();
        m_openDialogFilters = dialog->nameFilters();
        const std::string path = m_openAnswers.empty() ? std::string() : m_openAnswers.front();
        if (!m_openAnswers.empty()) {
            m_openAnswers.erase(m_openAnswers.begin());
        }
        if (path.empty()) {
            dialog->reject();
            return;
        }
        // Type the name into the dialog's own box and accept, as a user would.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name != nullptr) {
            name->setText(QString::fromStdString(path));
        } else {
            dialog->selectFile(QString::fromStdString(path));
        }
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (buttons != nullptr && buttons->button(QDialogButtonBox::Open) != nullptr) {
            buttons->button(QDialogButtonBox::Open)->click();
        } else {
            QMetaObject::invokeMethod(dialog, "accept");
        }
    }
}

void openRom(Form1& window, const std::string& path, ModalWatcher& watcher)
{
    watcher.answerOpenDialogWith(path);
    window.findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
}
