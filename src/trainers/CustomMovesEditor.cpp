#include "trainers/CustomMovesEditor.h"

#include "rom/FailureBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int MemberColumn = 0;
constexpr int SlotColumn = 1;
constexpr int MoveColumn = 2;
constexpr int MaxMember = 6;
constexpr int MoveSlots = 4;
// Rows the table shows before it scrolls: a gym leader's usual entry.
constexpr int ShownRows = 3;

// A list whose items carry the values they stand for, the current one value; a value without an item (a move byte
// past the names) gets one of its own, so that it is kept as it is.
QComboBox* valueList(const QStringList& texts, int first, int value, const QString& unknown)
{
    auto* list = new QComboBox;
    for (int k = 0; k < texts.size(); ++k) {
        list->addItem(texts[k], first + k);
    }
    if (list->findData(value) < 0) {
        list->addItem(unknown.arg(value), value);
    }
    list->setCurrentIndex(list->findData(value));
    return list;
}

} // namespace

CustomMovesEditor::CustomMovesEditor(QWidget* parent)
    : QWidget(parent), m_table(new QTableWidget(0, 3, this)), m_add(new QPushButton(QStringLiteral("Add"), this)),
      m_remove(new QPushButton(QStringLiteral("Remove"), this))
{
    m_table->setObjectName(QStringLiteral("customMoves"));
    m_table->setAccessibleName(QStringLiteral("Custom moves of the party"));
    m_add->setObjectName(QStringLiteral("cmdAddCustomMove"));
    m_add->setAccessibleName(QStringLiteral("Add a custom move"));
    m_remove->setObjectName(QStringLiteral("cmdRemoveCustomMove"));
    m_remove->setAccessibleName(QStringLiteral("Remove the selected custom move"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Member"), QStringLiteral("Slot"), QStringLiteral("Move")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(MemberColumn, QHeaderView::Stretch);
    // The slot lists hold one digit: as wide as such a list, or as the column's title where that is wider.
    QComboBox digit;
    digit.addItem(QStringLiteral("4"));
    m_table->horizontalHeader()->setSectionResizeMode(SlotColumn, QHeaderView::Fixed);
    m_table->setColumnWidth(
        SlotColumn, std::max(digit.sizeHint().width(), m_table->horizontalHeader()->sectionSizeHint(SlotColumn)));
    m_table->horizontalHeader()->setSectionResizeMode(MoveColumn, QHeaderView::Stretch);
    const int rowHeight = QComboBox().sizeHint().height();
    m_table->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() + ShownRows * rowHeight +
                              2 * m_table->frameWidth());
    m_table->setMaximumHeight(m_table->minimumHeight());

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, &CustomMovesEditor::addMove);
    connect(m_remove, &QPushButton::clicked, this, &CustomMovesEditor::removeMove);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CustomMovesEditor::updateButtons);
    setTabOrder(m_table, m_add);
    setTabOrder(m_add, m_remove);
    render();
}

QString CustomMovesEditor::unreadableNote()
{
    return QStringLiteral("Tavrik leaves the custom moves as they are: the table has no end inside the trainer bank.");
}

void CustomMovesEditor::setMoveNames(const QStringList& names)
{
    m_moveNames = names;
    render();
}

void CustomMovesEditor::setMemberNames(const QStringList& names)
{
    if (names == m_memberNames) {
        return;
    }
    m_memberNames = names;
    render();
}

void CustomMovesEditor::setMoves(const std::vector<CustomMove>& moves)
{
    if (moves == m_moves) {
        return;
    }
    m_moves = moves;
    render();
}

