#include "maps/Form5.h"

#include "catalogues/CatalogueFill.h"
#include "catalogues/NameCatalogues.h"
#include "maps/MapDrawing.h"
#include "maps/PartyPlaces.h"
#include "rom/DisplayText.h"
#include "rom/WindowPlace.h"
#include "trainers/InputFilters.h"
#include "trainers/TrainerRecord.h"
#include "ui_Form5.h"

#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {

constexpr int MapRole = Qt::UserRole;

const QString PlaceSetting = QStringLiteral("maps/place");
const QString SplitterSetting = QStringLiteral("maps/splitter");
const QString ZoomSetting = QStringLiteral("maps/zoom");
const QString MapSetting = QStringLiteral("maps/map");
constexpr int DefaultZoom = 2;
constexpr QSize DefaultSize(1280, 720);
constexpr int ListWidth = 220;
constexpr int DetailsWidth = 460;

QString hexId(int id)
{
    return QString::fromStdString(hexNumber(id, 2));
}

// "0x3B Mt. Moon 1F"; a copy names the map it copies; an id Tavrik has no name for shows the id alone.
QString listText(const MapRow& row)
{
    QString name = QString::fromUtf8(row.name);
    if (name == QStringLiteral("Map ") + hexId(row.id)) {
        name.clear();
    }
    if (row.copyOf) {
        name.remove(QStringLiteral(" (copy)"));
        name += QStringLiteral(" (copy of %1)").arg(hexId(*row.copyOf));
    }
    return (hexId(row.id) + QLatin1Char(' ') + name).trimmed();
}

} // namespace

Form5::Form5(RomTarget rom, PictureBook* pictures)
    : QWidget(nullptr, Qt::Window), ui(std::make_unique<Ui::Form5>()), m_rom(std::move(rom)), m_pictures(pictures),
      m_species(new QStringListModel(this)), m_steps(new QUndoStack(this)),
      m_edits(std::make_unique<EditHistory<ShownMap>>(
          m_steps, [this] { return shownMap(); }, [this](const ShownMap& shown) { showMapEdits(shown); }))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui->statics->build(QStringLiteral("spkmn"), QStringLiteral("slvl"), QStringLiteral("standing Pokémon"), MaxObjects);
    ui->grassslots->build(QStringLiteral("gpkmn"), QStringLiteral("glvl"), QStringLiteral("grass slot"), WildSlotCount);
    ui->waterslots->build(QStringLiteral("wpkmn"), QStringLiteral("wlvl"), QStringLiteral("water slot"), WildSlotCount);
    for (PokemonGrid* grid : {ui->statics, ui->grassslots, ui->waterslots}) {
        grid->setSpeciesModel(m_species);
        grid->setPictureBook(m_pictures);
        connect(grid, &PokemonGrid::changed, this, &Form5::updateState);
    }
    for (PokemonGrid* grid : {ui->grassslots, ui->waterslots}) {
        connect(grid, &PokemonGrid::changed, this, &Form5::captionWild);
    }
    buildFishing();
    installByteBox(ui->grassrate);
    installByteBox(ui->waterrate);
    connect(ui->grassrate, &QLineEdit::textChanged, this, [this] { rateTyped(false); });
    connect(ui->waterrate, &QLineEdit::textChanged, this, [this] { rateTyped(true); });
    connect(ui->maplist, &QListWidget::currentItemChanged, this, &Form5::maplist_Click);
    connect(ui->txtmapfilter, &QLineEdit::textChanged, this, &Form5::applyFilter);
    connect(ui->txtmapfilter, &QLineEdit::returnPressed, this, &Form5::pickFirstShown);
    connect(ui->maptrainers, &QTreeWidget::currentItemChanged, this, &Form5::trainerChosen);
    connect(ui->maptrainers, &QTreeWidget::itemActivated, this, &Form5::trainerActivated);
    connect(ui->scriptbattles, &QListWidget::itemActivated, this, &Form5::scriptActivated);
    connect(ui->statics, &PokemonGrid::picked, this, &Form5::staticChosen);
    connect(ui->mapview, &MapView::markerClicked, this, &Form5::markerClicked);
    connect(ui->mapview, &MapView::zoomRequested, this, [this](int zoom) { ui->zoom->setCurrentIndex(zoom - 1); });
    connect(ui->zoom, &QComboBox::currentIndexChanged, this, [this](int index) { zoomTo(index + 1); });
    connect(ui->cmdSave, &QPushButton::clicked, this, &Form5::cmdSave_Click);
    restoreSettings();
    // The keys go to the list of maps first; the filter is a click or a Tab away.
    setFocusProxy(ui->maplist);
}

Form5::~Form5() = default;

MapView* Form5::mapView() const
{
    return ui->mapview;
}

