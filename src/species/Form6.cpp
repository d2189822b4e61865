#include "species/Form6.h"

#include "catalogues/CatalogueFill.h"
#include "catalogues/NameCatalogues.h"
#include "maps/MapNames.h"
#include "maps/MapTable.h"
#include "pictures/PictureBook.h"
#include "species/GameConstants.h"
#include "species/LearnsetRules.h"
#include "trainers/PartyTable.h"
#include "trainers/TrainerRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <set>

namespace {

constexpr int NumberRole = Qt::UserRole;
constexpr int PlaceRole = Qt::UserRole;

QString numbered(int number, const QString& name)
{
    return QStringLiteral("%1 %2").arg(number, 3, 10, QLatin1Char('0')).arg(name);
}

} // namespace

Form6::Form6(RomTarget rom, PictureBook* pictures)
    : QWidget(nullptr, Qt::Window), m_rom(std::move(rom)), m_pictures(pictures), m_steps(new QUndoStack(this)),
      m_edits(std::make_unique<EditHistory<Shown>>(
          m_steps, [this] { return shown(); }, [this](const Shown& state) { showEdits(state); }))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Pokémon[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/images/tavrik.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    auto* listPanel = new QWidget;
    listPanel->setMinimumWidth(150);
    auto* listLayout = new QVBoxLayout(listPanel);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_filter = new QLineEdit;
    m_filter->setObjectName(QStringLiteral("txtspeciesfilter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter by name or number"));
    m_filter->setAccessibleName(m_filter->placeholderText());
    m_filter->setClearButtonEnabled(true);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("specieslist"));
    m_list->setAccessibleName(QStringLiteral("The 151 species in Pokédex order"));
    m_list->setUniformItemSizes(true);
    listLayout->addWidget(m_filter);
    listLayout->addWidget(m_list);
    splitter->addWidget(listPanel);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_speciesPage = new QWidget;
    m_speciesPage->setObjectName(QStringLiteral("speciespage"));
    buildSpeciesPage(m_speciesPage);
    m_tabs->addTab(m_speciesPage, QStringLiteral("Pokémon"));
    auto* movesPage = new QWidget;
    movesPage->setObjectName(QStringLiteral("movespage"));
    buildMovesPage(movesPage);
    m_tabs->addTab(movesPage, QStringLiteral("Moves"));
    splitter->addWidget(m_tabs);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    m_notes = new QLabel;
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_notes);
    auto* saveRow = new QHBoxLayout;
    m_bankRoom = new QLabel;
    m_bankRoom->setObjectName(QStringLiteral("bankroom"));
    m_save = new QPushButton(QStringLiteral("&Save"));
    m_save->setObjectName(QStringLiteral("cmdSave"));
    m_save->setToolTip(QStringLiteral("Writes every edited species and move to the ROM (Ctrl+S)."));
    saveRow->addWidget(m_bankRoom, 1);
    saveRow->addWidget(m_save);
    layout->addLayout(saveRow);
    m_statusBar = new QStatusBar;
    m_statusBar->setObjectName(QStringLiteral("statusbar"));
    m_statusBar->setSizeGripEnabled(false);
    layout->addWidget(m_statusBar);

    connect(m_list, &QListWidget::currentItemChanged, this, &Form6::speciesPicked);
    connect(m_filter, &QLineEdit::textChanged, this, &Form6::applyFilter);
    connect(m_filter, &QLineEdit::returnPressed, this, &Form6::pickFirstShown);
    connect(m_save, &QPushButton::clicked, this, &Form6::cmdSave_Click);
    // The moves are laid out when their tab is first shown: opening the window need not wait for them.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this, movesPage] {
        if (m_tabs->currentWidget() == movesPage && !m_movesShown) {
            m_movesShown = true;
            fillMovesTable();
        }
    });
    restoreSettings();
    // The keys go to the list of species first; the filter is a click or a Tab away.
    setFocusProxy(m_list);
}

Form6::~Form6() = default;

QStatusBar* Form6::statusBar() const
{
    return m_statusBar;
}

QUndoStack* Form6::editSteps() const
{
    return m_steps;
}

