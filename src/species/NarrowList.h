#pragma once

// A pick list as wide as a count of characters, whatever its names. Qt's own way to size a combo so
// (AdjustToMinimumContentsLengthWithIcon) builds the list's popup at once, and every model the list is given then
// goes to that popup too: a species shows some fifteen of these, so the Pokémon window would build fifteen popups
// before it appears. This one measures itself as Qt sizes such a list and builds its popup when it first opens.

#include <QComboBox>

class NarrowList : public QComboBox
{
public:
    // Wide enough for characters of the widest letter, the room of an icon beside them as Qt keeps it.
    explicit NarrowList(int characters, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    int m_characters;
    mutable QSize m_size;
};
