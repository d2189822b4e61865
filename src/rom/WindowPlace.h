#pragma once

// What every window that edits the open ROM shares: the keys people press in an editor, and its size and place
// kept from one run to the next, apart for each scale of the screen (a window laid out at scale 2 would not fit a
// screen at scale 1, and the other way round).

#include <QList>
#include <QSize>
#include <QString>
#include <functional>

class QAction;
class QWidget;

// Ctrl+S runs save; Escape and Ctrl+W close the window, which asks about its edits first; and the main window's
// actions (Open ROM, Trainer Parties, Maps, Test in Emulator...) work from the window with their own keys.
void installEditorKeys(QWidget* window, const std::function<void()>& save, const QList<QAction*>& shared);

// wanted, made small enough that the window with its title bar and frame fits the screen it is on.
QSize screenFit(const QWidget* window, QSize wanted);

// An Edit menu on top of window with Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z), named mnuUndo and mnuRedo, for the
// caller to connect; a main window passes its own menu bar's.
struct EditActions
{
    QAction* undo = nullptr;
    QAction* redo = nullptr;
};
EditActions addEditMenu(QWidget* window);
// Ctrl+Z and Ctrl+Shift+Z pressed in a text box go to the window's Edit menu, which undoes the window's steps, rather
// than to the box's own undo of its last keys; called once.
void routeUndoKeysToWindows();

// Restores the size and place kept under key for the window's scale; false when none is kept.
bool restoreWindowPlace(QWidget* window, const QString& key);
void saveWindowPlace(const QWidget* window, const QString& key);
