#pragma once

#include "rom/Failure.h"

#include <QMessageBox>

// The box a failure of the byte-level layer is shown in: its description, titled "Error: <number>".
void showFailure(QWidget* parent, const Failure& failure);

// The question asked before unsaved edits would be lost: Save (the default), Discard or Cancel.
QMessageBox::StandardButton askToSaveChanges(QWidget* parent, const QString& question, const QString& detail);

// Asked when a member removed from a party had moves the game gives by member number after it: Yes (the default)
// moves them with their members, No leaves the numbers as they are.
bool askToMoveWithMembers(QWidget* parent, const QString& question, const QString& detail);

// Asked when another window saved what this one has edits of: Keep Mine (Yes) keeps them, to be saved over the file
// as it is now; Reload (No) drops them and shows the file.
QMessageBox::StandardButton askKeepOrReload(QWidget* parent, const QString& what);
