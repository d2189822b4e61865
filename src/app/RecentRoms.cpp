// The recent ROMs: File > Open Recent and the links of the start page, the page the main window shows while no
// ROM is open. A file that is gone is shown disabled; the others open as File > Open ROM opens them.

#include "app/Form1.h"
#include "app/RecentFiles.h"
#include "ui_Form1.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

namespace {

// The path as the user knows it: their home folder as ~.
QString shownPath(const QString& path)
{
    const QString home = QDir::homePath();
    return QDir::toNativeSeparators(path.startsWith(home + QLatin1Char('/')) ? QLatin1Char('~') + path.mid(home.size())
                                                                             : path);
}

} // namespace

void Form1::showRecent()
{
    const QStringList paths = RecentFiles::paths();
    showRecentMenu(paths);
    // The old links go once the one that may have called this, through its click, is done.
    for (QLabel* old : ui->recentlist->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        ui->recentlayout->removeWidget(old);
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
    int number = 0;
    for (const QString& path : paths) {
        const bool there = QFileInfo::exists(path);
        auto* link = new QLabel(ui->recentlist);
        link->setObjectName(QStringLiteral("recent%1").arg(++number));
        link->setAccessibleName(QStringLiteral("Recent ROM %1").arg(number));
        link->setToolTip(there ? path : QStringLiteral("%1 is not there any more.").arg(path));
        link->setTextFormat(Qt::RichText);
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        const QString text = shownPath(path).toHtmlEscaped();
        link->setText(there ? QStringLiteral("<a href=\"%1\">%2</a>").arg(QUrl::fromLocalFile(path).toString(), text)
                            : text);
        link->setEnabled(there);
        connect(
            link, &QLabel::linkActivated, this, [this](const QString& url) { openRomFile(QUrl(url).toLocalFile()); });
        ui->recentlayout->addWidget(link, 0, Qt::AlignHCenter);
    }
}

void Form1::showRecentMenu(const QStringList& paths)
{
    // The old entries go once the one that may have called this is done.
    for (QAction* old : ui->mnuRecent->actions()) {
        ui->mnuRecent->removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    int number = 0;
    for (const QString& path : paths) {
        ++number;
        QString text = shownPath(path);
        QAction* action = ui->mnuRecent->addAction(
            QStringLiteral("&%1 %2").arg(number).arg(text.replace(QLatin1Char('&'), QStringLiteral("&&"))));
        action->setObjectName(QStringLiteral("mnuRecent%1").arg(number));
        action->setEnabled(QFileInfo::exists(path));
        connect(action, &QAction::triggered, this, [this, path] { openRomFile(path); });
    }
    ui->mnuRecent->addSeparator();
    QAction* clear = ui->mnuRecent->addAction(QStringLiteral("Clear"));
    clear->setObjectName(QStringLiteral("mnuClearRecent"));
    connect(clear, &QAction::triggered, this, [this] {
        RecentFiles::clear();
        showRecent();
    });
    ui->mnuRecent->setEnabled(!paths.isEmpty());
}
