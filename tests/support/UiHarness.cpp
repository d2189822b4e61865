#include "UiHarness.h"

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
        boxes.push_back({box->windowTitle(), box->text(), box->icon()});
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        if (box->standardButtons() != QMessageBox::Ok) {
            answer = m_answers.empty() ? QMessageBox::Cancel : m_answers.front();
            if (!m_answers.empty()) {
                m_answers.pop_front();
            }
        }
        box->button(answer)->click();
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        ++openDialogs;
        openDialogTitle = dialog->windowTitle();
        openDialogFilters = dialog->nameFilters();
        openDialogShownFilter = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        const std::string path = m_openAnswers.empty() ? std::string() : m_openAnswers.front();
        if (!m_openAnswers.empty()) {
            m_openAnswers.pop_front();
        }
        if (path.empty()) {
            dialog->reject();
            return;
        }
        // Type the name into the dialog's own box and press Open, as a user would.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QString::fromStdString(path));
        dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Open)->click();
    }
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

void clickTrainer(Form1& window, int row)
{
    auto* list = child<QListWidget>(&window, "trainerlst");
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void retype(QLineEdit* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(box, text);
}

EditorUnderTest::EditorUnderTest()
{
    window.show();
}

std::string EditorUnderTest::open(const SyntheticRom& rom, const std::string& name)
{
    const std::string path = dir.write(rom, name);
    watcher.answerOpenDialogWith(path);
    trigger("mnuOpen");
    return path;
}

void EditorUnderTest::trigger(const char* menuItem)
{
    child<QAction>(&window, menuItem)->trigger();
}

QString EditorUnderTest::notes()
{
    return find<QLabel>("notes")->text();
}
