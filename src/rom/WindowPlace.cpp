#include "rom/WindowPlace.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
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

// Keeps a text box from taking the keys of undo and redo as its own.
class UndoKeysToWindows : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride && qobject_cast<QLineEdit*>(watched) != nullptr) {
            const auto* key = static_cast<QKeyEvent*>(event);
            return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
        }
        return false;
    }
};

} // namespace

EditActions addEditMenu(QWidget* window)
{
    auto* bar = new QMenuBar(window);
    bar->setObjectName(QStringLiteral("menubar"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    EditActions actions{edit->addAction(QStringLiteral("Undo")), edit->addAction(QStringLiteral("Redo"))};
    actions.undo->setObjectName(QStringLiteral("mnuUndo"));
    actions.redo->setObjectName(QStringLiteral("mnuRedo"));
    actions.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actions.redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    if (window->layout() != nullptr) {
        window->layout()->setMenuBar(bar);
        return actions;
    }
    // A window of fixed places grows by the bar's height, everything in it moving down.
    const int height = bar->sizeHint().height();
    for (QWidget* child : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child != bar && !child->isWindow()) {
            child->move(child->pos() + QPoint(0, height));
        }
    }
    window->setFixedSize(window->width(), window->height() + height);
    bar->setGeometry(0, 0, window->width(), height);
    return actions;
}

void routeUndoKeysToWindows()
{
    static UndoKeysToWindows* filter = nullptr;
    if (filter == nullptr) {
        filter = new UndoKeysToWindows(qApp);
        qApp->installEventFilter(filter);
    }
}

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
