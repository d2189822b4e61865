#pragma once

// File > Choose Emulator...: the command that starts the user's emulator, typed, or picked with Browse.

#include <QDialog>
#include <memory>

namespace Ui {
class EmulatorDialog;
}

class EmulatorDialog : public QDialog
{
    Q_OBJECT

public:
    EmulatorDialog(const QString& command, QWidget* parent);
    ~EmulatorDialog() override;

    QString command() const;

private:
    void cmdBrowse_Click();

    std::unique_ptr<Ui::EmulatorDialog> ui;
};

// The open dialog that asks for the emulator's program; its path as a command, or "" when cancelled.
QString askForEmulatorProgram(QWidget* parent);
