#pragma once

// The number boxes take decimal digits only and always hold a value 0..255 (prize money 0..9999); the
// special-move user list takes hexadecimal digits only. Keys that type no character (arrows, Delete, Home,
// End, Tab) pass.

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;

// Decimal key filter and range validator for a level or amount box.
void installByteBox(QLineEdit* box);
// The same for a box of 0..maximum.
void installNumberBox(QLineEdit* box, int maximum);
// Sets a number box's text as loaded, without the validator (which would turn an empty box into "0").
void setNumberText(QLineEdit* box, const QString& text);
// Hexadecimal key filter for a drop-down list; a-f are entered as A-F.
void installHexKeyFilter(QComboBox* box);

// The text a number box ends with after a change to text, given the last valid text: "" becomes "0",
// over 255 becomes "255", anything that is not digits (a paste from the context menu, a drop) restores
// the last valid text. Digits of 255 or less stay as typed, leading zeros included.
QString validatedByteText(const QString& text, const QString& lastValid, int maximum = 255);

// The value of a number box's text (0 for text that is not a number).
int byteBoxValue(const QLineEdit* box);
