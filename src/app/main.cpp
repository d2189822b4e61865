#include "app/Form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrik"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.1"));
    QApplication::setDesktopFileName(QStringLiteral("tavrik"));
    Form1 window;
    window.show();
    return QApplication::exec();
}
