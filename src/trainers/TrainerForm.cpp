#include "trainers/TrainerForm.h"

#include "pictures/PictureBook.h"
#include "trainers/CustomMovesEditor.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "ui_TrainerForm.h"

#include <QListWidget>
#include <QStyle>

TrainerForm::TrainerForm(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TrainerForm>()), m_steps(new QUndoStack(this)),
      m_edits(std::make_unique<EditHistory<TrainerRecord>>(
          m_steps, [this] { return shownRecord(); }, [this](const TrainerRecord& record) { showRecord(record); }))
{
    ui->setupUi(this);
    ui->pkmnnoWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(14, 14));
    ui->pkmnnoWarning->hide();
    // Tall enough for the whole roster, whatever the font: the list grows with the window, never below that.
    QListWidget* roster = ui->trainerlst;
    roster->setMinimumHeight(RosterSize * (roster->fontMetrics().height() + 2) + 2 * roster->frameWidth());
    installByteBox(ui->itemquant);
    installHexKeyFilter(ui->pkmnno);
    connect(ui->partyrows, &PartyRows::changed, this, &TrainerForm::updateState);
    connect(ui->partyrows, &PartyRows::membersChanged, this, &TrainerForm::followMembers);
    connect(ui->namebox, &QLineEdit::textChanged, this, &TrainerForm::updateState);
    connect(ui->itemquant, &QLineEdit::textChanged, this, &TrainerForm::updateState);
    connect(ui->pkmnno, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && m_specialMoveUser) {
            m_specialMoveUser = static_cast<std::uint8_t>(index);
        }
        updateState();
    });
    for (QComboBox* list : {ui->itemlst,
                            ui->attacklst,
                            ui->championFirst,
                            ui->championBulbasaur,
                            ui->championCharmander,
                            ui->championOtherwise}) {
        connect(list, &QComboBox::currentIndexChanged, this, &TrainerForm::updateState);
    }
    connect(ui->customMovesEditor, &CustomMovesEditor::changed, this, &TrainerForm::updateState);
    connect(ui->partyrows, &PartyRows::removingMember, this, &TrainerForm::memberRemoving);
    connect(ui->trainerlst, &QListWidget::currentRowChanged, this, &TrainerForm::trainerlst_Click);
}

TrainerForm::~TrainerForm() = default;

PartyRows* TrainerForm::partyRows() const
{
    return ui->partyrows;
}

QComboBox* TrainerForm::speciesBox(int member) const
{
    return ui->partyrows->speciesBox(member);
}

QLineEdit* TrainerForm::levelBox(int member) const
{
    return ui->partyrows->levelBox(member);
}

QUndoStack* TrainerForm::editSteps() const
{
    return m_steps;
}

QListWidget* TrainerForm::roster() const
{
    return ui->trainerlst;
}

QComboBox* TrainerForm::moveList() const
{
    return ui->attacklst;
}

std::vector<QComboBox*> TrainerForm::championLists() const
{
    return {ui->championFirst, ui->championBulbasaur, ui->championCharmander, ui->championOtherwise};
}

CustomMovesEditor* TrainerForm::customMovesEditor() const
{
    return ui->customMovesEditor;
}

QComboBox* TrainerForm::itemList() const
{
    return ui->itemlst;
}

void TrainerForm::setPictureBook(PictureBook* book)
{
    m_pictures = book;
    ui->partyrows->setPictureBook(book);
    connect(book, &PictureBook::changed, this, &TrainerForm::drawPortrait);
}

void TrainerForm::setPlaceReader(PartyPlaceReader reader)
{
    m_placeReader = std::move(reader);
    m_movesSource.reset();
}

void TrainerForm::drawPortrait()
{
    if (m_pictures != nullptr && m_rom.profile != nullptr && m_loadedIndex >= 0 && m_loadedIndex < RosterSize) {
        m_pictures->showTrainer(ui->portrait, trainerClass(m_loadedIndex).number);
    } else {
        PictureBook::show(ui->portrait, QImage(), {});
    }
}

void TrainerForm::resetView()
{
    m_rom = {};
    m_movesSource.reset();
    m_loaded.reset();
    m_loadedIndex = -1;
    m_specialMoveUser.reset();
    m_placementNote.clear();
    m_saveNote.clear();
    m_keepSaveNote = false;
    ui->trainerlst->clear();
    ui->namebox->setText(QString());
    ui->SSTab1->setEnabled(false);
    ui->frmmove->hide();
    ui->frmchampion->hide();
    ui->frmcustom->hide();
    ui->frmprize->hide();
    ui->Frame3->setEnabled(false);
    ui->partyinfo->clear();
    Nopoke();
    drawPortrait();
    updateState();
}

void TrainerForm::switchOn(const RomTarget& rom)
{
    m_rom = rom;
    m_movesSource.reset();
    ui->frmmove->setVisible(rom.profile->specialMovesEditable);
    // Red's and Blue's champion's moves take the place of the version note, which only Yellow has.
    ui->frmchampion->setVisible(rom.profile->specialMovesEditable);
    // Yellow's custom moves take the same place.
    const bool custom = rom.profile->customMovesOffset.has_value();
    ui->frmcustom->setVisible(custom);
    ui->Frame6->setVisible(!rom.profile->specialMovesEditable && !custom);
    ui->Frame3->setEnabled(true);
    ui->SSTab1->setEnabled(true);
}

void TrainerForm::Nopoke()
{
    ui->partyrows->showRows(0);
}
