// The Maps window through its real widgets: every map listed as the game's tables give it, the lists of the selected
// map, picking a trainer or a Pokémon in its list or on the picture, the tooltip over a trainer, the zoom, and the
// Maps window and Trainer Parties side by side, following each other.

#include "MapIds.h"
#include "UiHarness.h"
#include "battles/BattlerText.h"
#include "battles/SpecialMoves.h"
#include "maps/Form5.h"
#include "maps/MapDrawing.h"
#include "maps/MapView.h"
#include "maps/PartyPlaces.h"
#include "maps/PokemonGrid.h"
#include "trainers/Form4.h"

namespace {

using namespace MapIds;

struct MapsWindow : ::testing::Test
{
    Form5* open(const SyntheticRom& rom)
    {
        path = editor.open(rom);
        maps = readMaps(rom.bytes(), profileOf(rom.version()));
        partyTable = readPartyTable(rom.bytes(), profileOf(rom.version()));
        names = readClassNames(rom.bytes(), profileOf(rom.version()));
        editor.window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor.window));
        QTest::keyClick(&editor.window, Qt::Key_M, Qt::ControlModifier);
        return editor.window.mapsWindow();
    }
    void pickMap(Form5* window, int id)
    {
        auto* list = child<QListWidget>(window, "maplist");
        list->scrollToItem(list->item(id));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(id)).center());
    }
    // "CLASS, party N".
    QString trainer(const MapObject& object) const
    {
        return QString("%1, party %2")
            .arg(names[static_cast<std::size_t>(object.classNumber - 1)].c_str())
            .arg(object.party);
    }
    QString members(int classNumber, int party) const
    {
        QStringList list;
        for (const PartyMember& member : partyTable.party(classNumber, party)->members) {
            list << QString("%1 %2").arg(SyntheticRom::speciesName(member.species).c_str()).arg(member.level);
        }
        return list.join(", ");
    }
    std::vector<const MapObject*> objectsOf(int map, ObjectKind kind) const
    {
        std::vector<const MapObject*> found;
        for (const MapObject& object : maps.row(map)->objects) {
            if (object.kind == kind) {
                found.push_back(&object);
            }
        }
        return found;
    }
    // The marker of a map object: the markers follow the map's list, trainers and Pokémon only.
    int markerOf(int map, int number) const
    {
        int marker = 0;
        for (const MapObject& object : maps.row(map)->objects) {
            if (object.number == number) {
                return marker;
            }
            marker += object.kind == ObjectKind::Trainer || object.kind == ObjectKind::Pokemon;
        }
        return -1;
    }
    QString notes(Form5* window) { return child<QLabel>(window, "notes")->text(); }

    EditorUnderTest editor;
    std::string path;
    MapTable maps;
    PartyTable partyTable;
    std::vector<std::string> names;
};

} // namespace

