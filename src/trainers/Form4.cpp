#include "trainers/Form4.h"

#include "catalogues/CatalogueFill.h"
#include "catalogues/NameCatalogues.h"
#include "pictures/PictureBook.h"
#include "rom/FailureBox.h"
#include "rom/WindowPlace.h"
#include "trainers/CustomMovesEditor.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerRecord.h"
#include "ui_Form4.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>

namespace {

constexpr int ClassRole = Qt::UserRole;
constexpr int PartyRole = Qt::UserRole + 1;

const QString PlaceSetting = QStringLiteral("trainerParties/place");
const QString SplitterSetting = QStringLiteral("trainerParties/splitter");
constexpr int DefaultHeight = 460;
// Six members of names as long as the game's, as the tree lists a party, and one of the longer places.
const QString WidestMembers = QStringLiteral("NIDORAN♂ 55, NIDORAN♂ 55, NIDORAN♂ 55, NIDORAN♂ 55, NIDORAN♂ 55, "
                                             "NIDORAN♂ 55");
const QString WidePlace = QStringLiteral("Rocket Hideout B4F (x 12, y 30)");

} // namespace

Form4::Form4(RomTarget rom, PictureBook* pictures)
    : QWidget(nullptr, Qt::Window), ui(std::make_unique<Ui::Form4>()), m_rom(std::move(rom)), m_pictures(pictures),
      m_steps(new QUndoStack(this)),
      m_edits(std::make_unique<EditHistory<ShownParty>>(
          m_steps, [this] { return shownParty(); }, [this](const ShownParty& shown) { showParty(shown); }))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Wide enough for a party's number beside its indentation; the class names span both columns.
    ui->partytree->setColumnWidth(0, 64);
    // The room the window gains goes to the tree and its member lists.
    ui->splitter->setStretchFactor(0, 1);
    ui->splitter->setStretchFactor(1, 0);
    // The member as wide as it reads; its moves and the game's own share the rest, wrapped where they need to.
    QHeaderView* movesHeader = ui->partyMoves->header();
    movesHeader->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    movesHeader->setSectionResizeMode(1, QHeaderView::Stretch);
    movesHeader->setSectionResizeMode(2, QHeaderView::Stretch);
    wrapPartyMoves();
    restoreSize();
    // The keys go to the tree first; the filter is a click or a Tab away.
    setFocusProxy(ui->partytree);
    installNumberBox(ui->txtmoney, 9999);
    connect(ui->partytree, &QTreeWidget::currentItemChanged, this, &Form4::partytree_Click);
    connect(ui->partyrows, &PartyRows::changed, this, &Form4::updateState);
    connect(ui->partyrows, &PartyRows::membersChanged, this, &Form4::followMembers);
    connect(ui->customMovesEditor, &CustomMovesEditor::changed, this, &Form4::updateState);
    connect(ui->partyrows, &PartyRows::removingMember, this, [this](int member) {
        if (m_loaded.customMoves) {
            ui->customMovesEditor->offerToFollowRemoval(member);
        }
    });
    connect(ui->txtmoney, &QLineEdit::textChanged, this, &Form4::updateState);
    connect(ui->cmdSave, &QPushButton::clicked, this, &Form4::cmdSave_Click);
    connect(ui->txtfilter, &QLineEdit::textChanged, this, &Form4::applyFilter);
    connect(ui->cmdShowOnMap, &QPushButton::clicked, this, &Form4::showOnMapClicked);
    ui->partyrows->setPictureBook(m_pictures);
    connect(m_pictures, &PictureBook::changed, this, &Form4::drawPortrait);
}

Form4::~Form4() = default;

void Form4::restoreSize()
{
    // At first, a tree wide enough for six of the game's longest names with their levels; later, the size the
    // user left it at.
    QTreeWidget* tree = ui->partytree;
    // Two average characters: more than any style's margins around an item's text.
    const int margin = 2 * tree->fontMetrics().averageCharWidth();
    const int members = tree->fontMetrics().horizontalAdvance(WidestMembers) + margin;
    const int place = tree->fontMetrics().horizontalAdvance(WidePlace) + margin;
    // The member lists take the room the tree has: when it narrows, they are cut before the places are.
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    tree->header()->setSectionResizeMode(2, QHeaderView::Fixed);
    tree->setColumnWidth(2, place);
    const int treeWidth =
        tree->columnWidth(0) + members + place + tree->verticalScrollBar()->sizeHint().width() + 2 * tree->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    // Never wider than the screen: a window cut off at its right edge would hide the party and its buttons.
    const int width =
        margins.left() + treeWidth + ui->splitter->handleWidth() + ui->partypanel->minimumWidth() + margins.right();
    resize(screenFit(this, QSize(width, DefaultHeight)));
    ui->splitter->setSizes({treeWidth, ui->partypanel->minimumWidth()});
    restoreWindowPlace(this, PlaceSetting);
    ui->splitter->restoreState(QSettings().value(SplitterSetting).toByteArray());
}

