#pragma once

// Fills pick lists from the name catalogues. A list position is a game byte, so lists are only ever
// appended to, never sorted.

#include "app/RomSession.h"

#include <QStringList>
#include <string>
#include <vector>

class QComboBox;
class QWidget;

QStringList toQStringList(const std::vector<std::string>& names);

// Appends the 191 species names to each list; false after showing the failure when they cannot be read.
bool fillSpeciesLists(QWidget* parent, RomSession& session, const std::vector<QComboBox*>& lists);
