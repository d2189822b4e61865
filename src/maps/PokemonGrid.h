#pragma once

// Pokémon in cells of two columns, each with its picture, species, level and a caption: the ten slots of a wild
// area, or the Pokémon that stand on a map. A species list without a selection (a byte the list has no entry for)
// keeps the byte as it was. Values the game cannot use (species 0, a level of 0 or past 100) are marked beside
// their cell.

#include "maps/WildTable.h"

#include <QWidget>
#include <vector>

class PictureBook;
class QAbstractItemModel;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

class PokemonGrid : public QWidget
{
    Q_OBJECT

public:
    explicit PokemonGrid(QWidget* parent = nullptr);

    // Makes count cells, whose lists are named speciesName1.., level boxes levelName1.., pictures
    // speciesName1Picture.. and captions speciesName1Caption..; what ("grass slot") names a cell to the user.
    void build(const QString& speciesName, const QString& levelName, const QString& what, int count);
    // The species names all lists share, a list position being the species byte.
    void setSpeciesModel(QAbstractItemModel* names);
    void setPictureBook(PictureBook* book);

    // cell 1..count.
    QComboBox* speciesBox(int cell) const;
    QLineEdit* levelBox(int cell) const;
    QLabel* caption(int cell) const;

    // Shows the first values.size() cells with these values and hides the others.
    void setValues(const std::vector<WildSlot>& values);
    // Shows count cells without a value: no species, no level, no picture.
    void showBlank(int count);
    bool blank() const { return m_blank; }
    // As the cells stand now.
    const std::vector<WildSlot>& values() const { return m_values; }
    void setCaption(int cell, const QString& text, const QString& toolTip);
    // Frames one cell as the chosen one; 0 for none.
    void setCurrent(int cell);
    int current() const { return m_current; }
    // Marks species 0 and levels outside 1-100 beside their cells; a line for each, for the notes. Cells that are
    // not active (an area turned off) are not marked.
    QStringList warnings(bool active = true);

signals:
    // A species or level changed.
    void changed();
    // A cell's list or level box took the focus, or its picture was clicked.
    void picked(int cell);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Cell
    {
        QFrame* frame = nullptr;
        QLabel* picture = nullptr;
        QComboBox* species = nullptr;
        QLabel* warning = nullptr;
        QLineEdit* level = nullptr;
        QLabel* caption = nullptr;
    };

    Cell makeCell(const QString& speciesName, const QString& levelName, const QString& what, int number);
    void speciesPicked(int cell, int index);
    void levelTyped(int cell);
    void drawPictures();
    const Cell& cellAt(int cell) const { return m_cells[static_cast<std::size_t>(cell - 1)]; }

    std::vector<Cell> m_cells;
    std::vector<WildSlot> m_values;
    QString m_what;
    bool m_blank = false;
    int m_current = 0;
    PictureBook* m_pictures = nullptr;
};
