#pragma once

// The ROMs last opened or saved, newest first, each once by its absolute path, at most Limit of them, kept in
// the settings from one run to the next.

#include <QStringList>

class RecentFiles
{
public:
    static constexpr int Limit = 8;

    static QStringList paths();
    // Puts path first, dropping an older mention of the same file and whatever falls past Limit.
    static void add(const QString& path);
    static void clear();
};
