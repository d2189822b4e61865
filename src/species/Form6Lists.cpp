// The picked species' evolutions and learnset, each a row of controls with × to remove it and a last row to add
// one. The learnset is shown in the order the ROM holds it: a new entry goes in by its level (placeForLevel), and
// only "Sort by level" re-sorts it. An entry behind a higher one, and a value the game could not use, are marked in
// the row's note with what that means.

#include "species/ByteLists.h"
#include "species/Form6.h"
#include "species/LearnsetRules.h"
#include "species/NarrowList.h"
#include "trainers/InputFilters.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

namespace {

// A new evolution by level starts at the level the released games' first evolutions use.
constexpr int NewEvolutionLevel = 16;

QLineEdit* levelBox(const QString& name, const QString& what)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setAccessibleName(what);
    box->setMaxLength(3);
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    installByteBox(box);
    return box;
}

QToolButton* removeButton(const QString& name, const QString& what)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(QStringLiteral("×"));
    button->setAccessibleName(what);
    button->setToolTip(what);
    button->setAutoRaise(true);
    return button;
}

QComboBox* rowList(const QString& name, const QString& what)
{
    // Sized by the column, not by its longest name.
    auto* box = new NarrowList(6);
    box->setObjectName(name);
    box->setAccessibleName(what);
    box->setFrame(false);
    box->setMaxVisibleItems(20);
    return box;
}

void setNote(QTableWidget* table, int row, int column, const QString& note)
{
    auto* item = new QTableWidgetItem(note);
    item->setToolTip(note);
    if (!note.isEmpty()) {
        item->setIcon(table->style()->standardIcon(QStyle::SP_MessageBoxWarning));
    }
    table->setItem(row, column, item);
}

// Rows removed with their controls, which go once their signals are handled; nameless until then, so that no one
// finds a control of a row that is gone.
void clearRows(QTableWidget* table)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QWidget* control = table->cellWidget(row, column)) {
                control->setObjectName(QString());
            }
        }
    }
    table->setRowCount(0);
}

void fitColumns(QTableWidget* table, const std::vector<int>& widths)
{
    for (std::size_t k = 0; k < widths.size(); ++k) {
        table->setColumnWidth(static_cast<int>(k), widths[k]);
    }
    table->resizeRowsToContents();
}

} // namespace

void Form6::showEvolutions()
{
    const QScopedValueRollback filling(m_filling, true);
    const EvosMoves* list = pickedList();
    const std::vector<Evolution> evolutions = list != nullptr ? list->evolutions : std::vector<Evolution>{};
    clearRows(m_evolutions);
    m_evolutions->setRowCount(static_cast<int>(evolutions.size()) + (list != nullptr ? 1 : 0));
    for (int row = 0; row < static_cast<int>(evolutions.size()); ++row) {
        const Evolution& evolution = evolutions[static_cast<std::size_t>(row)];
        QComboBox* kind = rowList(QStringLiteral("evokind%1").arg(row + 1), QStringLiteral("Evolves by"));
        showByteList(kind, m_kindList, evolution.kind);
        QComboBox* item = rowList(QStringLiteral("evoitem%1").arg(row + 1), QStringLiteral("Item"));
        showByteList(item, m_itemList, evolution.item);
        item->setEnabled(evolution.kind == EvolveByItem);
        QLineEdit* level = levelBox(QStringLiteral("evolevel%1").arg(row + 1), QStringLiteral("Least level"));
        setNumberText(level, QString::number(evolution.level));
        QComboBox* into = rowList(QStringLiteral("evospecies%1").arg(row + 1), QStringLiteral("Evolves into"));
        showByteList(into, m_speciesList, evolution.species);
        m_evolutions->setCellWidget(row, 0, kind);
        m_evolutions->setCellWidget(row, 1, item);
        m_evolutions->setCellWidget(row, 2, level);
        m_evolutions->setCellWidget(row, 3, into);
        QToolButton* remove =
            removeButton(QStringLiteral("evoremove%1").arg(row + 1), QStringLiteral("Remove this evolution"));
        m_evolutions->setCellWidget(row, 4, remove);
        for (QComboBox* box : {kind, item, into}) {
            connect(box, &QComboBox::currentIndexChanged, this, [this, row] { evolutionEdited(row); });
        }
        connect(level, &QLineEdit::textChanged, this, [this, row] { evolutionEdited(row); });
        connect(remove, &QToolButton::clicked, this, [this, row] { removeEvolution(row); });
    }
    if (list != nullptr) {
        QComboBox* add = rowList(QStringLiteral("evoadd"), QStringLiteral("Add an evolution into a species"));
        showByteList(add, m_addSpeciesList, 0);
        m_evolutions->setCellWidget(static_cast<int>(evolutions.size()), 3, add);
        connect(add, &QComboBox::currentIndexChanged, this, &Form6::addEvolution);
    }
    m_evolutions->setEnabled(list != nullptr);
    fitColumns(m_evolutions, {60, 96, 40, 150, 28});
    markLists();
}

