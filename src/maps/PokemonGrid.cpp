#include "maps/PokemonGrid.h"

#include "pictures/PictureBook.h"
#include "trainers/InputFilters.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>

namespace {

constexpr int Columns = 2;
constexpr int PictureSide = 56;
constexpr int SpeciesWidth = 110;
constexpr int LevelWidth = 46;
constexpr int RowHeight = 23;
constexpr int WarningSide = 14;

// A species list of a fixed width: it never measures its names, nor makes its pop-up before it is opened.
class SpeciesBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    QSize sizeHint() const override { return {SpeciesWidth, RowHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

// A cell, outlined in the highlight colour while it is the chosen one: its labels keep their colours.
class CellFrame : public QFrame
{
public:
    using QFrame::QFrame;

    void setChosen(bool chosen)
    {
        m_chosen = chosen;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        if (m_chosen) {
            QPainter painter(this);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }

private:
    bool m_chosen = false;
};

} // namespace

PokemonGrid::PokemonGrid(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
}

void PokemonGrid::build(const QString& speciesName, const QString& levelName, const QString& what, int count)
{
    m_what = what;
    auto* grid = static_cast<QGridLayout*>(layout());
    for (int number = 1; number <= count; ++number) {
        m_cells.push_back(makeCell(speciesName, levelName, what, number));
        grid->addWidget(m_cells.back().frame, (number - 1) / Columns, (number - 1) % Columns);
    }
    // The cells keep their size at the top left; the room the page gains stays empty.
    grid->setColumnStretch(Columns, 1);
    grid->setRowStretch((count + Columns - 1) / Columns, 1);
}

PokemonGrid::Cell
PokemonGrid::makeCell(const QString& speciesName, const QString& levelName, const QString& what, int number)
{
    Cell cell;
    const QString who = QStringLiteral("%1 %2").arg(what).arg(number);
    const QString name = speciesName + QString::number(number);
    cell.frame = new CellFrame(this);
    cell.frame->setObjectName(name + QStringLiteral("Cell"));
    auto* layout = new QGridLayout(cell.frame);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    cell.picture = new QLabel(cell.frame);
    cell.picture->setObjectName(name + QStringLiteral("Picture"));
    cell.picture->setAccessibleName(who + QStringLiteral(": picture"));
    cell.picture->setFixedSize(PictureSide, PictureSide);
    cell.picture->setAlignment(Qt::AlignCenter);
    cell.picture->installEventFilter(this);
    cell.species = new SpeciesBox(cell.frame);
    cell.species->setObjectName(name);
    cell.species->setAccessibleName(who + QStringLiteral(": species"));
    cell.species->setFixedSize(SpeciesWidth, RowHeight);
    cell.species->installEventFilter(this);
    cell.warning = new QLabel(cell.frame);
    cell.warning->setObjectName(name + QStringLiteral("Warning"));
    cell.warning->setAccessibleName(who + QStringLiteral(": warning"));
    cell.warning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(WarningSide, WarningSide));
    cell.warning->setFixedSize(WarningSide, WarningSide);
    cell.warning->setVisible(false);
    auto* levelLabel = new QLabel(QStringLiteral("Lv"), cell.frame);
    cell.level = new QLineEdit(cell.frame);
    cell.level->setObjectName(levelName + QString::number(number));
    cell.level->setAccessibleName(who + QStringLiteral(": level"));
    cell.level->setFixedSize(LevelWidth, RowHeight);
    cell.level->setMaxLength(3);
    cell.level->setAlignment(Qt::AlignCenter);
    cell.level->installEventFilter(this);
    installByteBox(cell.level);
    levelLabel->setBuddy(cell.level);
    cell.caption = new QLabel(cell.frame);
    cell.caption->setObjectName(name + QStringLiteral("Caption"));
    layout->addWidget(cell.picture, 0, 0, 2, 1);
    layout->addWidget(cell.species, 0, 1, 1, 3);
    layout->addWidget(cell.warning, 0, 4);
    layout->addWidget(levelLabel, 1, 1);
    layout->addWidget(cell.level, 1, 2);
    layout->addWidget(cell.caption, 1, 3, 1, 2);
    connect(cell.species, &QComboBox::currentIndexChanged, this, [this, number](int index) {
        speciesPicked(number, index);
    });
    connect(cell.level, &QLineEdit::textChanged, this, [this, number] { levelTyped(number); });
    return cell;
}

void PokemonGrid::setSpeciesModel(QAbstractItemModel* names)
{
    for (const Cell& cell : m_cells) {
        const QSignalBlocker blocker(cell.species);
        cell.species->setModel(names);
    }
}

void PokemonGrid::setPictureBook(PictureBook* book)
{
    m_pictures = book;
    connect(m_pictures, &PictureBook::changed, this, &PokemonGrid::drawPictures);
}

QComboBox* PokemonGrid::speciesBox(int cell) const
{
    return cellAt(cell).species;
}

QLineEdit* PokemonGrid::levelBox(int cell) const
{
    return cellAt(cell).level;
}

QLabel* PokemonGrid::caption(int cell) const
{
    return cellAt(cell).caption;
}

void PokemonGrid::setValues(const std::vector<WildSlot>& values)
{
    m_values = values;
    m_blank = false;
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        const Cell& cell = m_cells[k];
        cell.frame->setVisible(k < values.size());
        const QSignalBlocker species(cell.species);
        const QSignalBlocker level(cell.level);
        if (k < values.size()) {
            const int byte = values[k].species;
            cell.species->setCurrentIndex(byte < cell.species->count() ? byte : -1);
            setNumberText(cell.level, QString::number(values[k].level));
        }
    }
    drawPictures();
}

void PokemonGrid::showBlank(int count)
{
    setValues(std::vector<WildSlot>(static_cast<std::size_t>(count)));
    m_blank = true;
    for (int cell = 1; cell <= count; ++cell) {
        const QSignalBlocker species(speciesBox(cell));
        const QSignalBlocker level(levelBox(cell));
        speciesBox(cell)->setCurrentIndex(-1);
        setNumberText(levelBox(cell), QString());
    }
    drawPictures();
}

void PokemonGrid::setCaption(int cell, const QString& text, const QString& toolTip)
{
    caption(cell)->setText(text);
    caption(cell)->setToolTip(toolTip);
    cellAt(cell).frame->setToolTip(toolTip);
}

void PokemonGrid::setCurrent(int cell)
{
    m_current = cell;
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        static_cast<CellFrame*>(m_cells[k].frame)->setChosen(static_cast<int>(k) + 1 == cell);
    }
}