QTreeWidget* Form5::trainerList() const
{
    return ui->maptrainers;
}

PokemonGrid* Form5::staticCells() const
{
    return ui->statics;
}

QStatusBar* Form5::statusBar() const
{
    return ui->statusbar;
}

QUndoStack* Form5::editSteps() const
{
    return m_steps;
}

void Form5::restoreSettings()
{
    // The room the window gains goes to the picture.
    ui->splitter->setStretchFactor(0, 0);
    ui->splitter->setStretchFactor(1, 1);
    ui->splitter->setStretchFactor(2, 0);
    // Never larger than the screen: a window cut off at its edge would hide the save button.
    const QSize size = screenFit(this, DefaultSize);
    resize(size);
    const int details = std::max(ui->detailpanel->minimumWidth(), DetailsWidth);
    ui->splitter->setSizes({ListWidth, std::max(0, size.width() - ListWidth - details), details});
    restoreWindowPlace(this, PlaceSetting);
    const QSettings settings;
    ui->splitter->restoreState(settings.value(SplitterSetting).toByteArray());
    // The map the window showed last, once the maps are read.
    m_map = settings.value(MapSetting, -1).toInt();
    const int zoom = std::clamp(settings.value(ZoomSetting, DefaultZoom).toInt(), 1, MapView::MaxZoom);
    ui->mapview->setZoom(zoom);
    const QSignalBlocker blocker(ui->zoom);
    ui->zoom->setCurrentIndex(zoom - 1);
}

void Form5::saveSettings()
{
    saveWindowPlace(this, PlaceSetting);
    QSettings settings;
    settings.setValue(SplitterSetting, ui->splitter->saveState());
    settings.setValue(MapSetting, m_map);
}

void Form5::zoomTo(int zoom)
{
    ui->mapview->setZoom(zoom);
    QSettings().setValue(ZoomSetting, zoom);
}

void Form5::loadMaps(const Bytes& image)
{
    const VersionProfile& profile = *m_rom.profile;
    m_image = image;
    m_drawing = std::make_unique<MapDrawing>(m_image, profile.version);
    m_table = readMaps(m_image, profile);
    m_parties = readPartyTable(m_image, profile);
    m_speciesData = readSpeciesData(m_image, profile);
    m_specialMoves = readSpecialMoves(m_image, profile);
    m_moveNames = toQStringList(moveNames(m_image, profile));
    m_classNames = toQStringList(readClassNames(m_image, profile));
    const QStringList species = toQStringList(speciesNames(m_image, profile));
    if (species != m_species->stringList()) {
        m_species->setStringList(species);
    }
    fillMapList();
    applyFilter();
    const MapRow* kept = m_table.row(m_map);
    if (kept == nullptr || !kept->isMap()) {
        const auto first =
            std::find_if(m_table.rows.begin(), m_table.rows.end(), [](const MapRow& row) { return row.isMap(); });
        m_map = first != m_table.rows.end() ? first->id : -1;
    }
    if (QListWidgetItem* item = ui->maplist->item(m_map)) {
        const QSignalBlocker blocker(ui->maplist);
        ui->maplist->setCurrentItem(item);
        ui->maplist->scrollToItem(item);
    }
    showMap();
}

void Form5::fillMapList()
{
    const QSignalBlocker blocker(ui->maplist);
    ui->maplist->clear();
    for (const MapRow& row : m_table.rows) {
        auto* item = new QListWidgetItem(listText(row), ui->maplist);
        item->setData(MapRole, row.id);
        item->setToolTip(item->text());
        if (!row.isMap()) {
            // Listed, so that a map another tool broke is not simply gone, but never selected.
            item->setFlags(Qt::NoItemFlags);
            item->setToolTip(QStringLiteral("Not a map Tavrik can read: %1.").arg(QString::fromStdString(row.problem)));
        }
    }
}

bool Form5::matchesFilter(const QListWidgetItem* item) const
{
    const QString text = ui->txtmapfilter->text().trimmed();
    return item->text().contains(text, Qt::CaseInsensitive) || QString::number(item->data(MapRole).toInt()) == text;
}

void Form5::applyFilter()
{
    for (int k = 0; k < ui->maplist->count(); ++k) {
        QListWidgetItem* item = ui->maplist->item(k);
        // The map shown stays listed: the list never hides what the picture and the tabs show.
        item->setHidden(item->data(MapRole).toInt() != m_map && !matchesFilter(item));
    }
}

void Form5::pickFirstShown()
{
    ui->maplist->setFocus();
    QListWidgetItem* current = ui->maplist->currentItem();
    if (current != nullptr && matchesFilter(current)) {
        return;
    }
    for (int k = 0; k < ui->maplist->count(); ++k) {
        QListWidgetItem* item = ui->maplist->item(k);
        if (matchesFilter(item) && (item->flags() & Qt::ItemIsEnabled)) {
            ui->maplist->setCurrentItem(item);
            return;
        }
    }
}