void Form6::showLearnset()
{
    const QScopedValueRollback filling(m_filling, true);
    const EvosMoves* list = pickedList();
    const std::vector<LearnedMove> learnset = list != nullptr ? list->learnset : std::vector<LearnedMove>{};
    clearRows(m_learnset);
    m_learnset->setRowCount(static_cast<int>(learnset.size()) + (list != nullptr ? 1 : 0));
    for (int row = 0; row < static_cast<int>(learnset.size()); ++row) {
        const LearnedMove& entry = learnset[static_cast<std::size_t>(row)];
        QLineEdit* level = levelBox(QStringLiteral("learnlevel%1").arg(row + 1), QStringLiteral("Level"));
        setNumberText(level, QString::number(entry.level));
        QComboBox* move = rowList(QStringLiteral("learnmove%1").arg(row + 1), QStringLiteral("Move"));
        showByteList(move, m_moveList, entry.move);
        QToolButton* remove =
            removeButton(QStringLiteral("learnremove%1").arg(row + 1), QStringLiteral("Remove this move"));
        m_learnset->setCellWidget(row, 0, level);
        m_learnset->setCellWidget(row, 1, move);
        m_learnset->setCellWidget(row, 2, remove);
        connect(level, &QLineEdit::textChanged, this, [this, row] { learnedEdited(row); });
        connect(move, &QComboBox::currentIndexChanged, this, [this, row] { learnedEdited(row); });
        connect(remove, &QToolButton::clicked, this, [this, row] { removeLearned(row); });
    }
    if (list != nullptr) {
        const int last = static_cast<int>(learnset.size());
        QLineEdit* level = levelBox(QStringLiteral("learnaddlevel"), QStringLiteral("Level of the move to add"));
        setNumberText(level, QString::number(learnset.empty() ? 1 : learnset.back().level));
        QComboBox* add = rowList(QStringLiteral("learnadd"), QStringLiteral("Add a move at that level"));
        showByteList(add, m_addMoveList, 0);
        m_learnset->setCellWidget(last, 0, level);
        m_learnset->setCellWidget(last, 1, add);
        connect(add, &QComboBox::currentIndexChanged, this, &Form6::addLearned);
    }
    m_learnset->setEnabled(list != nullptr);
    m_sort->setEnabled(list != nullptr);
    fitColumns(m_learnset, {46, 150, 28});
    markLists();
}

void Form6::markLists()
{
    const EvosMoves* list = pickedList();
    if (list == nullptr) {
        return;
    }
    std::vector<QStringList> evolutionNotes(list->evolutions.size());
    std::vector<QStringList> learnedNotes(list->learnset.size());
    for (const ListProblem& problem : listProblems(*list)) {
        const bool learned =
            problem.field == ListProblem::Field::MoveLevel || problem.field == ListProblem::Field::Move;
        auto& notes = learned ? learnedNotes : evolutionNotes;
        if (static_cast<std::size_t>(problem.index) < notes.size()) {
            notes[static_cast<std::size_t>(problem.index)] << QString::fromStdString(problem.text);
        }
    }
    const std::vector<std::string> order =
        learnsetOrderNotes(list->learnset, [this](int move) { return m_moveNames.value(move - 1).toStdString(); });
    for (std::size_t k = 0; k < order.size() && k < learnedNotes.size(); ++k) {
        if (!order[k].empty()) {
            learnedNotes[k] << QString::fromStdString(order[k]);
        }
    }
    for (std::size_t k = 0; k < evolutionNotes.size(); ++k) {
        setNote(m_evolutions, static_cast<int>(k), 5, evolutionNotes[k].join(QStringLiteral("; ")));
    }
    for (std::size_t k = 0; k < learnedNotes.size(); ++k) {
        setNote(m_learnset, static_cast<int>(k), 3, learnedNotes[k].join(QStringLiteral("; ")));
    }
}