void Form6::loadSpecies(const Bytes& image)
{
    const VersionProfile& profile = *m_rom.profile;
    m_data = readSpeciesData(image, profile);
    m_loaded.stats.clear();
    for (const SpeciesRecord& record : m_data.records) {
        m_loaded.stats.push_back(record.stats);
    }
    m_loaded.lists.clear();
    for (const EvosMovesList& list : m_data.evosMoves.lists) {
        m_loaded.lists.push_back(list.content);
    }
    m_loaded.moves = m_data.moves.values;
    m_work = m_loaded;
    {
        // The lists' models change under their selections: no edit of the user's.
        const QScopedValueRollback filling(m_filling, true);
        m_speciesNames = toQStringList(speciesNames(image, profile));
        m_moveNames = toQStringList(moveNames(image, profile));
        const std::vector<std::string> items = itemNames(image, profile);
        m_itemNames = toQStringList(items) + toQStringList(itemPlaceholders(items.size()));
        const PartyTable parties = readPartyTable(image, profile);
        m_room = bankRoom(image, profile, parties);
        fillMetIn(image, parties);
        fillNames();
    }
    fillSpeciesList();
    if (m_movesShown) {
        fillMovesTable();
    }
    if (m_number < 1 || m_number > PokedexNumbers) {
        m_number = 1;
    }
    {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(m_number - 1);
    }
    m_note.clear();
    showSpecies();
    m_edits->reset();
}

void Form6::fillNames()
{
    m_typeNames.clear();
    for (int type = 0; type < TypeCount; ++type) {
        const auto index = static_cast<std::size_t>(type);
        const std::string name = index < m_data.typeNames.values.size() ? m_data.typeNames.values[index] : "";
        m_typeNames << (name.empty() ? QStringLiteral("Type 0x%1").arg(type, 2, 16, QLatin1Char('0')).toUpper()
                                     : QString::fromStdString(name));
    }
    m_machineNames = toQStringList(machineNames());
    // Made once, filled anew for each image: the lists keep their models.
    const auto names = [this](ByteNames& list, const QStringList& items, int firstByte, const QString& none = {}) {
        if (list.model == nullptr) {
            list = byteNames(this, items, firstByte, none);
        } else if (const QStringList all = none.isEmpty() ? items : QStringList{none} + items;
                   all != list.model->stringList()) {
            // Every list showing the model is reset, and shown anew after this.
            list.model->setStringList(all);
        }
    };
    QStringList growths;
    for (int growth = 0; growth < GrowthRateCount; ++growth) {
        growths << QString::fromStdString(inWords(growthName(growth)));
    }
    const QStringList moves = m_moveNames.mid(0, MoveCount);
    const QStringList species = m_speciesNames.mid(1);
    names(m_typeList, m_typeNames, 0);
    names(m_growthList, growths, 0);
    names(m_moveList, moves, 1, QStringLiteral("—"));
    names(m_addMoveList, moves, 1, QStringLiteral("Add a move…"));
    names(m_itemList, m_itemNames, 1, QStringLiteral("—"));
    names(m_speciesList, species, 1);
    names(m_addSpeciesList, species, 1, QStringLiteral("Add an evolution…"));
    names(m_kindList, {QStringLiteral("Level"), QStringLiteral("Item"), QStringLiteral("Trade")}, EvolveByLevel);
}

QString Form6::speciesName(int species) const
{
    return species >= 0 && species < m_speciesNames.size() ? m_speciesNames[species]
                                                           : QStringLiteral("0x%1").arg(species, 2, 16, QChar('0'));
}

void Form6::fillSpeciesList()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const SpeciesRecord& record : m_data.records) {
        auto* item = new QListWidgetItem(numbered(record.number, speciesName(record.species)), m_list);
        item->setData(NumberRole, record.number);
    }
    applyFilter();
}

void Form6::applyFilter()
{
    const QString text = m_filter->text().trimmed();
    for (int k = 0; k < m_list->count(); ++k) {
        QListWidgetItem* item = m_list->item(k);
        const int number = item->data(NumberRole).toInt();
        const bool match = item->text().contains(text, Qt::CaseInsensitive) || QString::number(number) == text;
        // The species shown stays listed: the list never hides what the tab shows.
        item->setHidden(number != m_number && !match);
    }
}

void Form6::pickFirstShown()
{
    m_list->setFocus();
    const QString text = m_filter->text().trimmed();
    for (int k = 0; k < m_list->count(); ++k) {
        QListWidgetItem* item = m_list->item(k);
        if (!item->isHidden() && (item->text().contains(text, Qt::CaseInsensitive) || QString::number(k + 1) == text)) {
            m_list->setCurrentItem(item);
            return;
        }
    }
}

void Form6::speciesPicked(QListWidgetItem* current)
{
    // Edits stay with their species until the save: picking another one asks nothing.
    if (current != nullptr && current->data(NumberRole).toInt() != m_number) {
        m_number = current->data(NumberRole).toInt();
        showSpecies();
    }
}

