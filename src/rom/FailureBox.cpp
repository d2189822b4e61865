#include "rom/FailureBox.h"

void showFailure(QWidget* parent, const Failure& failure)
{
    QMessageBox box(QMessageBox::NoIcon,
                    QStringLiteral("Error: %1").arg(failure.number),
                    QString::fromStdString(failure.description),
                    QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("failureBox"));
    box.exec();
}

QMessageBox::StandardButton askToSaveChanges(QWidget* parent, const QString& question, const QString& detail)
{
    QMessageBox box(QMessageBox::Warning,
                    QStringLiteral("Tavrik"),
                    question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setObjectName(QStringLiteral("unsavedChangesBox"));
    box.setInformativeText(detail);
    box.setDefaultButton(QMessageBox::Save);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
