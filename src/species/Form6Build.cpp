// The Pokémon window's controls, laid out so that the window fits a screen of 1366 × 768 at scale 1: the list of
// species on the left, the species' fields, lists and places in the middle of its tab, the moves in a tab of their
// own, the notes, the trainer bank's room and Save under them.

#include "rom/WindowPlace.h"
#include "species/Form6.h"
#include "species/NarrowList.h"
#include "trainers/InputFilters.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString PlaceSetting = QStringLiteral("pokemon/place");
const QString SplitterSetting = QStringLiteral("pokemon/splitter");
constexpr QSize DefaultSize(1180, 700);
constexpr int ListWidth = 200;
constexpr int PictureSide = 112;

QLineEdit* byteBox(const QString& name, const QString& what)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setAccessibleName(what);
    box->setMaxLength(3);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    installByteBox(box);
    return box;
}

QComboBox* pickList(const QString& name, const QString& what)
{
    auto* box = new NarrowList(12);
    box->setObjectName(name);
    box->setAccessibleName(what);
    box->setMaxVisibleItems(20);
    return box;
}

QTableWidget* rowTable(const QString& name, const QString& what, const QStringList& headers)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
    table->setObjectName(name);
    table->setAccessibleName(what);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    return table;
}

} // namespace

void Form6::buildSpeciesPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("spicture"));
    m_picture->setAccessibleName(QStringLiteral("Picture of the species"));
    m_picture->setFixedSize(PictureSide, PictureSide);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    auto* left = new QVBoxLayout;
    m_title = new QLabel;
    m_title->setObjectName(QStringLiteral("stitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    left->addWidget(m_title);
    left->addWidget(m_picture);
    left->addStretch();
    top->addLayout(left);
    top->addWidget(buildStatsBox(), 1);
    layout->addLayout(top);
    layout->addWidget(buildListsBox(), 1);
}

QWidget* Form6::buildStatsBox()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList names{QStringLiteral("sbaseHP"),
                            QStringLiteral("sbaseAtk"),
                            QStringLiteral("sbaseDef"),
                            QStringLiteral("sbaseSpd"),
                            QStringLiteral("sbaseSpc"),
                            QStringLiteral("scatch"),
                            QStringLiteral("sbaseexp")};
    const QStringList labels{QStringLiteral("HP:"),
                             QStringLiteral("Attack:"),
                             QStringLiteral("Defense:"),
                             QStringLiteral("Speed:"),
                             QStringLiteral("Special:"),
                             QStringLiteral("Catch rate:"),
                             QStringLiteral("Base exp.:")};
    for (int k = 0; k < names.size(); ++k) {
        QLineEdit* edit = byteBox(names[k], labels[k].chopped(1));
        auto* label = new QLabel(labels[k]);
        label->setBuddy(edit);
        const int column = k < 5 ? 0 : 2;
        const int row = k < 5 ? k : k - 5;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        m_statBoxes.push_back(edit);
        connect(edit, &QLineEdit::textChanged, this, &Form6::recordEdited);
    }
    const QStringList typeLabels{QStringLiteral("Type 1:"), QStringLiteral("Type 2:")};
    for (int k = 0; k < 2; ++k) {
        QComboBox* type = pickList(QStringLiteral("stype%1").arg(k + 1), typeLabels[k].chopped(1));
        auto* label = new QLabel(typeLabels[k]);
        label->setBuddy(type);
        grid->addWidget(label, k + 2, 2);
        grid->addWidget(type, k + 2, 3);
        m_typeBoxes.push_back(type);
        connect(type, &QComboBox::currentIndexChanged, this, &Form6::recordEdited);
    }
    m_growth = pickList(QStringLiteral("sgrowth"), QStringLiteral("Growth rate"));
    auto* growthLabel = new QLabel(QStringLiteral("Growth rate:"));
    growthLabel->setBuddy(m_growth);
    grid->addWidget(growthLabel, 4, 2);
    grid->addWidget(m_growth, 4, 3);
    connect(m_growth, &QComboBox::currentIndexChanged, this, &Form6::recordEdited);
    auto* movesLabel = new QLabel(QStringLiteral("Level-1 moves:"));
    grid->addWidget(movesLabel, 0, 4);
    for (int k = 0; k < 4; ++k) {
        QComboBox* move = pickList(QStringLiteral("smove%1").arg(k + 1), QStringLiteral("Level-1 move %1").arg(k + 1));
        grid->addWidget(move, k + 1, 4);
        m_levelOneMoves.push_back(move);
        connect(move, &QComboBox::currentIndexChanged, this, &Form6::recordEdited);
    }
    movesLabel->setBuddy(m_levelOneMoves.front());
    grid->setColumnStretch(5, 1);
    return box;
}

