#include "rom/WindowPlace.h"

#include <QAction>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QWidget>

namespace {

QString scaledKey(const QWidget* window, const QString& key)
{
    const qreal scale = window->screen() != nullptr ? window->screen()->devicePixelRatio() : 1.0;
    return QStringLiteral("%1@%2x").arg(key).arg(scale);
}

} // namespace

void installEditorKeys(QWidget* window, const std::function<void()>& save, const QList<QAction*>& shared)
{
    auto* saving = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), window);
    QObject::connect(saving, &QShortcut::activated, window, save);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* closing = new QShortcut(keys, window);
        QObject::connect(closing, &QShortcut::activated, window, &QWidget::close);
    }
    window->addActions(shared);
}

QSize screenFit(const QWidget* window, QSize wanted)
{
    if (window->screen() == nullptr) {
        return wanted;
    }
    // Room for a window manager's frame and title bar, which are not known before the window is shown.
    const QSize frame(16, 48);
    return wanted.boundedTo(window->screen()->availableGeometry().size() - frame);
}

bool restoreWindowPlace(QWidget* window, const QString& key)
{
    const QByteArray kept = QSettings().value(scaledKey(window, key)).toByteArray();
    return !kept.isEmpty() && window->restoreGeometry(kept);
}

void saveWindowPlace(const QWidget* window, const QString& key)
{
    QSettings().setValue(scaledKey(window, key), window->saveGeometry());
}