void CustomMovesEditor::render()
{
    const QSignalBlocker blocker(m_table);
    const int current = m_table->currentRow();
    m_table->setRowCount(0);
    m_table->setRowCount(static_cast<int>(m_moves.size()));
    QStringList members;
    for (int member = 1; member <= MaxMember; ++member) {
        members << (member <= m_memberNames.size() ? QStringLiteral("%1: %2").arg(member).arg(m_memberNames[member - 1])
                                                   : QStringLiteral("%1: none").arg(member));
    }
    const QStringList slotNames = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const CustomMove& move = m_moves[static_cast<std::size_t>(row)];
        QComboBox* lists[] = {valueList(members, 1, move.member, QStringLiteral("%1: none")),
                              valueList(slotNames, 1, move.slot, QStringLiteral("%1")),
                              valueList(m_moveNames, 1, move.move, QStringLiteral("Move %1"))};
        lists[MemberColumn]->setAccessibleName(QStringLiteral("Member of custom move %1").arg(row + 1));
        lists[SlotColumn]->setAccessibleName(QStringLiteral("Move slot of custom move %1").arg(row + 1));
        lists[MoveColumn]->setAccessibleName(QStringLiteral("Move of custom move %1").arg(row + 1));
        for (int column = 0; column < 3; ++column) {
            QComboBox* list = lists[column];
            m_table->setCellWidget(row, column, list);
            list->setFocusPolicy(Qt::StrongFocus);
            list->installEventFilter(this);
            connect(list, &QComboBox::activated, this, [this, list, row, column] {
                CustomMove& edited = m_moves[static_cast<std::size_t>(row)];
                const int value = list->currentData().toInt();
                if (column == MemberColumn) {
                    edited.member = value;
                } else if (column == SlotColumn) {
                    edited.slot = value;
                } else {
                    edited.move = static_cast<std::uint8_t>(value);
                }
                m_table->selectRow(row);
                emit changed();
            });
        }
    }
    if (current >= 0 && current < m_table->rowCount()) {
        m_table->selectRow(current);
    }
    updateButtons();
}

bool CustomMovesEditor::eventFilter(QObject* watched, QEvent* event)
{
    auto* list = qobject_cast<QComboBox*>(watched);
    if (event->type() == QEvent::Wheel && list != nullptr && !list->hasFocus()) {
        QCoreApplication::sendEvent(m_table->viewport(), event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CustomMovesEditor::offerToFollowRemoval(int member)
{
    // The first member after the one removed that has moves, if any.
    int later = 0;
    bool own = false;
    for (const CustomMove& move : m_moves) {
        later = move.member > member && (later == 0 || move.member < later) ? move.member : later;
        own = own || move.member == member;
    }
    if (later == 0 && !own) {
        return;
    }
    // The member lists name the party as it stands before the removal.
    const bool last = member >= static_cast<int>(m_memberNames.size());
    QString question;
    QString detail;
    if (later > 0) {
        question = QStringLiteral("Move the custom moves of the members after member %1 with them?").arg(member);
        detail = QStringLiteral("The game gives custom moves by member number: else those of member %1 go to the "
                                "member that takes its place.")
                     .arg(later);
        if (own) {
            detail += QStringLiteral(" Yes also removes the custom moves of member %1; No leaves them to the member "
                                     "that takes its place.")
                          .arg(member);
        }
    } else {
        question = QStringLiteral("Remove the custom moves of member %1 with it?").arg(member);
        detail = last ? QStringLiteral("Else they stay in the table for a member the party no longer has.")
                      : QStringLiteral("Else the game gives them to the member that takes its place.");
    }
    if (askToMoveWithMembers(this, question, detail)) {
        m_moves = customMovesWithout(m_moves, member);
        render();
    }
}

void CustomMovesEditor::addMove()
{
    // The next slot of the last row's member, else slot 1 of the next member: a leader's entry is usually filled
    // in that order.
    CustomMove move{1, 1, static_cast<std::uint8_t>(1)};
    if (!m_moves.empty()) {
        const CustomMove& last = m_moves.back();
        move = last.slot < MoveSlots ? CustomMove{last.member, last.slot + 1, last.move}
                                     : CustomMove{std::min(last.member + 1, MaxMember), 1, last.move};
    }
    m_moves.push_back(move);
    render();
    m_table->selectRow(m_table->rowCount() - 1);
    m_table->scrollToBottom();
    emit changed();
}

void CustomMovesEditor::removeMove()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= static_cast<int>(m_moves.size())) {
        return;
    }
    m_moves.erase(m_moves.begin() + row);
    render();
    m_table->selectRow(std::min(row, m_table->rowCount() - 1));
    emit changed();
}

void CustomMovesEditor::updateButtons()
{
    m_remove->setEnabled(m_table->currentRow() >= 0 && !m_moves.empty());
}