void Form6::evolutionEdited(int row)
{
    EvosMoves* list = pickedList();
    if (m_filling || list == nullptr || static_cast<std::size_t>(row) >= list->evolutions.size()) {
        return;
    }
    Evolution& evolution = list->evolutions[static_cast<std::size_t>(row)];
    const auto byte = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    const auto* kind = qobject_cast<QComboBox*>(m_evolutions->cellWidget(row, 0));
    const std::uint8_t newKind = byte(pickedByte(kind));
    const bool kindChanged = newKind != evolution.kind;
    evolution.kind = newKind;
    evolution.item =
        newKind == EvolveByItem ? byte(pickedByte(qobject_cast<QComboBox*>(m_evolutions->cellWidget(row, 1)))) : 0;
    evolution.level = byte(byteBoxValue(qobject_cast<QLineEdit*>(m_evolutions->cellWidget(row, 2))));
    evolution.species = byte(pickedByte(qobject_cast<QComboBox*>(m_evolutions->cellWidget(row, 3))));
    if (kindChanged) {
        // An item or a trade: the released games' level of 1; the item list turns on or off.
        if (newKind != EvolveByLevel) {
            evolution.level = 1;
        }
        showEvolutions();
    }
    markLists();
    updateState();
}

void Form6::addEvolution(int index)
{
    EvosMoves* list = pickedList();
    auto* add = qobject_cast<QComboBox*>(sender());
    if (m_filling || list == nullptr || add == nullptr || index <= 0) {
        return;
    }
    list->evolutions.push_back({EvolveByLevel, 0, NewEvolutionLevel, static_cast<std::uint8_t>(pickedByte(add))});
    showEvolutions();
    updateState();
}

void Form6::removeEvolution(int row)
{
    EvosMoves* list = pickedList();
    if (list == nullptr || static_cast<std::size_t>(row) >= list->evolutions.size()) {
        return;
    }
    list->evolutions.erase(list->evolutions.begin() + row);
    showEvolutions();
    updateState();
}

void Form6::learnedEdited(int row)
{
    EvosMoves* list = pickedList();
    if (m_filling || list == nullptr || static_cast<std::size_t>(row) >= list->learnset.size()) {
        return;
    }
    LearnedMove& entry = list->learnset[static_cast<std::size_t>(row)];
    entry.level = static_cast<std::uint8_t>(byteBoxValue(qobject_cast<QLineEdit*>(m_learnset->cellWidget(row, 0))));
    entry.move = static_cast<std::uint8_t>(pickedByte(qobject_cast<QComboBox*>(m_learnset->cellWidget(row, 1))));
    // Never re-sorted here: the entry keeps its place, and its note says what that place means.
    markLists();
    updateState();
}

void Form6::addLearned(int index)
{
    EvosMoves* list = pickedList();
    auto* add = qobject_cast<QComboBox*>(sender());
    if (m_filling || list == nullptr || add == nullptr || index <= 0) {
        return;
    }
    const int last = m_learnset->rowCount() - 1;
    const int level = byteBoxValue(qobject_cast<QLineEdit*>(m_learnset->cellWidget(last, 0)));
    const LearnedMove entry{static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(pickedByte(add))};
    list->learnset.insert(list->learnset.begin() + static_cast<std::ptrdiff_t>(placeForLevel(list->learnset, level)),
                          entry);
    showLearnset();
    updateState();
}

void Form6::removeLearned(int row)
{
    EvosMoves* list = pickedList();
    if (list == nullptr || static_cast<std::size_t>(row) >= list->learnset.size()) {
        return;
    }
    list->learnset.erase(list->learnset.begin() + row);
    showLearnset();
    updateState();
}

void Form6::sortLearnset()
{
    EvosMoves* list = pickedList();
    if (list == nullptr) {
        return;
    }
    list->learnset = sortedByLevel(list->learnset);
    showLearnset();
    updateState();
}