void Form6::selectNumber(int number)
{
    QListWidgetItem* item = m_list->item(number - 1);
    if (item == nullptr) {
        return;
    }
    if (item->isHidden()) {
        m_filter->clear();
    }
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

BaseStats* Form6::pickedStats()
{
    const auto index = static_cast<std::size_t>(m_number - 1);
    if (m_number < 1 || index >= m_work.stats.size() || !m_data.records[index].readable()) {
        return nullptr;
    }
    return &m_work.stats[index];
}

int Form6::pickedListIndex() const
{
    const std::size_t record = static_cast<std::size_t>(m_number - 1);
    if (m_number < 1 || record >= m_data.records.size()) {
        return -1;
    }
    const int species = m_data.records[record].species;
    if (species < 1 || species > SpeciesCount) {
        return -1;
    }
    const int index = m_data.evosMoves.listIndex[static_cast<std::size_t>(species - 1)];
    return index >= 0 && m_data.evosMoves.lists[static_cast<std::size_t>(index)].editable() ? index : -1;
}

EvosMoves* Form6::pickedList()
{
    const int index = pickedListIndex();
    return index < 0 ? nullptr : &m_work.lists[static_cast<std::size_t>(index)];
}

void Form6::showSpecies()
{
    applyFilter();
    const std::size_t record = static_cast<std::size_t>(std::max(0, m_number - 1));
    const int species = record < m_data.records.size() ? m_data.records[record].species : 0;
    m_title->setText(numbered(m_number, speciesName(species)));
    if (m_pictures != nullptr) {
        m_pictures->showSpecies(m_picture, species);
    }
    showRecord();
    showEvolutions();
    showLearnset();
    showMetIn();
    updateState();
}

void Form6::fillMetIn(const Bytes& image, const PartyTable& parties)
{
    const VersionProfile& profile = *m_rom.profile;
    m_metIn.assign(SpeciesCount + 1, {});
    const MapTable maps = readMaps(image, profile);
    m_mapsVersion = maps.version;
    std::set<int> species;
    const auto metAt = [this, &species](int number, int party) {
        for (const int one : species) {
            if (one >= 1 && one <= SpeciesCount) {
                m_metIn[static_cast<std::size_t>(one)].push_back({number, party});
            }
        }
    };
    for (const WildTable& wild : maps.wild) {
        species.clear();
        for (const WildArea* area : {&wild.grass, &wild.water}) {
            for (const WildSlot& slot : area->on() ? area->slot : decltype(area->slot){}) {
                species.insert(slot.species);
            }
        }
        for (const int map : wild.maps) {
            metAt(map, 0);
        }
    }
    m_classNames = toQStringList(readClassNames(image, profile));
    for (const PartyList& list : parties.lists) {
        if (list.classes.empty()) {
            continue;
        }
        for (std::size_t party = 0; party < list.parties.size(); ++party) {
            species.clear();
            for (const PartyMember& member : list.parties[party].members) {
                species.insert(member.species);
            }
            metAt(list.classes[0], static_cast<int>(party) + 1);
        }
    }
}

void Form6::showMetIn()
{
    m_metInList->clear();
    const std::size_t record = static_cast<std::size_t>(std::max(0, m_number - 1));
    const int species = record < m_data.records.size() ? m_data.records[record].species : 0;
    if (species < 1 || static_cast<std::size_t>(species) >= m_metIn.size()) {
        return;
    }
    QFont link = m_metInList->font();
    link.setUnderline(true);
    for (const MetPlace& met : m_metIn[static_cast<std::size_t>(species)]) {
        const bool onMap = met.party == 0;
        const QString className = met.number >= 1 && met.number <= m_classNames.size()
                                      ? m_classNames[met.number - 1]
                                      : QStringLiteral("Class %1").arg(met.number);
        auto* item = new QListWidgetItem(onMap ? QString::fromUtf8(mapName(m_mapsVersion, met.number))
                                               : QStringLiteral("%1 party %2").arg(className).arg(met.party),
                                         m_metInList);
        item->setData(PlaceRole,
                      onMap ? QStringLiteral("map:%1").arg(met.number)
                            : QStringLiteral("party:%1:%2").arg(met.number).arg(met.party));
        item->setFont(link);
        item->setForeground(palette().link());
        item->setToolTip(onMap ? QStringLiteral("Its grass or water, on the map")
                               : QStringLiteral("The party, in Trainer Parties"));
    }
    if (m_metInList->count() == 0) {
        auto* none = new QListWidgetItem(QStringLiteral("No wild table or party of this ROM holds it."), m_metInList);
        none->setFlags(Qt::NoItemFlags);
    }
}

void Form6::metInActivated(QListWidgetItem* item)
{
    const QStringList parts = item->data(PlaceRole).toString().split(QLatin1Char(':'));
    if (parts.value(0) == QStringLiteral("map")) {
        emit openMap(parts.value(1).toInt());
    } else if (parts.value(0) == QStringLiteral("party")) {
        emit openParty(parts.value(1).toInt(), parts.value(2).toInt());
    }
}
