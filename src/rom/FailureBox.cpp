#include "rom/FailureBox.h"

#include <QMessageBox>

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
