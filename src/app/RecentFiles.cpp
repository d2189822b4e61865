#include "app/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString RecentKey = QStringLiteral("recent/files");

// A link or a relative path names the same file as its target.
QString samePathFor(const QString& path)
{
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

} // namespace

QStringList RecentFiles::paths()
{
    return QSettings().value(RecentKey).toStringList().mid(0, Limit);
}

void RecentFiles::add(const QString& path)
{
    const QString added = samePathFor(path);
    QStringList paths = RecentFiles::paths();
    paths.removeIf([&added](const QString& kept) { return samePathFor(kept) == added; });
    paths.prepend(added);
    QSettings().setValue(RecentKey, paths.mid(0, Limit));
}

void RecentFiles::clear()
{
    QSettings().remove(RecentKey);
}
