#include "app/EmulatorDialog.h"

#include "app/EmulatorCommand.h"
#include "rom/clsCommonDialog.h"
#include "ui_EmulatorDialog.h"

#include <QPushButton>

EmulatorDialog::EmulatorDialog(const QString& command, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EmulatorDialog>())
{
    ui->setupUi(this);
    ui->txtEmulator->setText(command);
    connect(ui->cmdBrowse, &QPushButton::clicked, this, &EmulatorDialog::cmdBrowse_Click);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

EmulatorDialog::~EmulatorDialog() = default;

QString EmulatorDialog::command() const
{
    return ui->txtEmulator->text().trimmed();
}

void EmulatorDialog::cmdBrowse_Click()
{
    const QString command = askForEmulatorProgram(this);
    if (!command.isEmpty()) {
        ui->txtEmulator->setText(command);
    }
}

QString askForEmulatorProgram(QWidget* parent)
{
    const QString program = clsCommonDialog().ShowOpen(parent,
                                                       QStringLiteral("Choose the emulator to test ROMs in"),
                                                       QStringLiteral("/usr/bin"),
                                                       QString(),
                                                       clsCommonDialog::FileMustExist | clsCommonDialog::PathMustExist);
    return program.isEmpty() ? QString() : QString::fromStdString(commandOf(program.toStdString()));
}
