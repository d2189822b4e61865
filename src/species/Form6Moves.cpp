// The Moves tab: the 165 moves with effect, power, type, accuracy and PP, edited in place. The effect and the type
// are picked from their names, the numbers typed within what the game stores: accuracy as the percentage the game's
// sources write (its byte is percent × 255 / 100), PP up to 63, the bits above holding a Pokémon's PP Ups.

#include "species/ByteLists.h"
#include "species/Form6.h"
#include "species/GameConstants.h"
#include "species/LearnsetRules.h"

#include <QComboBox>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

namespace {

enum Column
{
    NameColumn,
    EffectColumn,
    PowerColumn,
    TypeColumn,
    AccuracyColumn,
    PpColumn
};

// Editors of one cell each: a list of names for the effect and the type, a number box for the rest.
class MoveCellDelegate : public QStyledItemDelegate
{
public:
    MoveCellDelegate(QObject* parent,
                     std::function<int(int, int)> value,
                     std::function<void(int, int, int)> set,
                     std::function<QStringList(int)> names)
        : QStyledItemDelegate(parent), m_value(std::move(value)), m_set(std::move(set)), m_names(std::move(names))
    {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        if (index.column() == EffectColumn || index.column() == TypeColumn) {
            auto* box = new QComboBox(parent);
            box->setObjectName(QStringLiteral("moveeditor"));
            box->setMaxVisibleItems(20);
            return box;
        }
        auto* box = new QSpinBox(parent);
        box->setObjectName(QStringLiteral("moveeditor"));
        box->setRange(0, index.column() == AccuracyColumn ? 100 : index.column() == PpColumn ? MaxPp : 255);
        box->setSuffix(index.column() == AccuracyColumn ? QStringLiteral(" %") : QString());
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const int value = m_value(index.row(), index.column());
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            showByteList(box, m_names(index.column()), 0, value);
        } else if (auto* number = qobject_cast<QSpinBox*>(editor)) {
            number->setValue(value);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const auto* box = qobject_cast<QComboBox*>(editor);
        const auto* number = qobject_cast<QSpinBox*>(editor);
        const int value = box != nullptr ? pickedByte(box) : number != nullptr ? number->value() : -1;
        if (value >= 0 && value != m_value(index.row(), index.column())) {
            m_set(index.row(), index.column(), value);
        }
    }

private:
    std::function<int(int, int)> m_value;
    std::function<void(int, int, int)> m_set;
    std::function<QStringList(int)> m_names;
};

QString byteName(const QStringList& names, int byte)
{
    return byte >= 0 && byte < names.size()
               ? names[byte]
               : QStringLiteral("0x%1 (not in the game's table)").arg(byte, 2, 16, QChar('0'));
}

QStringList effectWords()
{
    QStringList words;
    for (int effect = 0; effect < EffectCount; ++effect) {
        words << QString::fromStdString(inWords(effectName(effect)));
    }
    return words;
}

} // namespace

void Form6::fillMovesTable()
{
    const QScopedValueRollback filling(m_filling, true);
    if (dynamic_cast<MoveCellDelegate*>(m_moves->itemDelegate()) == nullptr) {
        m_moves->setItemDelegate(new MoveCellDelegate(
            m_moves,
            [this](int row, int column) { return moveCell(row, column); },
            [this](int row, int column, int value) { setMoveCell(row, column, value); },
            [this](int column) { return column == EffectColumn ? effectWords() : m_typeNames; }));
    }
    m_moves->setRowCount(static_cast<int>(m_work.moves.size()));
    for (int row = 0; row < m_moves->rowCount(); ++row) {
        showMoveRow(row);
    }
    m_moves->setEnabled(!m_work.moves.empty());
    // Widths of the longest texts: measuring 990 cells would cost more than the rest of the window.
    const QFontMetrics metrics = m_moves->fontMetrics();
    const int widths[] = {metrics.horizontalAdvance(QStringLiteral("000 MMMMMMMMMMMM")),
                          metrics.horizontalAdvance(QStringLiteral("Attack down side effect")),
                          metrics.horizontalAdvance(QStringLiteral("Power")),
                          metrics.horizontalAdvance(QStringLiteral("MMMMMMMM")),
                          metrics.horizontalAdvance(QStringLiteral("byte 200")),
                          metrics.horizontalAdvance(QStringLiteral("PP"))};
    for (int column = NameColumn; column <= PpColumn; ++column) {
        m_moves->setColumnWidth(column, widths[column] + 24);
    }
    // The room the tab has beyond them goes to the effects' names.
    m_moves->horizontalHeader()->setSectionResizeMode(EffectColumn, QHeaderView::Stretch);
}

void Form6::showMoveRow(int row)
{
    static const QStringList effects = effectWords();
    const Move& move = m_work.moves[static_cast<std::size_t>(row)];
    const auto percent = accuracyPercent(move.accuracy);
    const QString texts[] = {QStringLiteral("%1 %2").arg(row + 1, 3, 10, QLatin1Char('0')).arg(m_moveNames.value(row)),
                             byteName(effects, move.effect),
                             QString::number(move.power),
                             byteName(m_typeNames, move.type),
                             percent ? QStringLiteral("%1 %").arg(*percent)
                                     : QStringLiteral("byte %1").arg(move.accuracy),
                             QString::number(move.pp)};
    for (int column = NameColumn; column <= PpColumn; ++column) {
        QTableWidgetItem* item = m_moves->item(row, column);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            item->setFlags(column == NameColumn ? Qt::ItemIsEnabled
                                                : Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsSelectable);
            if (column != NameColumn && column != EffectColumn && column != TypeColumn) {
                item->setTextAlignment(Qt::AlignCenter);
            }
            m_moves->setItem(row, column, item);
        }
        item->setText(texts[column]);
        const bool edited = !m_loaded.moves.empty() && move != m_loaded.moves[static_cast<std::size_t>(row)];
        QFont font = item->font();
        font.setBold(edited && column == NameColumn);
        item->setFont(font);
    }
}

int Form6::moveCell(int row, int column) const
{
    const Move& move = m_work.moves.at(static_cast<std::size_t>(row));
    switch (column) {
    case EffectColumn:
        return move.effect;
    case PowerColumn:
        return move.power;
    case TypeColumn:
        return move.type;
    case AccuracyColumn:
        // A byte no percentage gives shows as the percentage nearest below it, and stays unless changed.
        return accuracyPercent(move.accuracy).value_or(move.accuracy * 100 / 255);
    default:
        return move.pp & MaxPp;
    }
}

void Form6::setMoveCell(int row, int column, int value)
{
    Move& move = m_work.moves.at(static_cast<std::size_t>(row));
    const auto byte = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    switch (column) {
    case EffectColumn:
        move.effect = byte;
        break;
    case PowerColumn:
        move.power = byte;
        break;
    case TypeColumn:
        move.type = byte;
        break;
    case AccuracyColumn:
        move.accuracy = static_cast<std::uint8_t>(accuracyByte(std::clamp(value, 0, 100)));
        break;
    case PpColumn:
        // The PP Up bits above the PP are kept as they are.
        move.pp = static_cast<std::uint8_t>((move.pp & ~MaxPp) | std::clamp(value, 0, MaxPp));
        break;
    default:
        return;
    }
    showMoveRow(row);
    updateState();
}
