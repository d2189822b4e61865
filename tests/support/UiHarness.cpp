#include "UiHarness.h"

#include "app/Form1.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <sstream>

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
        if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            m_openDialogShownFilter = types->currentText();
        }
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

QAction* menuAction(QWidget* window, const char* name)
{
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

void clickTrainer(Form1& window, int row)
{
    auto* list = child<QListWidget>(&window, "trainerlst");
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void clickTab(Form1& window, int index)
{
    QTabBar* bar = child<QTabWidget>(&window, "SSTab1")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

void controlKey(QWidget* widget, char letter)
{
    const auto key = static_cast<Qt::Key>(Qt::Key_A + (letter - 'a'));
    const QString text(QChar(static_cast<char16_t>(letter - 'a' + 1)));
    QTest::sendKeyEvent(QTest::Click, widget, key, text, Qt::ControlModifier);
}

void retype(QLineEdit* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(box, text);
}

::testing::AssertionResult
changedExactly(const Bytes& before, const Bytes& after, const std::map<std::int64_t, std::uint8_t>& writes)
{
    std::ostringstream problem;
    problem << std::hex;
    if (before.size() != after.size()) {
        problem << "the file's length changed from 0x" << before.size() << " to 0x" << after.size();
        return ::testing::AssertionFailure() << problem.str();
    }
    std::vector<std::int64_t> expected;
    for (const auto& [offset, value] : writes) {
        const auto index = static_cast<std::size_t>(offset);
        if (after.at(index) != value) {
            problem << "byte 0x" << offset << " holds 0x" << int{after[index]} << ", not 0x" << int{value};
            return ::testing::AssertionFailure() << problem.str();
        }
        if (before.at(index) != value) {
            expected.push_back(offset);
        }
    }
    const std::vector<std::int64_t> changed = differingOffsets(before, after);
    if (changed != expected) {
        problem << "changed bytes:";
        for (const std::int64_t offset : changed) {
            problem << " 0x" << offset;
        }
        problem << "; expected:";
        for (const std::int64_t offset : expected) {
            problem << " 0x" << offset;
        }
        return ::testing::AssertionFailure() << problem.str();
    }
    return ::testing::AssertionSuccess();
}

EditorUnderTest::EditorUnderTest()
{
    window.show();
}

std::string EditorUnderTest::open(const SyntheticRom& rom, const std::string& name)
{
    const std::string path = dir.write(rom, name);
    openRom(window, path, watcher);
    return path;
}

void EditorUnderTest::save()
{
    menuAction(&window, "mnuSave")->trigger();
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(GameVersion version, std::ostream* out)
{
    *out << profileOf(version).code;
}
