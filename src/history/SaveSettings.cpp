#include "history/SaveSettings.h"

#include <QSettings>

namespace {

const QString ChecksumSetting = QStringLiteral("saves/keepGlobalChecksum");

} // namespace

bool keepGlobalChecksumSetting()
{
    return QSettings().value(ChecksumSetting, false).toBool();
}

void setKeepGlobalChecksum(bool on)
{
    QSettings().setValue(ChecksumSetting, on);
}

CommitOptions windowSaveOptions(const std::string& kind)
{
    return {kind, keepGlobalChecksumSetting()};
}

QString checksumNote(const Commit& commit)
{
    return commit.checksumWritten ? QStringLiteral(" The global checksum was written too.") : QString();
}