QWidget* Form6::buildListsBox()
{
    auto* row = new QSplitter(Qt::Horizontal);
    row->setObjectName(QStringLiteral("listsplitter"));
    row->setChildrenCollapsible(false);

    auto* machines = new QGroupBox(QStringLiteral("TM/HM"));
    auto* machineLayout = new QVBoxLayout(machines);
    m_machines = new QListWidget;
    m_machines->setObjectName(QStringLiteral("tmhm"));
    m_machines->setAccessibleName(QStringLiteral("The TMs and HMs it learns"));
    m_machines->setUniformItemSizes(true);
    machineLayout->addWidget(m_machines);
    connect(m_machines, &QListWidget::itemChanged, this, &Form6::machineToggled);
    row->addWidget(machines);

    auto* lists = new QWidget;
    auto* listLayout = new QVBoxLayout(lists);
    listLayout->setContentsMargins(0, 0, 0, 0);
    auto* evolutionBox = new QGroupBox(QStringLiteral("Evolutions"));
    auto* evolutionLayout = new QVBoxLayout(evolutionBox);
    m_evolutions = rowTable(QStringLiteral("evolutions"),
                            QStringLiteral("Evolutions"),
                            {QStringLiteral("By"),
                             QStringLiteral("Item"),
                             QStringLiteral("Level"),
                             QStringLiteral("Into"),
                             QString(),
                             QStringLiteral("Note")});
    evolutionLayout->addWidget(m_evolutions);
    listLayout->addWidget(evolutionBox, 2);
    auto* learnsetBox = new QGroupBox(QStringLiteral("Learnset"));
    auto* learnsetLayout = new QVBoxLayout(learnsetBox);
    m_learnset = rowTable(QStringLiteral("learnset"),
                          QStringLiteral("Learnset: level and move, in the order the game walks them"),
                          {QStringLiteral("Level"), QStringLiteral("Move"), QString(), QStringLiteral("Note")});
    learnsetLayout->addWidget(m_learnset);
    m_sort = new QPushButton(QStringLiteral("Sort by level"));
    m_sort->setObjectName(QStringLiteral("cmdSortLearnset"));
    m_sort->setToolTip(QStringLiteral("Puts the entries in the order of their levels, entries of one level kept in "
                                      "their order."));
    connect(m_sort, &QPushButton::clicked, this, &Form6::sortLearnset);
    auto* sortRow = new QHBoxLayout;
    sortRow->addStretch();
    sortRow->addWidget(m_sort);
    learnsetLayout->addLayout(sortRow);
    listLayout->addWidget(learnsetBox, 3);
    row->addWidget(lists);

    auto* metIn = new QGroupBox(QStringLiteral("Met in"));
    auto* metInLayout = new QVBoxLayout(metIn);
    m_metInList = new QListWidget;
    m_metInList->setObjectName(QStringLiteral("metin"));
    m_metInList->setAccessibleName(QStringLiteral("Maps and parties it is met in: activate one to open it"));
    m_metInList->setToolTip(QStringLiteral("Double-click a place, or press Enter, to open that map or party."));
    m_metInList->setUniformItemSizes(true);
    metInLayout->addWidget(m_metInList);
    connect(m_metInList, &QListWidget::itemActivated, this, &Form6::metInActivated);
    row->addWidget(metIn);
    row->setStretchFactor(0, 2);
    row->setStretchFactor(1, 5);
    row->setStretchFactor(2, 2);
    return row;
}

void Form6::buildMovesPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    m_moves = rowTable(QStringLiteral("moves"),
                       QStringLiteral("The moves: double-click a value to edit it"),
                       {QStringLiteral("Move"),
                        QStringLiteral("Effect"),
                        QStringLiteral("Power"),
                        QStringLiteral("Type"),
                        QStringLiteral("Accuracy"),
                        QStringLiteral("PP")});
    m_moves->setSelectionMode(QAbstractItemView::SingleSelection);
    m_moves->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_moves->horizontalHeader()->setStretchLastSection(false);
    // Rows of one line, as a list's: 165 of them are read by scrolling.
    m_moves->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_moves->verticalHeader()->setDefaultSectionSize(m_moves->fontMetrics().height() + 8);
    layout->addWidget(m_moves);
}

void Form6::restoreSettings()
{
    const QSize size = screenFit(this, DefaultSize);
    resize(size);
    restoreWindowPlace(this, PlaceSetting);
    auto* splitter = findChild<QSplitter*>(QStringLiteral("splitter"));
    splitter->setSizes({ListWidth, std::max(0, size.width() - ListWidth)});
    splitter->restoreState(QSettings().value(SplitterSetting).toByteArray());
}

void Form6::saveSettings()
{
    saveWindowPlace(this, PlaceSetting);
    QSettings().setValue(SplitterSetting, findChild<QSplitter*>(QStringLiteral("splitter"))->saveState());
}
