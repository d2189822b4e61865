// File > Test in Emulator: the open ROM in the user's emulator, as the file holds it. Unsaved edits are saved
// or dropped first, at the user's word; the first time, an emulator on the PATH is offered, or the user picks
// one. The emulator runs on its own: Tavrik stays usable, and closing it leaves the game running.

#include "app/Emulator.h"
#include "app/EmulatorDialog.h"
#include "app/Form1.h"
#include "rom/FailureBox.h"
#include "trainers/TrainerForm.h"
#include "ui_Form1.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

void Form1::mnuPlay_Click()
{
    if (!m_session.loaded() || !settleEdits()) {
        return;
    }
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
    const QString why = startEmulator(command, QString::fromStdString(m_session.path));
    if (!why.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Tavrik"), why);
    }
}

void Form1::mnuEmulator_Click()
{
    const QString command = emulatorSetting();
    EmulatorDialog dialog(command.isEmpty() ? emulatorOnPath() : command, this);
    if (dialog.exec() == QDialog::Accepted) {
        setEmulatorSetting(dialog.command());
    }
}

// Save writes the trainer, Discard leaves the file as it is; either way the form then shows what the
// emulator will run.
bool Form1::settleEdits()
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    QListWidget* roster = ui->trainerform->roster();
    const int row = roster->currentRow();
    if (!ui->trainerform->mayLeaveTrainer()) {
        return false;
    }
    ui->trainerform->reloadTrainer();
    roster->setCurrentRow(row);
    return true;
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
