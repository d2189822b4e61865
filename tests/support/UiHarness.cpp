#include "UiHarness.h"

ModalWatcher::ModalWatcher()
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

void ModalWatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && box->isVisible()) {
        boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->informativeText()});
        const bool question = box->standardButtons() != QMessageBox::Ok;
        const auto answer = !question ? QMessageBox::Ok : answers.empty() ? QMessageBox::Cancel : answers.front();
        answers.erase(answers.begin(), answers.begin() + (question && !answers.empty() ? 1 : 0));
        QAbstractButton* button = box->button(answer);
        if (button == nullptr) {
            ADD_FAILURE() << "No answer queued that \"" << box->text().toStdString() << "\" offers";
            button = box->buttons().front();
        }
        button->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
               dialog != nullptr && dialog->isVisible() && !dialog->property("answered").toBool()) {
        openDialog = QStringList{dialog->windowTitle(), child<QComboBox>(dialog, "fileTypeCombo")->currentText()} +
                     dialog->nameFilters();
        const std::string path = openAnswers.empty() ? std::string() : openAnswers.front();
        openAnswers.erase(openAnswers.begin(), openAnswers.begin() + (openAnswers.empty() ? 0 : 1));
        if (path.empty()) {
            dialog->reject();
            return;
        }
        child<QLineEdit>(dialog, "fileNameEdit")->setText(QString::fromStdString(path));
        dialog->setProperty("answered", true);
        auto* buttons = child<QDialogButtonBox>(dialog, "buttonBox");
        QPushButton* accept = buttons->button(QDialogButtonBox::Open);
        accept = accept != nullptr ? accept : buttons->button(QDialogButtonBox::Save);
        // Clicked once this poll has returned: the dialog may ask a question of its own (a file to replace), which
        // the next poll answers.
        QMetaObject::invokeMethod(
            dialog,
            [dialog = QPointer<QFileDialog>(dialog), accept] {
                accept->click();
                // Still open (a folder's name went into the folder): the next poll answers it again.
                if (dialog != nullptr) {
                    dialog->setProperty("answered", false);
                }
            },
            Qt::QueuedConnection);
    }
}

void clickTrainer(Form1& window, int row)
{
    auto* list = child<QListWidget>(&window, "trainerlst");
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, key, modifiers);
}

void retype(QLineEdit* box, const QString& text)
{
    // Where a user clicks before typing.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(box, text);
}

std::string EditorUnderTest::open(const SyntheticRom& rom, const std::string& name)
{
    const std::string path = dir.write(rom, name);
    watcher.openAnswers.push_back(path);
    trigger("mnuOpen");
    return path;
}