void Form5::maplist_Click(QListWidgetItem* current)
{
    if (current == nullptr || current->data(MapRole).toInt() == m_map) {
        return;
    }
    const int id = current->data(MapRole).toInt();
    // A save fills the list anew: neither item may be used after this.
    if (!mayLeaveMap()) {
        // Cancelled: the edited map stays selected and keeps its edits.
        const QSignalBlocker blocker(ui->maplist);
        ui->maplist->setCurrentItem(ui->maplist->item(m_map));
        return;
    }
    m_map = id;
    m_note.clear();
    {
        const QSignalBlocker blocker(ui->maplist);
        ui->maplist->setCurrentItem(ui->maplist->item(m_map));
    }
    showMap();
}

void Form5::selectMap(int id)
{
    QListWidgetItem* item = ui->maplist->item(id);
    if (item == nullptr || !(item->flags() & Qt::ItemIsEnabled)) {
        return;
    }
    if (item->isHidden()) {
        ui->txtmapfilter->clear();
    }
    ui->maplist->setCurrentItem(item);
    ui->maplist->scrollToItem(item);
}

void Form5::selectTrainer(int classNumber, int partyNumber)
{
    // A list two classes share is fought by trainers of either.
    const PartyList* list = m_parties.listOf(classNumber);
    std::vector<int> classes{classNumber};
    for (const int sharing : list != nullptr ? list->classes : ClassList{}) {
        if (sharing != classNumber) {
            classes.push_back(sharing);
        }
    }
    PartyPlaces places;
    for (const int candidate : classes) {
        places = partyPlaces(m_table, candidate, partyNumber);
        if (!places.maps.empty()) {
            break;
        }
    }
    const QString party = QStringLiteral("%1 party %2").arg(className(classNumber)).arg(partyNumber);
    QString note;
    if (!places.maps.empty()) {
        const MapPlace& place = places.maps.front();
        selectMap(place.map);
        if (m_map != place.map) {
            return;
        }
        chooseTrainer(place.object);
        QStringList others;
        for (std::size_t k = 1; k < places.maps.size(); ++k) {
            others << QString::fromStdString(placeText(places.maps[k]));
        }
        note = others.isEmpty()
                   ? QString()
                   : QStringLiteral("%1 is also fought on %2.").arg(party, others.join(QStringLiteral("; ")));
    } else if (places.script) {
        selectMap(places.script->map);
        note = QStringLiteral("%1 is fought in %2.")
                   .arg(party, QString::fromStdString(scriptText(m_table.version, *places.script)));
    } else {
        note = QStringLiteral("No map of this ROM uses %1.").arg(party);
    }
    m_note = note;
    updateState();
}

void Form5::showMap()
{
    applyFilter();
    const MapRow* row = m_table.row(m_map);
    const MapRow* objects = row != nullptr && row->copyOf ? m_table.row(*row->copyOf) : row;
    if (row == nullptr || !row->isMap() || objects == nullptr) {
        m_readOnly = QStringLiteral("This ROM has no map Tavrik can read.");
        m_drawNote.clear();
        ui->mapview->setPicture(QImage(), {});
        ui->mapsize->clear();
        MapRow none;
        none.problem = "no map";
        fillTrainers(none);
        fillStatics(none);
        fillWild(none);
        fillFishing(none);
        fillScripts();
        updateState();
        m_edits->reset();
        return;
    }
    m_readOnly = row->copyOf ? QStringLiteral("%1 uses the header of %2 %3: its Pokémon are edited there, and its wild "
                                              "Pokémon are left as they are.")
                                   .arg(mapTitle(row->id), hexId(objects->id), mapTitle(objects->id))
                             : QString();
    ui->mapsize->setText(QStringLiteral("%1 × %2 blocks").arg(row->width).arg(row->height));
    drawMap(*row, *objects);
    fillTrainers(*objects);
    fillStatics(*objects);
    fillWild(*row);
    fillFishing(*row);
    fillScripts();
    updateState();
    m_edits->reset();
}

void Form5::rateTyped(bool water)
{
    PokemonGrid* grid = water ? ui->waterslots : ui->grassslots;
    const bool editable = (water ? m_water : m_grass).has_value();
    const bool on = byteBoxValue(water ? ui->waterrate : ui->grassrate) > 0;
    // An area turned on starts with every slot at species byte 1, level 5, a table the game reads as it is, until
    // the user picks the Pokémon; turned off and on again, it keeps what it showed.
    if (editable && on && grid->blank()) {
        grid->setValues(std::vector<WildSlot>(WildSlotCount, WildSlot{5, 1}));
    }
    grid->setEnabled(editable && on);
    updateState();
}