TEST_F(MapsWindow, ListsEveryMapAndWhatStandsOnTheSelectedOne)
{
    Form5* window = open(SyntheticRom(GameVersion::Red));
    ASSERT_NE(window, nullptr);
    // Every row in id order; one that is no map greyed with the reason, a copy naming the map it copies.
    auto* list = child<QListWidget>(window, "maplist");
    ASSERT_EQ(list->count(), static_cast<int>(maps.rows.size()));
    for (const MapRow& row : maps.rows) {
        QListWidgetItem* item = list->item(row.id);
        EXPECT_EQ(item->flags() == Qt::NoItemFlags, !row.isMap()) << row.id;
        EXPECT_EQ(item->toolTip().startsWith("Not a map Tavrik can read: " + QString::fromStdString(row.problem)),
                  !row.isMap());
    }
    EXPECT_EQ(list->item(0x0C)->text(), "0x0C Route 1");
    EXPECT_EQ(list->item(0x45)->text(), "0x45 Cerulean Trashed House (copy of 0x3E)");
    auto* filter = child<QLineEdit>(window, "txtmapfilter");
    QTest::keyClicks(filter, "route 2");
    EXPECT_TRUE(!list->item(0x0D)->isHidden() && !list->item(0x1F)->isHidden() && list->item(0x0C)->isHidden());
    retype(filter, "51");
    EXPECT_FALSE(list->item(0x33)->isHidden());
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(window->selectedMap(), 0x33);
    filter->clear();
    window->selectMap(0x0B);
    EXPECT_EQ(window->selectedMap(), 0x33);

    // Route 3: its trainers with their parties, its grass and water with the ROM's chances.
    pickMap(window, Route3);
    EXPECT_EQ(window->selectedMap(), Route3);
    const auto trainers = objectsOf(Route3, ObjectKind::Trainer);
    QTreeWidget* tree = window->trainerList();
    ASSERT_EQ(tree->topLevelItemCount(), static_cast<int>(trainers.size()));
    for (std::size_t k = 0; k < trainers.size(); ++k) {
        const MapObject& object = *trainers[k];
        QTreeWidgetItem* item = tree->topLevelItem(static_cast<int>(k));
        EXPECT_EQ(QStringList({item->text(0), item->text(1), item->text(2)}),
                  QStringList({trainer(object),
                               QString("x %1, y %2").arg(object.x).arg(object.y),
                               members(object.classNumber, object.party)}));
    }
    const WildTable& wild = *maps.wildOf(Route3);
    EXPECT_EQ(child<QLineEdit>(window, "grassrate")->text().toInt(), wild.grass.rate);
    EXPECT_EQ(child<QLineEdit>(window, "waterrate")->text().toInt(), wild.water.rate);
    for (int slot = 1; slot <= 10; ++slot) {
        const WildSlot& water = wild.water.slot[static_cast<std::size_t>(slot - 1)];
        EXPECT_EQ(child<QComboBox>(window, QString("wpkmn%1").arg(slot).toLatin1())->currentIndex(), water.species);
        EXPECT_EQ(child<QLineEdit>(window, QString("wlvl%1").arg(slot).toLatin1())->text().toInt(), water.level);
    }
    EXPECT_EQ(child<QLabel>(window, "gpkmn1Caption")->text(), "20%");
    EXPECT_TRUE(
        child<QLabel>(window, "gpkmn10Caption")->toolTip().startsWith("Slot 10: 3 in 256 encounters\nMoves at level "));
    EXPECT_FALSE(child<QTabWidget>(window, "details")->isTabEnabled(1));

    // The Power Plant's nine Pokémon, the rest of the rows hidden; the battles Oak's Lab's scripts start.
    pickMap(window, PowerPlant);
    const auto pokemon = objectsOf(PowerPlant, ObjectKind::Pokemon);
    ASSERT_EQ(pokemon.size(), 9U);
    for (std::size_t k = 0; k < pokemon.size(); ++k) {
        EXPECT_EQ(window->staticCells()->speciesBox(static_cast<int>(k) + 1)->currentIndex(), pokemon[k]->species);
        EXPECT_EQ(window->staticCells()->levelBox(static_cast<int>(k) + 1)->text().toInt(), pokemon[k]->level);
    }
    EXPECT_FALSE(window->staticCells()->speciesBox(10)->isVisibleTo(window));
    EXPECT_EQ(child<QTabWidget>(window, "details")->tabText(1), "Pokémon (9)");
    pickMap(window, OaksLab);
    auto* scripts = child<QListWidget>(window, "scriptbattles");
    ASSERT_EQ(scripts->count(), 3);
    EXPECT_EQ(scripts->item(0)->text(),
              QString("%1, party 1: the rival, if the player chose Charmander").arg(names[24].c_str()));
    pickMap(window, 0x01);
    EXPECT_EQ(scripts->item(0)->text(), "The old man's catching demonstration");
}

