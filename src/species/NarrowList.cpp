#include "species/NarrowList.h"

#include <QEvent>
#include <QStyleOptionComboBox>
#include <QtMath>

NarrowList::NarrowList(int characters, QWidget* parent) : QComboBox(parent), m_characters(characters)
{
    setMinimumContentsLength(characters);
}

QSize NarrowList::sizeHint() const
{
    if (!m_size.isValid()) {
        // The text, an icon's room beside it and the style's frame and arrow around both.
        const QFontMetrics metrics = fontMetrics();
        const QSize icon = iconSize();
        QSize text(m_characters * metrics.horizontalAdvance(QLatin1Char('X')) + icon.width() + 4,
                   std::max(qCeil(QFontMetricsF(metrics).height()), 14) + 2);
        text.setHeight(std::max(text.height(), icon.height() + 2));
        QStyleOptionComboBox option;
        initStyleOption(&option);
        m_size = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    }
    return m_size;
}

QSize NarrowList::minimumSizeHint() const
{
    return sizeHint();
}

void NarrowList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_size = QSize();
    }
    QComboBox::changeEvent(event);
}
