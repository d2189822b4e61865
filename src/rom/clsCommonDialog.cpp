#include "rom/clsCommonDialog.h"

#include <QFileDialog>

namespace {

// "*.gb" becomes "*.[gG][bB]", so "ROM.GB" and "rom.Gbc" are listed too.
QString anyCasePattern(const QString& pattern)
{
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

QStringList qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << anyCasePattern(pattern.trimmed());
        }
        // Qt reads the patterns from the last parentheses and, with the details hidden, shows the rest.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

QString clsCommonDialog::ShowOpen(
    QWidget* owner, const QString& title, const QString& initialDirectory, const QString& filter, unsigned flags)
{
    QFileDialog dialog(owner, title, initialDirectory);
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((flags & FileMustExist) != 0 ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    // An open dialog has no business renaming or deleting files; Qt's has no read-only check box to hide.
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (!filter.isEmpty()) {
        dialog.setNameFilters(qtNameFilters(filter));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}
