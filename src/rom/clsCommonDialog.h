#pragma once

// The system's open-file dialog behind one call. The filter is written "Description|*.a;*.b|..."; the
// patterns match in any letter case.

#include <QString>

class QWidget;

class clsCommonDialog
{
public:
    static constexpr unsigned HideReadOnly = 0x4;
    static constexpr unsigned PathMustExist = 0x800;
    static constexpr unsigned FileMustExist = 0x1000;

    // The chosen path, or "" when the user cancels.
    QString ShowOpen(QWidget* owner,
                     const QString& title,
                     const QString& initialDirectory = {},
                     const QString& filter = {},
                     unsigned flags = 0);
};

// "GB ROMs (*.gb)|*.gb;*.gbc" as Qt name filters: the description shown as written, the patterns
// matching either letter case.
QStringList qtNameFilters(const QString& filter);
