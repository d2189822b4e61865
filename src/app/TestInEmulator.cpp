// File > Test in Emulator: the open ROM in the user's emulator, as the file holds it. Unsaved edits are saved
// or dropped first, at the user's word; the first time, an emulator on the PATH is offered, or the user picks
// one. The emulator runs on its own: Tavrik stays usable, and closing it leaves the game running.

#include "app/Emulator.h"
#include "app/EmulatorDialog.h"
#include "app/Form1.h"
#include "rom/FailureBox.h"
#include "trainers/TrainerForm.h"
#include "ui_Form1.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>

void Form1::mnuPlay_Click()
{
    if (!m_session.loaded()) {
        return;
    }
    // The window F5 was pressed in, which the status line is written to.
    QWidget* asking = QApplication::activeWindow();
    // A ROM deleted or replaced since it was opened is said so, as every other action says it.
    if (!readForWindow()) {
        return;
    }
    QString command = emulatorSetting();
    if (command.trimmed().isEmpty()) {
        command = firstEmulator();
        if (command.isEmpty()) {
            return;
        }
        setEmulatorSetting(command);
    }
    // Save writes the edits, Discard leaves the file as it is; either way the windows then show what the emulator
    // will run.
    const QString emulator = emulatorName(command);
    if (!settleAll(QStringLiteral(" before testing in %1").arg(emulator))) {
        return;
    }
    const QString why = startEmulator(command, QString::fromStdString(m_session.path));
    if (!why.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Tavrik"), why);
        return;
    }
    showStatus(QStringLiteral("%1 started on %2 at %3.")
                   .arg(emulator,
                        QFileInfo(QString::fromStdString(m_session.path)).fileName(),
                        QTime::currentTime().toString(QStringLiteral("HH:mm"))),
               asking);
}

void Form1::mnuEmulator_Click()
{
    const QString command = emulatorSetting();
    EmulatorDialog dialog(command.isEmpty() ? emulatorOnPath() : command, this);
    if (dialog.exec() == QDialog::Accepted) {
        setEmulatorSetting(dialog.command());
    }
}

QString Form1::firstEmulator()
{
    const QString found = emulatorOnPath();
    if (!found.isEmpty()) {
        QMessageBox box(QMessageBox::Question,
                        QStringLiteral("Tavrik"),
                        QStringLiteral("Test ROMs in %1?").arg(found),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        this);
        box.setObjectName(QStringLiteral("emulatorOfferBox"));
        box.setInformativeText(QStringLiteral("Tavrik found %1 on the PATH. File > Choose Emulator... changes the "
                                              "emulator at any time.")
                                   .arg(found));
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Use %1").arg(found));
        box.button(QMessageBox::No)->setText(QStringLiteral("Choose Another..."));
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = box.exec();
        if (answer != QMessageBox::No) {
            return answer == QMessageBox::Yes ? found : QString();
        }
    }
    return askForEmulatorProgram(this);
}
