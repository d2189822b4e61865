#include "trainers/InputFilters.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

bool isClipboardKey(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut);
}

bool allDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

class DecimalKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace) {
            return false;
        }
        // Copy, cut and paste are not typing: in a number box they are dropped.
        if (isClipboardKey(key)) {
            return true;
        }
        // Keys that type nothing (arrows, Delete, Home, End, Tab) keep working.
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint()) {
            return false;
        }
        return !(text.size() == 1 && allDigits(text));
    }
};

class HexKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || m_forwarding) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() || isClipboardKey(key)) {
            return false;
        }
        const QChar c = text.at(0);
        if (text.size() == 1 &&
            ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')))) {
            return false;
        }
        if (text.size() == 1 && c >= QLatin1Char('a') && c <= QLatin1Char('f')) {
            // The same key again, as its capital.
            QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers() | Qt::ShiftModifier, text.toUpper());
            m_forwarding = true;
            QCoreApplication::sendEvent(watched, &upper);
            m_forwarding = false;
        }
        return true;
    }

private:
    bool m_forwarding = false;
};

} // namespace

QString validatedByteText(const QString& text, const QString& lastValid, int maximum)
{
    if (text.isEmpty()) {
        return QStringLiteral("0");
    }
    if (!allDigits(text)) {
        return lastValid;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value <= maximum ? text : QString::number(maximum);
}

void installByteBox(QLineEdit* box)
{
    installNumberBox(box, 255);
}

void installNumberBox(QLineEdit* box, int maximum)
{
    box->installEventFilter(new DecimalKeyFilter(box));
    box->setProperty("lastValidText", box->text().isEmpty() ? QStringLiteral("0") : box->text());
    QObject::connect(box, &QLineEdit::textChanged, box, [box, maximum](const QString& text) {
        const QString valid = validatedByteText(text, box->property("lastValidText").toString(), maximum);
        box->setProperty("lastValidText", valid);
        if (valid != text) {
            box->setText(valid);
        }
    });
}

void setNumberText(QLineEdit* box, const QString& text)
{
    const QSignalBlocker blocker(box);
    box->setText(text);
    if (!text.isEmpty()) {
        box->setProperty("lastValidText", text);
    }
}

void installHexKeyFilter(QComboBox* box)
{
    box->installEventFilter(new HexKeyFilter(box));
}

int byteBoxValue(const QLineEdit* box)
{
    return box->text().toInt();
}
