// The Maps window's picture and lists of the selected map: the map drawn with its trainers and Pokémon outlined, the
// trainers with their parties, the standing Pokémon, the wild areas with the ROM's chances, the script battles; and
// picking a trainer or a Pokémon on the picture or in its list.

#include "maps/Form5.h"
#include "maps/MapDrawing.h"
#include "maps/MapImage.h"
#include "maps/MapLooks.h"
#include "maps/PartyPlaces.h"
#include "maps/StaticBattles.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "ui_Form5.h"

#include <QSignalBlocker>
#include <QStringListModel>

namespace {

constexpr int ObjectRole = Qt::UserRole;
constexpr int ClassRole = Qt::UserRole + 1;
constexpr int PartyRole = Qt::UserRole + 2;

QString placeOf(const MapObject& object)
{
    return QStringLiteral("x %1, y %2").arg(object.x).arg(object.y);
}

} // namespace

void Form5::drawMap(const MapRow& row, const MapRow& objects)
{
    const MapLook look = lookOf(row);
    MapPicture picture = m_drawing->bare(look);
    m_drawNote.clear();
    if (!picture.sound()) {
        m_drawNote = QStringLiteral("This map cannot be drawn: %1.").arg(QString::fromStdString(picture.problem));
    } else if (const std::string people = m_drawing->addPeople(picture, peopleOf(objects)); !people.empty()) {
        m_drawNote = QStringLiteral("The people on this map are not drawn: %1.").arg(QString::fromStdString(people));
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
                              .arg(membersOf(object.classNumber, object.party)) +
                          battlersOf(object.classNumber, object.party)
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
    // A class past the game's 47, or one whose name cannot be read, by its number.
    const QString name = m_classNames.value(classNumber - 1);
    return name.isEmpty() ? QStringLiteral("Class %1").arg(classNumber) : name;
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
    return membersText(party->members, m_species->stringList());
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
        QString tip =
            QStringLiteral("Object %1 of %2, at %3.").arg(object.number).arg(mapTitle(m_map), placeOf(object));
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
    }
    captionWild();
}

void Form5::fillScripts()
{
    ui->scriptbattles->clear();
    for (const ScriptBattle& battle :
         m_map >= 0 ? scriptBattles(m_table.version, m_map) : std::vector<ScriptBattle>()) {
        const QString what = QString::fromUtf8(battle.what);
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
            ui->statics->speciesBox(static_cast<int>(k) + 1)->setFocus(Qt::MouseFocusReason);
            staticChosen(static_cast<int>(k) + 1);
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
    emit trainerPicked(item->data(0, ClassRole).toInt(), item->data(0, PartyRole).toInt());
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

void Form5::trainerActivated(QTreeWidgetItem* item)
{
    emit openParty(item->data(0, ClassRole).toInt(), item->data(0, PartyRole).toInt());
}

void Form5::scriptActivated(QListWidgetItem* item)
{
    if (item->data(ClassRole).toInt() > 0) {
        emit openParty(item->data(ClassRole).toInt(), item->data(PartyRole).toInt());
    }
}