void Form4::saveSize()
{
    saveWindowPlace(this, PlaceSetting);
    QSettings().setValue(SplitterSetting, ui->splitter->saveState());
}

PartyRows* Form4::partyRows() const
{
    return ui->partyrows;
}

QTreeWidget* Form4::partyTree() const
{
    return ui->partytree;
}

QStatusBar* Form4::statusBar() const
{
    return ui->statusbar;
}

CustomMovesEditor* Form4::customMovesEditor() const
{
    return ui->customMovesEditor;
}

QUndoStack* Form4::editSteps() const
{
    return m_steps;
}

Form4::ShownParty Form4::shownParty() const
{
    return {ui->partyrows->members(), ui->txtmoney->text(), ui->customMovesEditor->moves()};
}

void Form4::showParty(const ShownParty& shown)
{
    if (m_loaded.list) {
        ui->partyrows->setMembers(shown.members);
    }
    if (m_loaded.money) {
        setNumberText(ui->txtmoney, shown.money);
    }
    if (m_loaded.customMoves) {
        ui->customMovesEditor->setMoves(shown.customMoves);
    }
    followMembers();
    updateState();
}

QTreeWidgetItem* Form4::item(int classNumber, int partyNumber) const
{
    QTreeWidgetItem* classItem = ui->partytree->topLevelItem(classNumber - 1);
    if (classItem == nullptr || partyNumber == 0) {
        return classItem;
    }
    return classItem->child(partyNumber - 1);
}

void Form4::loadParties(const Bytes& image)
{
    m_image = image;
    const VersionProfile& profile = *m_rom.profile;
    m_table = readPartyTable(image, profile);
    m_classNames.clear();
    int classNumber = 0;
    for (const std::string& name : readClassNames(image, profile)) {
        ++classNumber;
        m_classNames << (name.empty() ? QStringLiteral("Class %1").arg(classNumber) : QString::fromStdString(name));
    }
    m_moveNames = toQStringList(moveNames(image, profile));
    m_customReadable = customMovesReadable(image, profile);
    ui->frmcustom->setVisible(profile.customMovesOffset.has_value());
    ui->customMovesEditor->setMoveNames(m_moveNames);
    m_species = readSpeciesData(image, profile);
    m_specialMoves = readSpecialMoves(image, profile);
    m_speciesNames = toQStringList(speciesNames(image, profile));
    ui->partyrows->setSpeciesNames(m_speciesNames);
    m_places = m_placeReader ? m_placeReader(image) : PartyPlaceLookup();
    m_room = bankRoom(image, profile, m_table);
    fillTree();
    applyFilter();
    showSelection();
}

void Form4::setPlaceReader(PartyPlaceReader reader)
{
    m_placeReader = std::move(reader);
}

void Form4::selectParty(int classNumber, int partyNumber)
{
    if (QTreeWidgetItem* found = item(classNumber, partyNumber)) {
        ui->txtfilter->clear();
        ui->partytree->setCurrentItem(found);
        ui->partytree->scrollToItem(found);
    }
}

QString Form4::placeOf(const PartyList& list, int partyNumber) const
{
    if (!m_places) {
        return {};
    }
    // Each class of a shared list has its own trainers on the maps; a class no object uses says so only when none
    // of the others is used either.
    QStringList places;
    QString unused;
    for (const int classNumber : list.classes) {
        const PartyPlace found = m_places(classNumber, partyNumber);
        const QString place = QString::fromStdString(found.text);
        if (!found.onMap) {
            unused = unused.isEmpty() ? place : unused;
        } else if (!places.contains(place)) {
            places << place;
        }
    }
    return places.isEmpty() ? unused : places.join(QStringLiteral("; "));
}

void Form4::applyFilter()
{
    const QString text = ui->txtfilter->text().trimmed();
    for (int top = 0; top < ui->partytree->topLevelItemCount(); ++top) {
        QTreeWidgetItem* classItem = ui->partytree->topLevelItem(top);
        const bool classMatches = classItem->text(0).contains(text, Qt::CaseInsensitive);
        bool anyParty = false;
        for (int child = 0; child < classItem->childCount(); ++child) {
            QTreeWidgetItem* partyItem = classItem->child(child);
            const bool matches = classMatches || partyItem->text(1).contains(text, Qt::CaseInsensitive) ||
                                 partyItem->text(2).contains(text, Qt::CaseInsensitive);
            partyItem->setHidden(!matches);
            anyParty = anyParty || matches;
        }
        classItem->setHidden(!classMatches && !anyParty);
        // A filter opens the classes whose parties it keeps; clearing it leaves them as the user has them.
        if (!text.isEmpty()) {
            classItem->setExpanded(anyParty);
        }
    }
}

