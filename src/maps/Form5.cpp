#include "maps/Form5.h"

#include "catalogues/CatalogueFill.h"
#include "catalogues/NameCatalogues.h"
#include "maps/MapDrawing.h"
#include "maps/MapImage.h"
#include "maps/MapLooks.h"
#include "maps/PartyPlaces.h"
#include "maps/StaticBattles.h"
#include "pictures/PictureBook.h"
#include "trainers/InputFilters.h"
#include "trainers/TrainerRecord.h"
#include "ui_Form5.h"

#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {

constexpr int MapRole = Qt::UserRole;
constexpr int ObjectRole = Qt::UserRole;
constexpr int ClassRole = Qt::UserRole + 1;
constexpr int PartyRole = Qt::UserRole + 2;

const QString GeometrySetting = QStringLiteral("maps/geometry");
const QString SplitterSetting = QStringLiteral("maps/splitter");
const QString ZoomSetting = QStringLiteral("maps/zoom");
const QString MapSetting = QStringLiteral("maps/map");
constexpr int DefaultZoom = 2;
constexpr QSize DefaultSize(1280, 720);
constexpr int ListWidth = 220;

QString hexId(int id)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(id, 2, 16, QLatin1Char('0')).toUpper();
}

QString nameOf(const MapRow& row)
{
    return QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
}

// "0x3B Mt. Moon 1F"; a copy names the map it copies; an id Tavrik has no name for shows the id alone.
QString listText(const MapRow& row)
{
    QString name = nameOf(row);
    if (name == QStringLiteral("Map ") + hexId(row.id)) {
        name.clear();
    }
    if (row.copyOf) {
        name.remove(QStringLiteral(" (copy)"));
        name += QStringLiteral(" (copy of %1)").arg(hexId(*row.copyOf));
    }
    return (hexId(row.id) + QLatin1Char(' ') + name).trimmed();
}

QString placeOf(const MapObject& object)
{
    return QStringLiteral("x %1, y %2").arg(object.x).arg(object.y);
}

} // namespace

Form5::Form5(RomTarget rom, PictureBook* pictures)
    : QWidget(nullptr, Qt::Window), ui(std::make_unique<Ui::Form5>()), m_rom(std::move(rom)), m_pictures(pictures),
      m_species(new QStringListModel(this))
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
    installByteBox(ui->grassrate);
    installByteBox(ui->waterrate);
    connect(ui->grassrate, &QLineEdit::textChanged, this, [this] { rateTyped(false); });
    connect(ui->waterrate, &QLineEdit::textChanged, this, [this] { rateTyped(true); });
    connect(ui->maplist, &QListWidget::currentItemChanged, this, &Form5::maplist_Click);
    connect(ui->txtmapfilter, &QLineEdit::textChanged, this, &Form5::applyFilter);
    connect(ui->maptrainers, &QTreeWidget::currentItemChanged, this, &Form5::trainerChosen);
    connect(ui->maptrainers, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit openParty(item->data(0, ClassRole).toInt(), item->data(0, PartyRole).toInt());
    });
    connect(ui->scriptbattles, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item->data(ClassRole).toInt() > 0) {
            emit openParty(item->data(ClassRole).toInt(), item->data(PartyRole).toInt());
        }
    });
    connect(ui->statics, &PokemonGrid::picked, this, &Form5::staticChosen);
    connect(ui->mapview, &MapView::markerClicked, this, &Form5::markerClicked);
    connect(ui->mapview, &MapView::zoomRequested, this, [this](int zoom) { ui->zoom->setCurrentIndex(zoom - 1); });
    connect(ui->zoom, &QComboBox::currentIndexChanged, this, [this](int index) { zoomTo(index + 1); });
    connect(ui->cmdSave, &QPushButton::clicked, this, &Form5::cmdSave_Click);
    restoreSize();
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