void PokemonGrid::speciesPicked(int cell, int index)
{
    if (index < 0 || cell > static_cast<int>(m_values.size())) {
        return;
    }
    m_values[static_cast<std::size_t>(cell - 1)].species = static_cast<std::uint8_t>(index);
    m_blank = false;
    drawPictures();
    emit changed();
}

void PokemonGrid::levelTyped(int cell)
{
    if (cell > static_cast<int>(m_values.size())) {
        return;
    }
    m_values[static_cast<std::size_t>(cell - 1)].level = static_cast<std::uint8_t>(byteBoxValue(levelBox(cell)));
    m_blank = false;
    emit changed();
}

void PokemonGrid::drawPictures()
{
    for (std::size_t k = 0; k < m_cells.size() && m_pictures != nullptr; ++k) {
        if (k < m_values.size() && m_cells[k].species->currentIndex() >= 0) {
            m_pictures->showSpecies(m_cells[k].picture, m_values[k].species);
        } else {
            PictureBook::show(m_cells[k].picture, QImage(), {});
        }
    }
}

QStringList PokemonGrid::warnings(bool active)
{
    QStringList lines;
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        QStringList reasons;
        const bool shown = active && k < m_values.size() && !m_blank;
        const WildSlot values = shown ? m_values[k] : WildSlot{1, 1};
        const QString who = QStringLiteral("%1 %2").arg(m_what).arg(k + 1);
        if (values.species == 0) {
            reasons << QStringLiteral("Species 0 (MISSINGNO.) is no Pokémon: Tavrik does not save it.");
            lines << QStringLiteral("%1 has species 0").arg(who);
        }
        if (values.level == 0 || values.level > MaxWildLevel) {
            reasons << QStringLiteral("A level of %1 is not one of 1-100: Tavrik does not save it.").arg(values.level);
            lines << QStringLiteral("%1 has level %2").arg(who).arg(values.level);
        }
        const QString reason = reasons.join(QLatin1Char(' '));
        m_cells[k].warning->setVisible(!reason.isEmpty());
        m_cells[k].warning->setToolTip(reason);
        m_cells[k].species->setAccessibleDescription(reason);
        m_cells[k].level->setAccessibleDescription(reason);
    }
    return lines;
}

bool PokemonGrid::eventFilter(QObject* watched, QEvent* event)
{
    const bool focus = event->type() == QEvent::FocusIn;
    const bool click = event->type() == QEvent::MouseButtonPress;
    if (focus || click) {
        for (std::size_t k = 0; k < m_cells.size(); ++k) {
            const Cell& cell = m_cells[k];
            const bool field = focus && (watched == cell.species || watched == cell.level);
            if (field || (click && watched == cell.picture)) {
                emit picked(static_cast<int>(k) + 1);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
