#include "rom/FailureBox.h"

#include <QPushButton>

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

QMessageBox::StandardButton askKeepOrReload(QWidget* parent, const QString& what)
{
    QMessageBox box(QMessageBox::Question,
                    QStringLiteral("Tavrik"),
                    QStringLiteral("Another window just saved %1, which you have changed here.").arg(what),
                    QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setObjectName(QStringLiteral("keepOrReloadBox"));
    box.setInformativeText(QStringLiteral("Keep Mine keeps your changes, to be saved over the file as it is now. "
                                          "Reload drops them and shows the file."));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Keep Mine"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Reload"));
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool askToMoveWithMembers(QWidget* parent, const QString& question, const QString& detail)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Tavrik"), question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("moveWithMembersBox"));
    box.setInformativeText(detail);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