// A trainer picked in the list is outlined and scrolled to; a click on a trainer or a Pokémon on the picture picks
// it in its list, a click on an object that is no battle picks nothing; the mouse over a trainer names its party.
TEST_F(MapsWindow, PicksTrainersInTheListAndOnTheMap)
{
    Form5* window = open(SyntheticRom(GameVersion::Red));
    window->resize(900, 600);
    pickMap(window, Route17);
    MapView* view = window->mapView();
    const auto trainers = objectsOf(Route17, ObjectKind::Trainer);
    const MapObject& last =
        **std::max_element(trainers.begin(), trainers.end(), [](const auto* a, const auto* b) { return a->y < b->y; });
    const int lastRow = static_cast<int>(std::find(trainers.begin(), trainers.end(), &last) - trainers.begin());
    const auto shown = [view](int marker) {
        return view->viewport()->rect().contains(view->canvas()->mapTo(view->viewport(), view->centreOf(marker)));
    };
    ASSERT_FALSE(shown(markerOf(Route17, last.number)));
    QTreeWidget* tree = window->trainerList();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(lastRow)).center());
    EXPECT_EQ(view->current(), markerOf(Route17, last.number));
    EXPECT_TRUE(shown(view->current()));

    // On the picture: another trainer, then an item.
    const MapObject& first = *trainers.front();
    QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, view->centreOf(markerOf(Route17, first.number)));
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(view->current(), markerOf(Route17, first.number));
    const auto others = objectsOf(Route17, ObjectKind::Item);
    ASSERT_FALSE(others.empty());
    const PixelBox person = personBox({others.front()->sprite, others.front()->x, others.front()->y});
    const int zoom = view->zoom();
    const QPoint centre(static_cast<int>(person.x) * zoom + 8 * zoom, static_cast<int>(person.y) * zoom + 8 * zoom);
    QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));

    QHelpEvent hover(QEvent::ToolTip, view->centreOf(0), view->canvas()->mapToGlobal(view->centreOf(0)));
    QApplication::sendEvent(view->canvas(), &hover);
    // The first line names the members; one line each follows with its moves.
    EXPECT_EQ(QToolTip::text().section('\n', 0, 0), trainer(first) + ": " + members(first.classNumber, first.party));
    QHelpEvent nothing(QEvent::ToolTip, centre, view->canvas()->mapToGlobal(centre));
    QApplication::sendEvent(view->canvas(), &nothing);
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::text().isEmpty(); }, 2000));

    // Zapdos on the picture is the Power Plant's ninth Pokémon; its level box taken, it is outlined.
    pickMap(window, PowerPlant);
    const MapObject& zapdos = *objectsOf(PowerPlant, ObjectKind::Pokemon).back();
    QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, view->centreOf(markerOf(PowerPlant, zapdos.number)));
    EXPECT_EQ(window->staticCells()->current(), 9);
    EXPECT_EQ(child<QTabWidget>(window, "details")->currentWidget(), child<QWidget>(window, "pokemonpage"));
    window->staticCells()->levelBox(2)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(view->current(), markerOf(PowerPlant, objectsOf(PowerPlant, ObjectKind::Pokemon)[1]->number));
}

