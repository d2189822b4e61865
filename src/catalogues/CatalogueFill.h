#pragma once

// Fills pick lists from the name catalogues. A list position is a game byte, so lists are only ever
// appended to, never sorted.

#include <QStringList>
#include <string>
#include <vector>

class QComboBox;

QStringList toQStringList(const std::vector<std::string>& names);

// Appends the same names to each list.
void appendNames(const std::vector<QComboBox*>& lists, const std::vector<std::string>& names);
