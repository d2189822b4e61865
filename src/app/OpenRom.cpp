// Opening a ROM: from File > Open ROM, the command line or a drop. Read the file once and recognise its version;
// a file that is no ROM of these games is refused with the reason, and the ROM open before stays open, as it does
// when the dialog is cancelled. Then the edits of every window are settled, the windows of the ROM before are
// closed, and the roster and the pick lists are filled from the new ROM. File > Close ROM settles and closes the
// same way.

#include "app/Form1.h"
#include "app/Properties.h"
#include "app/RecentFiles.h"
#include "catalogues/CatalogueFill.h"
#include "catalogues/NameCatalogues.h"
#include "pictures/PictureBook.h"
#include "rom/FailureBox.h"
#include "rom/clsCommonDialog.h"
#include "trainers/PartyRows.h"
#include "trainers/TrainerForm.h"
#include "ui_Form1.h"

#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>

namespace {

const QString OpenTitle = QStringLiteral("Open Pokémon Red, Blue or Yellow ROM...");
const QString RomFilter = QStringLiteral("GB ROMs (*.gb)|*.gb;*.gbc");
constexpr unsigned OpenFlags =
    clsCommonDialog::FileMustExist | clsCommonDialog::PathMustExist | clsCommonDialog::HideReadOnly;

QString counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? one : many));
}

} // namespace

void Form1::enableRomActions(bool on)
{
    for (QAction* action : {ui->mnuBattle,
                            ui->mnuParties,
                            ui->mnuMaps,
                            ui->mnuDifficulty,
                            ui->mnuPokemon,
                            ui->mnuSave,
                            ui->mnuPlay,
                            ui->mnuClose,
                            ui->mnuGuide,
                            ui->mnuCreatePatch,
                            ui->mnuProperties}) {
        action->setEnabled(on);
    }
    ui->Frame1->setEnabled(on);
}

void Form1::resetView()
{
    m_session.reset();
    ui->trainerform->resetView();
    ui->headr->setText(QString());
    ui->headr->setToolTip(QString());
    setWindowTitle(QStringLiteral("Tavrik[*]"));
    enableRomActions(false);
    ui->pages->setCurrentWidget(ui->startpage);
    refreshHistory();
}

void Form1::switchEditorOn()
{
    enableRomActions(true);
    ui->pages->setCurrentWidget(ui->editorpage);
    ui->trainerform->switchOn(m_session.target());
    refreshHistory();
}

void Form1::mnuOpen_Click()
{
    clsCommonDialog dialog;
    const QString path = dialog.ShowOpen(this, OpenTitle, QString(), RomFilter, OpenFlags);
    if (!path.isEmpty()) {
        openPath(path);
    }
}

void Form1::openRomFile(const QString& path)
{
    openPath(path);
}

void Form1::mnuClose_Click()
{
    if (m_session.loaded() && settleAll()) {
        closeRomWindows();
        resetView();
        showNotes(QString());
    }
}

void Form1::mnuProperties_Click()
{
    const auto image = m_session.loaded() ? readForWindow() : std::nullopt;
    if (!image) {
        return;
    }
    Properties properties(
        QString::fromStdString(m_session.path),
        ui->headr->text(),
        *image,
        patchOriginal(),
        [this] { return choosePatchOriginal(); },
        this);
    properties.exec();
}

void Form1::openPath(const QString& path)
{
    const std::string filePath = path.toStdString();
    const auto image = readRomImage(filePath);
    if (!image) {
        showFailure(this, image.failure());
        return;
    }
    const Recognition recognition = recognizeRom(*image);
    if (recognition.profile == nullptr) {
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("Tavrik"), QStringLiteral("Unsupported ROM!"), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("unsupportedBox"));
        box.setInformativeText(QString::fromStdString(recognition.reason));
        box.exec();
        return;
    }
    if (!settleAll()) {
        return;
    }
    closeRomWindows();
    resetView();
    const VersionProfile& profile = *recognition.profile;
    ui->headr->setText(QString::fromUtf8(profile.title));
    setWindowTitle(QString::fromUtf8(profile.caption) + QStringLiteral("[*]"));

    m_session.path = filePath;
    m_session.versionCode = recognition.versionCode;
    m_session.profile = &profile;
    m_pictures->setImage(*image, profile.version);
    switchEditorOn();
    const PartyTable parties = readPartyTable(*image, profile);
    fillLists(*image, parties);
    noteChangedRom(*image, parties);
    RecentFiles::add(path);
    showRecent();
}

void Form1::fillLists(const Bytes& image, const PartyTable& parties)
{
    TrainerForm* form = ui->trainerform;
    form->roster()->clear();
    form->moveList()->clear();
    for (QComboBox* list : form->championLists()) {
        list->clear();
    }
    form->itemList()->clear();
    form->trainer(image, parties);
    pokemon(image);
    attack(image);
    item(image);
    item2();
    item3();
}

void Form1::noteChangedRom(const Bytes& image, const PartyTable& parties)
{
    const VersionProfile& profile = *m_session.profile;
    const auto roster = locateRoster(image, profile, parties);
    int movedParties = 0;
    int names = 0;
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerPlaces& places = roster[static_cast<std::size_t>(rosterIndex)];
        movedParties += partyMoved(places, profile, rosterIndex);
        names += nameMoved(places, profile, rosterIndex);
    }
    QStringList moved;
    if (movedParties > 0) {
        moved << counted(movedParties, "party", "parties");
    }
    if (names > 0) {
        moved << counted(names, "name", "names");
    }
    const QString note = moved.isEmpty() ? QString()
                                         : QStringLiteral("This ROM was changed by another tool: %1 lie elsewhere "
                                                          "than in %2; Tavrik follows the ROM's own tables.")
                                               .arg(moved.join(QStringLiteral(" and ")), ui->headr->text());
    showNotes(note);
    ui->headr->setToolTip(note);
}

void Form1::pokemon(const Bytes& image)
{
    if (m_session.loaded()) {
        ui->trainerform->partyRows()->setSpeciesNames(toQStringList(speciesNames(image, *m_session.profile)));
    }
}

void Form1::attack(const Bytes& image)
{
    if (m_session.loaded()) {
        std::vector<QComboBox*> lists = ui->trainerform->championLists();
        lists.insert(lists.begin(), ui->trainerform->moveList());
        appendNames(lists, moveNames(image, *m_session.profile));
    }
}

void Form1::item(const Bytes& image)
{
    if (m_session.loaded()) {
        appendNames({ui->trainerform->itemList()}, itemNames(image, *m_session.profile));
    }
}

// "?????" up to the first machine's position, whatever number of names the item walk found.
void Form1::item2()
{
    if (m_session.loaded()) {
        appendNames({ui->trainerform->itemList()},
                    itemPlaceholders(static_cast<std::size_t>(ui->trainerform->itemList()->count())));
    }
}

void Form1::item3()
{
    if (m_session.loaded()) {
        appendNames({ui->trainerform->itemList()}, machineNames());
    }
}
