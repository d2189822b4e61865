// File > Export Guide...: the guide of the open ROM, as the file holds it, written into a folder the user picks.
// Nothing of the ROM is written; pictures the ROM does not hold soundly are left out and named.

#include "app/Form1.h"
#include "app/GuideCommand.h"
#include "ui_Form1.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>
#include <sstream>

void Form1::mnuGuide_Click()
{
    if (!m_session.loaded()) {
        return;
    }
    const auto image = readForWindow();
    if (!image) {
        return;
    }
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Export Guide"));
    if (folder.isEmpty()) {
        return;
    }
    std::ostringstream problems;
    GuideWritten written;
    if (!writeGuide(*image, *m_session.profile, folder.toStdString(), written, problems)) {
        QMessageBox::warning(this, QStringLiteral("Tavrik"), QString::fromStdString(problems.str()).trimmed());
        return;
    }
    statusBar()->showMessage(QStringLiteral("Guide written to %1: %2 pages and %3 pictures.")
                                 .arg(folder)
                                 .arg(written.pages)
                                 .arg(written.pictures));
    showNotes(QString::fromStdString(problems.str()).trimmed());
}