void Form4::fillTree()
{
    const QSignalBlocker blocker(ui->partytree);
    ui->partytree->clear();
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        auto* classItem = new QTreeWidgetItem(ui->partytree);
        classItem->setData(0, ClassRole, classNumber);
        classItem->setData(0, PartyRole, 0);
        classItem->setFirstColumnSpanned(true);
        const PartyList* list = m_table.listOf(classNumber);
        QStringList names;
        for (const int sharing : list != nullptr ? list->classes : ClassList{classNumber}) {
            names << m_classNames[sharing - 1];
        }
        const bool first = list != nullptr && list->classes.front() == classNumber;
        classItem->setText(0, first ? names.join(QStringLiteral(", ")) : m_classNames[classNumber - 1]);
        if (list != nullptr && !first) {
            classItem->setToolTip(0, QStringLiteral("Its parties are those of %1, above.").arg(names.front()));
        }
        for (int party = 1; first && party <= static_cast<int>(list->parties.size()); ++party) {
            const QString members =
                membersText(list->parties[static_cast<std::size_t>(party - 1)].members, m_speciesNames);
            auto* partyItem = new QTreeWidgetItem(classItem, {QString::number(party), members, placeOf(*list, party)});
            partyItem->setData(0, ClassRole, classNumber);
            partyItem->setData(0, PartyRole, party);
            partyItem->setToolTip(1, partyItem->text(1));
            partyItem->setToolTip(2, partyItem->text(2));
        }
    }
    if (QTreeWidgetItem* selected = m_class > 0 ? item(m_class, m_party) : nullptr) {
        ui->partytree->setCurrentItem(selected);
        ui->partytree->scrollToItem(selected);
    } else {
        m_class = 0;
        m_party = 0;
    }
}

void Form4::partytree_Click(QTreeWidgetItem* current)
{
    if (current == nullptr) {
        return;
    }
    const int classNumber = current->data(0, ClassRole).toInt();
    const int partyNumber = current->data(0, PartyRole).toInt();
    // A save fills the tree anew: no item of it may be used after this.
    const bool leave = mayLeaveParty();
    const QSignalBlocker blocker(ui->partytree);
    if (!leave) {
        // Cancelled: the edited party stays selected and keeps its edits.
        ui->partytree->setCurrentItem(m_class > 0 ? item(m_class, m_party) : nullptr);
        return;
    }
    m_class = classNumber;
    m_party = partyNumber;
    ui->partytree->setCurrentItem(item(m_class, m_party));
    m_saveNote.clear();
    showSelection();
    if (m_party > 0) {
        emit partyPicked(m_class, m_party);
    }
}

void Form4::showSelection()
{
    m_loaded = {};
    m_loadedMembers.clear();
    m_loadedCustom.clear();
    const PartyList* list = m_class > 0 ? m_table.listOf(m_class) : nullptr;
    const Party* party = list != nullptr ? m_table.party(m_class, m_party) : nullptr;
    if (m_class > 0) {
        m_loaded.money = m_table.entry(m_class).money;
    }
    ui->txtmoney->setEnabled(m_loaded.money.has_value());
    setNumberText(ui->txtmoney, m_loaded.money ? QString::number(*m_loaded.money) : QString());
    if (party != nullptr) {
        m_loaded.list = *list;
        m_loadedMembers = party->members;
        ui->partyrows->setMembers(party->members);
        ui->frmparty->setTitle(QStringLiteral("Party %1 of %2").arg(m_party).arg(selectionName()));
    } else {
        ui->partyrows->showRows(0);
        ui->frmparty->setTitle(QStringLiteral("Party"));
    }
    ui->frmparty->setEnabled(party != nullptr && list->editable());
    // The custom moves are the selected class's: a list two classes share has an entry for each.
    if (party != nullptr && m_customReadable) {
        m_loaded.customMoves = m_specialMoves.custom;
        m_loadedCustom = customMovesOf(m_specialMoves.custom, m_class, m_party);
    }
    ui->customMovesEditor->setMoves(m_loadedCustom);
    ui->frmcustom->setEnabled(m_loaded.customMoves.has_value());
    ui->frmcustom->setTitle(
        party != nullptr
            ? QStringLiteral("Custom Moves of %1 party %2").arg(m_classNames.value(m_class - 1)).arg(m_party)
            : QStringLiteral("Custom Moves"));
    ui->frmcustom->setToolTip(party != nullptr && !m_customReadable ? CustomMovesEditor::unreadableNote() : QString());
    followMembers();
    drawPortrait();
    updateState();
    m_edits->reset();
}

void Form4::drawPortrait()
{
    if (m_class > 0) {
        m_pictures->showTrainer(ui->portrait, m_class);
    } else {
        PictureBook::show(ui->portrait, QImage(), {});
    }
}

QString Form4::selectionName() const
{
    // Nothing picked yet: another window's save asks for the name all the same.
    if (m_class <= 0) {
        return {};
    }
    const PartyList* list = m_table.listOf(m_class);
    QStringList names;
    for (const int classNumber : list != nullptr ? list->classes : ClassList{m_class}) {
        names << m_classNames[classNumber - 1];
    }
    return list != nullptr && list->classes.front() == m_class ? names.join(QStringLiteral(", "))
                                                               : m_classNames[m_class - 1];
}