// Whole zoom factors: the picture's size is the map's in pixels times the zoom, from the list and from Ctrl+wheel.
TEST_F(MapsWindow, ZoomsByWholeFactors)
{
    Form5* window = open(SyntheticRom(GameVersion::Blue));
    pickMap(window, Route3);
    const MapRow& row = *maps.row(Route3);
    const QSize map(row.width * 32, row.height * 32);
    auto* zoom = child<QComboBox>(window, "zoom");
    MapView* view = window->mapView();
    for (int factor = 4; factor >= 1; --factor) {
        zoom->setCurrentIndex(factor - 1);
        EXPECT_EQ(view->canvas()->size(), map * factor);
    }
    // The zoom is kept for the next opening, with the map.
    EXPECT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    editor.trigger("mnuMaps");
    window = editor.window.mapsWindow();
    view = window->mapView();
    zoom = child<QComboBox>(window, "zoom");
    EXPECT_EQ(window->selectedMap(), Route3);
    EXPECT_EQ(zoom->currentIndex(), 0);
    EXPECT_EQ(view->canvas()->size(), map);
    zoom->setCurrentIndex(1);
    QWheelEvent wheel(QPointF(10, 10),
                      view->mapToGlobal(QPointF(10, 10)),
                      {},
                      {0, 120},
                      Qt::NoButton,
                      Qt::ControlModifier,
                      Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_EQ(view->canvas()->size(), map * 3);
    EXPECT_EQ(zoom->currentIndex(), 2);
}

// Trainer Parties and the Maps window side by side: activating a trainer raises Trainer Parties at its party, the
// Maps window keeping its edits; Show on Map raises the Maps window at the first trainer of the party, and a party no
// map uses is said so in Trainer Parties alone. A party and a trainer picked in one are picked in the other, unless
// that one has unsaved edits.
TEST_F(MapsWindow, FollowsTrainerPartiesAndBack)
{
    const SyntheticRom rom(GameVersion::Red);
    Form5* window = open(rom);
    EXPECT_TRUE(editor.window.isEnabled());
    pickMap(window, Route3);
    retype(child<QLineEdit>(window, "grassrate"), "99");
    QTreeWidget* tree = window->trainerList();
    tree->setCurrentItem(tree->topLevelItem(1));
    QTest::keyClick(tree, Qt::Key_Return);
    Form4* parties = editor.window.partiesWindow();
    ASSERT_NE(parties, nullptr);
    const MapObject& second = *objectsOf(Route3, ObjectKind::Trainer)[1];
    EXPECT_EQ(parties->partyTree()->currentItem(), parties->item(second.classNumber, second.party));
    EXPECT_TRUE(window->isVisible() && window->isWindowModified() && editor.watcher.boxes.empty());
    // The Maps window keeps its edited map while the other picks.
    parties->selectParty(1, 1);
    EXPECT_EQ(window->selectedMap(), Route3);
    editor.watcher.answers.push_back(QMessageBox::Discard);
    press(window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to Route 3?");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.window.mapsWindow(), nullptr);

    // Show on Map, for a party two trainers fight, at the first of them.
    std::pair<int, int> twice{0, 0};
    std::pair<int, int> unused{0, 0};
    for (int classNumber = 1; classNumber <= 47; ++classNumber) {
        for (int party = 1; party <= static_cast<int>(parties->item(classNumber, 0)->childCount()); ++party) {
            const PartyPlaces places = partyPlaces(maps, classNumber, party);
            twice = places.maps.size() == 2 ? std::pair(classNumber, party) : twice;
            unused = places.maps.empty() && !places.script ? std::pair(classNumber, party) : unused;
        }
    }
    ASSERT_TRUE(twice.first > 0 && unused.first > 0);
    const std::string unusedName =
        names[static_cast<std::size_t>(unused.first - 1)] + " party " + std::to_string(unused.second);
    parties->selectParty(unused.first, unused.second);
    QTest::mouseClick(child<QPushButton>(parties, "cmdShowOnMap"), Qt::LeftButton);
    EXPECT_EQ(editor.window.mapsWindow(), nullptr);
    EXPECT_EQ(child<QLabel>(parties, "notes")->text().toStdString(), "No map of this ROM uses " + unusedName + ".");
    const PartyPlaces places = partyPlaces(maps, twice.first, twice.second);
    parties->selectParty(twice.first, twice.second);
    QTest::mouseClick(child<QPushButton>(parties, "cmdShowOnMap"), Qt::LeftButton);
    window = editor.window.mapsWindow();
    ASSERT_TRUE(window != nullptr && parties->isVisible());
    EXPECT_EQ(window->selectedMap(), places.maps[0].map);
    EXPECT_EQ(window->trainerList()->currentItem()->text(1),
              QString("x %1, y %2").arg(places.maps[0].x).arg(places.maps[0].y));
    EXPECT_EQ(window->mapView()->current(), markerOf(places.maps[0].map, places.maps[0].object));
    EXPECT_EQ(notes(window).toStdString(),
              names[static_cast<std::size_t>(twice.first - 1)] + " party " + std::to_string(twice.second) +
                  " is also fought on " + placeText(places.maps[1]) + ".");
    // Picks follow: a trainer on the map, then a party in the tree.
    const MapObject& first = *objectsOf(Route3, ObjectKind::Trainer)[0];
    window->selectMap(Route3);
    window->trainerList()->setCurrentItem(window->trainerList()->topLevelItem(0));
    EXPECT_EQ(parties->partyTree()->currentItem(), parties->item(first.classNumber, first.party));
    parties->selectParty(second.classNumber, second.party);
    EXPECT_EQ(window->trainerList()->currentItem(), window->trainerList()->topLevelItem(1));
    // A battle a script starts opens its party too.
    window->selectMap(OaksLab);
    auto* scripts = child<QListWidget>(window, "scriptbattles");
    scripts->setCurrentRow(1);
    QTest::keyClick(scripts, Qt::Key_Return);
    EXPECT_EQ(parties->partyTree()->currentItem(), parties->item(25, 2));
    EXPECT_EQ(fileBytes(path), rom.bytes());
}

// What the window leaves alone: a copy's Pokémon and wild Pokémon, and the people of a map whose sprite cannot be
// drawn (the bare map is shown, with the reason).
TEST_F(MapsWindow, ShowsWhatItLeavesAlone)
{
    SyntheticRom rom(GameVersion::Yellow);
    const MapTable built = readMaps(rom.bytes(), profileOf(GameVersion::Yellow));
    rom.set(built.row(Route3)->objects.front().offset, 200);
    Form5* window = open(rom);
    pickMap(window, 0x45);
    EXPECT_FALSE(child<QLineEdit>(window, "grassrate")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(window, "cmdSave")->isEnabled());
    EXPECT_TRUE(
        notes(window).startsWith("Cerulean Trashed House (copy) uses the header of 0x3E Cerulean Trashed House"))
        << notes(window).toStdString();
    pickMap(window, Route3);
    EXPECT_TRUE(notes(window).startsWith("The people on this map are not drawn: ")) << notes(window).toStdString();
    EXPECT_EQ(window->mapView()->canvas()->size(),
              QSize(maps.row(Route3)->width, maps.row(Route3)->height) * 32 * window->mapView()->zoom());
}

TEST_F(MapsWindow, ShowsWhatEachOpponentFightsWith)
{
    const SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    const SpecialMoves special = readSpecialMoves(rom.bytes(), profile);
    QStringList moves;
    for (const std::string& name : moveNames(rom.bytes(), profile)) {
        moves << QString::fromStdString(name);
    }
    Form5* window = open(rom);
    pickMap(window, Route3);
    // The hover over a trainer: each member on a line with its four moves.
    const auto trainers = objectsOf(Route3, ObjectKind::Trainer);
    ASSERT_FALSE(trainers.empty());
    const MapObject& first = *trainers.front();
    const Party& party = *partyTable.party(first.classNumber, first.party);
    const auto battlers = partyBattlers(
        data, special, first.classNumber, first.party, party.format, {party.members.begin(), party.members.size()});
    const auto marker = std::find_if(window->mapView()->markers().begin(),
                                     window->mapView()->markers().end(),
                                     [&](const MapMarker& shown) { return shown.toolTip.startsWith(trainer(first)); });
    ASSERT_NE(marker, window->mapView()->markers().end());
    const QStringList lines = marker->toolTip.split('\n');
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(battlers.size() + 1));
    for (std::size_t k = 0; k < battlers.size(); ++k) {
        EXPECT_TRUE(lines[static_cast<qsizetype>(k + 1)].endsWith(movesLine(battlers[k], moves)))
            << lines[static_cast<qsizetype>(k + 1)].toStdString();
    }
    // A wild slot's moves at its level, following a level typed and not saved.
    const WildSlot slot = maps.wildOf(Route3)->grass.slot[2];
    auto* caption = child<QLabel>(window, "gpkmn3Caption");
    EXPECT_TRUE(caption->toolTip().endsWith(QString("Moves at level %1: %2")
                                                .arg(slot.level)
                                                .arg(movesLine(wildBattler(data, slot.species, slot.level), moves))))
        << caption->toolTip().toStdString();
    retype(child<QLineEdit>(window, "glvl3"), "70");
    EXPECT_TRUE(caption->toolTip().endsWith(
        QString("Moves at level 70: %1").arg(movesLine(wildBattler(data, slot.species, 70), moves))))
        << caption->toolTip().toStdString();
}