void Form5::restoreSize()
{
    // The room the window gains goes to the picture.
    ui->splitter->setStretchFactor(0, 0);
    ui->splitter->setStretchFactor(1, 1);
    ui->splitter->setStretchFactor(2, 0);
    QSize size = DefaultSize;
    if (screen() != nullptr) {
        // Never larger than the screen: a window cut off at its edge would hide the save button.
        size = size.boundedTo(screen()->availableGeometry().size());
    }
    resize(size);
    const int details = ui->detailpanel->minimumWidth();
    ui->splitter->setSizes({ListWidth, std::max(0, size.width() - ListWidth - details), details});
    const QSettings settings;
    restoreGeometry(settings.value(GeometrySetting).toByteArray());
    ui->splitter->restoreState(settings.value(SplitterSetting).toByteArray());
    // The map the window showed last, once the maps are read.
    m_map = settings.value(MapSetting, -1).toInt();
    const int zoom = std::clamp(settings.value(ZoomSetting, DefaultZoom).toInt(), 1, MapView::MaxZoom);
    ui->mapview->setZoom(zoom);
    const QSignalBlocker blocker(ui->zoom);
    ui->zoom->setCurrentIndex(zoom - 1);
}

void Form5::saveSize()
{
    QSettings settings;
    settings.setValue(GeometrySetting, saveGeometry());
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

void Form5::applyFilter()
{
    const QString text = ui->txtmapfilter->text().trimmed();
    for (int k = 0; k < ui->maplist->count(); ++k) {
        QListWidgetItem* item = ui->maplist->item(k);
        const bool matches =
            item->text().contains(text, Qt::CaseInsensitive) || QString::number(item->data(MapRole).toInt()) == text;
        item->setHidden(!matches);
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
    const MapRow* row = m_table.row(m_map);
    const MapRow* objects = row != nullptr && row->copyOf ? m_table.row(*row->copyOf) : row;
    if (row == nullptr || !row->isMap() || objects == nullptr) {
        m_readOnly = QStringLiteral("This ROM has no map Tavrik can read.");
        m_drawNote.clear();
        ui->mapview->setPicture(QImage(), {});
        ui->mapsize->clear();
        MapRow none;
        fillTrainers(none);
        fillStatics(none);
        fillWild(none);
        fillScripts();
        updateState();
        return;
    }
    m_readOnly = row->copyOf ? QStringLiteral("%1 uses the header of %2 %3: its Pokémon are edited there, and its wild "
                                              "Pokémon are left as they are.")
                                   .arg(nameOf(*row), hexId(objects->id), nameOf(*objects))
                             : QString();
    ui->mapsize->setText(QStringLiteral("%1 × %2 blocks").arg(row->width).arg(row->height));
    drawMap(*row, *objects);
    fillTrainers(*objects);
    fillStatics(*objects);
    fillWild(*row);
    fillScripts();
    updateState();
}

void Form5::drawMap(const MapRow& row, const MapRow& objects)
{
    const MapLook look = lookOf(row);
    MapPicture picture = m_drawing->withPeople(look, peopleOf(objects));
    m_drawNote.clear();
    if (!picture.sound()) {
        const QString people = QString::fromStdString(picture.problem);
        picture = m_drawing->bare(look);
        m_drawNote = picture.sound()
                         ? QStringLiteral("The people on this map are not drawn: %1.").arg(people)
                         : QStringLiteral("This map cannot be drawn: %1.").arg(QString::fromStdString(picture.problem));
    }
    const QRect bounds(0, 0, picture.width, picture.height);
    std::vector<MapMarker> markers;
    m_marked.clear();
    for (const MapObject& object : objects.objects) {
        if (object.kind != ObjectKind::Trainer && object.kind != ObjectKind::Pokemon) {
            continue;
        }
        const PixelBox box = personBox({object.sprite, object.x, object.y});
        const QRect rect(static_cast<int>(box.x), static_cast<int>(box.y), box.width, box.height);
        const bool trainer = object.kind == ObjectKind::Trainer;
        const QString tip =
            trainer ? QStringLiteral("%1, party %2: %3")
                          .arg(className(object.classNumber))
                          .arg(object.party)
                          .arg(membersOf(object.classNumber, object.party))
                    : QStringLiteral("%1, level %2")
                          .arg(m_species->stringList().value(object.species, QStringLiteral("#%1").arg(object.species)))
                          .arg(object.level);
        markers.push_back({rect.intersected(bounds), tip, trainer});
        m_marked.push_back(object.number);
    }
    ui->mapview->setPicture(mapImage(picture), std::move(markers));
    ui->mapview->setToolTip(m_drawNote);
}

QString Form5::className(int classNumber) const
{
    return m_classNames.value(classNumber - 1, QStringLiteral("Class %1").arg(classNumber));
}

QString Form5::membersOf(int classNumber, int partyNumber) const
{
    const PartyList* list = m_parties.listOf(classNumber);
    const Party* party = m_parties.party(classNumber, partyNumber);
    if (list == nullptr || party == nullptr) {
        return list == nullptr || !list->problem.empty()
                   ? QStringLiteral("its parties cannot be read")
                   : QStringLiteral("the class has %1 parties, no party %2").arg(list->parties.size()).arg(partyNumber);
    }
    const QStringList names = m_species->stringList();
    QStringList members;
    for (const PartyMember& member : party->members) {
        members << QStringLiteral("%1 %2")
                       .arg(names.value(member.species, QStringLiteral("#%1").arg(member.species)))
                       .arg(member.level);
    }
    return members.join(QStringLiteral(", "));
}

void Form5::fillTrainers(const MapRow& objects)
{
    const QSignalBlocker blocker(ui->maptrainers);
    ui->maptrainers->clear();
    for (const MapObject& object : objects.objects) {
        if (object.kind != ObjectKind::Trainer) {
            continue;
        }
        const QString who = QStringLiteral("%1, party %2").arg(className(object.classNumber)).arg(object.party);
        auto* item =
            new QTreeWidgetItem(ui->maptrainers, {who, placeOf(object), membersOf(object.classNumber, object.party)});
        item->setData(0, ObjectRole, object.number);
        item->setData(0, ClassRole, object.classNumber);
        item->setData(0, PartyRole, object.party);
        for (int column = 0; column < item->columnCount(); ++column) {
            item->setToolTip(column, QStringLiteral("%1 (%2): %3").arg(who, item->text(1), item->text(2)));
        }
    }
    ui->maptrainers->resizeColumnToContents(0);
    ui->maptrainers->resizeColumnToContents(1);
}

void Form5::fillStatics(const MapRow& objects)
{
    m_statics.clear();
    std::vector<WildSlot> values;
    for (const MapObject& object : objects.objects) {
        if (object.kind == ObjectKind::Pokemon) {
            m_statics.push_back(object);
            values.push_back({static_cast<std::uint8_t>(object.level), static_cast<std::uint8_t>(object.species)});
        }
    }
    ui->statics->setValues(values);
    ui->statics->setCurrent(0);
    ui->statics->setEnabled(m_readOnly.isEmpty());
    // The legendaries are the overworld editor's battles too: the same two bytes.
    const BattlePositions battles = overworldPositions(m_table);
    for (std::size_t k = 0; k < m_statics.size(); ++k) {
        const MapObject& object = m_statics[k];
        QString tip = QStringLiteral("Object %1 of %2, at %3.")
                          .arg(object.number)
                          .arg(nameOf(*m_table.row(m_map)), placeOf(object));
        for (std::size_t battle = 0; battle < battles.size(); ++battle) {
            if (battles[battle].speciesOffset == object.valuesOffset) {
                tip += QStringLiteral(" Also the overworld editor's %1.")
                           .arg(QString::fromStdString(overworldBattleName(static_cast<int>(battle))));
            }
        }
        ui->statics->setCaption(static_cast<int>(k) + 1, placeOf(object), tip);
    }
}

void Form5::fillWild(const MapRow& row)
{
    const WildTable* wild = row.isMap() ? m_table.wildOf(row.id) : nullptr;
    const bool editable = wild != nullptr && m_readOnly.isEmpty() && m_table.wildProblem.empty();
    m_grass = editable ? std::optional(wild->grass) : std::nullopt;
    m_water = editable ? std::optional(wild->water) : std::nullopt;
    const SlotChances& chances = m_table.chances;
    for (const bool water : {false, true}) {
        QLineEdit* rate = water ? ui->waterrate : ui->grassrate;
        PokemonGrid* grid = water ? ui->waterslots : ui->grassslots;
        const WildArea area = wild != nullptr ? (water ? wild->water : wild->grass) : WildArea{};
        {
            const QSignalBlocker blocker(rate);
            setNumberText(rate, wild != nullptr ? QString::number(area.rate) : QString());
        }
        rate->setEnabled(editable);
        if (area.on()) {
            grid->setValues({area.slot.begin(), area.slot.end()});
        } else {
            grid->showBlank(WildSlotCount);
        }
        grid->setEnabled(editable && area.on());
        for (int slot = 1; slot <= WildSlotCount; ++slot) {
            const int chance = chances.chances[static_cast<std::size_t>(slot - 1)];
            if (chances.problem.empty()) {
                grid->setCaption(slot,
                                 QStringLiteral("%1%").arg(qRound(100.0 * chance / 256)),
                                 QStringLiteral("Slot %1: %2 in 256 encounters").arg(slot).arg(chance));
            } else {
                grid->setCaption(slot, QString(), QString());
            }
        }
    }
}

void Form5::fillScripts()
{
    ui->scriptbattles->clear();
    for (const ScriptBattle& battle :
         m_map >= 0 ? scriptBattles(m_table.version, m_map) : std::vector<ScriptBattle>()) {
        QString what = QString::fromUtf8(battle.what.data(), static_cast<qsizetype>(battle.what.size()));
        auto* item = new QListWidgetItem(ui->scriptbattles);
        if (battle.classNumber > 0) {
            item->setText(
                QStringLiteral("%1, party %2: %3").arg(className(battle.classNumber)).arg(battle.party).arg(what));
            item->setToolTip(membersOf(battle.classNumber, battle.party));
            item->setData(ClassRole, battle.classNumber);
            item->setData(PartyRole, battle.party);
        } else {
            item->setText(what.left(1).toUpper() + what.mid(1));
        }
    }
    const bool any = ui->scriptbattles->count() > 0;
    ui->scriptlabel->setVisible(any);
    ui->scriptbattles->setVisible(any);
}

int Form5::markerOf(int object) const
{
    const auto found = std::find(m_marked.begin(), m_marked.end(), object);
    return found != m_marked.end() ? static_cast<int>(found - m_marked.begin()) : -1;
}

void Form5::markerClicked(int marker)
{
    const int object = m_marked[static_cast<std::size_t>(marker)];
    if (chooseTrainer(object)) {
        return;
    }
    for (std::size_t k = 0; k < m_statics.size(); ++k) {
        if (m_statics[k].number == object) {
            ui->details->setCurrentWidget(ui->pokemonpage);
            staticChosen(static_cast<int>(k) + 1);
            ui->statics->speciesBox(static_cast<int>(k) + 1)->setFocus(Qt::MouseFocusReason);
            return;
        }
    }
}

bool Form5::chooseTrainer(int object)
{
    for (int k = 0; k < ui->maptrainers->topLevelItemCount(); ++k) {
        QTreeWidgetItem* item = ui->maptrainers->topLevelItem(k);
        if (item->data(0, ObjectRole).toInt() == object) {
            ui->details->setCurrentWidget(ui->trainerpage);
            ui->maptrainers->setCurrentItem(item);
            ui->maptrainers->scrollToItem(item);
            return true;
        }
    }
    return false;
}

void Form5::trainerChosen()
{
    QTreeWidgetItem* item = ui->maptrainers->currentItem();
    if (item == nullptr) {
        return;
    }
    ui->statics->setCurrent(0);
    ui->mapview->setCurrent(markerOf(item->data(0, ObjectRole).toInt()));
}

void Form5::staticChosen(int cell)
{
    {
        const QSignalBlocker blocker(ui->maptrainers);
        ui->maptrainers->setCurrentItem(nullptr);
    }
    ui->statics->setCurrent(cell);
    ui->mapview->setCurrent(markerOf(m_statics[static_cast<std::size_t>(cell - 1)].number));
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
