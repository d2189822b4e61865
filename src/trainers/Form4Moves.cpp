// The Trainer Parties window's table of what each member fights with: computed from the rows as they stand, so a
// level or species typed but not saved shows its moves at once, with the game's own moves (a gym leader's, the
// Elite Four's, the champion's, Yellow's custom moves) in bold beside them.

#include "battles/BattlerText.h"
#include "trainers/Form4.h"
#include "trainers/PartyRows.h"
#include "ui_Form4.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {

// Rows as tall as their texts wrapped at their columns' widths: the moves and the game's own share the panel's width
// rather than run past it.
class WrappingRows : public QStyledItemDelegate
{
public:
    explicit WrappingRows(QTreeView* view) : QStyledItemDelegate(view), m_view(view)
    {
        connect(view->header(), &QHeaderView::sectionResized, view, [view] { view->doItemsLayout(); });
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        // The style's margins around an item's text, on both sides.
        const int margin = 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &item, m_view) + 1);
        const int width = m_view->header()->sectionSize(index.column());
        const QRect text = item.fontMetrics.boundingRect(
            QRect(0, 0, std::max(1, width - margin), 1 << 16), Qt::TextWordWrap, item.text);
        const QSize hint = QStyledItemDelegate::sizeHint(option, index);
        return {hint.width(), std::max(hint.height(), text.height() + hint.height() - item.fontMetrics.height())};
    }

private:
    QTreeView* m_view;
};

} // namespace

void Form4::wrapPartyMoves()
{
    ui->partyMoves->setItemDelegate(new WrappingRows(ui->partyMoves));
}

QTreeWidget* Form4::partyMoves() const
{
    return ui->partyMoves;
}

void Form4::showPartyMoves()
{
    ui->partyMoves->clear();
    const Party* party = m_class > 0 && m_party > 0 ? m_table.party(m_class, m_party) : nullptr;
    if (party == nullptr) {
        return;
    }
    const std::vector<PartyMember>& members = ui->partyrows->members();
    const std::vector<Battler> battlers =
        partyBattlers(m_species, shownSpecialMoves(), m_class, m_party, party->format, members);
    QFont bold = ui->partyMoves->font();
    bold.setBold(true);
    for (const Battler& battler : battlers) {
        auto* row = new QTreeWidgetItem(ui->partyMoves);
        row->setText(0,
                     QStringLiteral("%1 Lv %2")
                         .arg(m_speciesNames.value(battler.species, QStringLiteral("#%1").arg(battler.species)))
                         .arg(battler.level));
        row->setText(1, movesLine(battler, m_moveNames));
        row->setText(2, specialMovesLine(battler, m_moveNames));
        row->setFont(2, bold);
        const QString tip = battlerToolTip(battler, m_moveNames);
        for (int column = 0; column < 3; ++column) {
            row->setToolTip(column, tip);
        }
    }
}
