#include "app/Form1.h"

#include "app/Form2.h"
#include "app/RecentFiles.h"
#include "maps/Form5.h"
#include "maps/PartyPlaces.h"
#include "maps/StaticBattles.h"
#include "overworld/Form3.h"
#include "pictures/PictureBook.h"
#include "rom/FailureBox.h"
#include "trainers/Form4.h"
#include "trainers/TrainerForm.h"
#include "ui_Form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QUrl>
#include <QWindow>

// The pictures live in the static UI library, whose resources must be registered by hand (and from
// outside any namespace).
static void loadPictures()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

const QString ColourSetting = QStringLiteral("pictures/superGameBoyColours");

// Where each party is fought, from the maps of the image the party windows show.
PartyPlaceLookup placesOf(const Bytes& image, const VersionProfile& profile)
{
    auto maps = std::make_shared<const MapTable>(readMaps(image, profile));
    return [maps](int classNumber, int partyNumber) {
        const PartyPlaces places = partyPlaces(*maps, classNumber, partyNumber);
        return PartyPlace{places.text(maps->version), !places.maps.empty(), places.maps.empty() && places.script};
    };
}

// The overworld editor finds its legendaries through the maps' objects, as the Maps window does.
constexpr LocateBattles LocateThroughMaps = &overworldPositions;

// A local .gb or .gbc file, the only thing the window takes from a drag.
QString droppedRom(const QMimeData* data)
{
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const QString path = urls.front().toLocalFile();
    return path.endsWith(QStringLiteral(".gb"), Qt::CaseInsensitive) ||
                   path.endsWith(QStringLiteral(".gbc"), Qt::CaseInsensitive)
               ? path
               : QString();
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::Form1>())
{
    loadPictures();
    ui->setupUi(this);
    ui->mnuBreak->setSeparator(true);
    ui->mnuBreak2->setSeparator(true);
    // A fixed-size window: the menu bar on top of a client area of fixed size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setAcceptDrops(true);
    // The banner drawn at the screen's own resolution: the icon picks banner@2x.png where pixels are doubled.
    ui->Image1->setPixmap(
        QIcon(QStringLiteral(":/images/banner.png")).pixmap(ui->Image1->minimumSize(), devicePixelRatioF()));
    QFont heading = ui->starttext->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.25);
    ui->starttext->setFont(heading);
    // Three lines of notes in place of the notice: what is left alone or moved, then the warnings. Anything
    // longer is cut at the bottom and shown whole in the tooltip. The frame keeps their height throughout.
    ui->notes->setFixedHeight(3 * ui->notes->fontMetrics().lineSpacing() + 4);
    ui->Label1->hide();
    ui->Frame2->setFixedHeight(ui->Frame2->sizeHint().height());
    showNotes(QString());
    connect(ui->trainerform, &TrainerForm::notesChanged, this, &Form1::showNotes);
    connect(ui->trainerform, &TrainerForm::modifiedChanged, this, &QWidget::setWindowModified);
    m_pictures = new PictureBook(this);
    ui->trainerform->setPictureBook(m_pictures);
    ui->trainerform->setPlaceReader([this](const Bytes& image) { return placesOf(image, *m_session.profile); });
    // Grey or colour: the last choice, kept from one run to the next.
    ui->mnuColours->setChecked(QSettings().value(ColourSetting, false).toBool());
    m_pictures->setColour(ui->mnuColours->isChecked());
    connect(ui->mnuColours, &QAction::toggled, this, [this](bool colour) {
        QSettings().setValue(ColourSetting, colour);
        m_pictures->setColour(colour);
    });

    connect(ui->mnuOpen, &QAction::triggered, this, &Form1::mnuOpen_Click);
    connect(ui->mnuRecent, &QMenu::aboutToShow, this, &Form1::showRecent);
    connect(ui->mnuSave, &QAction::triggered, this, &Form1::mnuSave_Click);
    connect(ui->mnuPlay, &QAction::triggered, this, &Form1::mnuPlay_Click);
    connect(ui->mnuEmulator, &QAction::triggered, this, &Form1::mnuEmulator_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(ui->mnuBattle, &QAction::triggered, this, &Form1::mnuBattle_Click);
    connect(ui->mnuParties, &QAction::triggered, this, &Form1::mnuParties_Click);
    connect(ui->mnuMaps, &QAction::triggered, this, &Form1::mnuMaps_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    showRecent();
}

Form1::~Form1()
{
    delete m_about;
    delete m_overworld;
    delete m_parties;
    delete m_maps;
}

TrainerForm* Form1::trainerForm() const
{
    return ui->trainerform;
}

Form2* Form1::aboutWindow() const
{
    return m_about;
}

Form3* Form1::overworldWindow() const
{
    return m_overworld;
}

Form4* Form1::partiesWindow() const
{
    return m_parties;
}

Form5* Form1::mapsWindow() const
{
    return m_maps;
}

QComboBox* Form1::speciesBox(int member) const
{
    return ui->trainerform->speciesBox(member);
}

QLineEdit* Form1::levelBox(int member) const
{
    return ui->trainerform->levelBox(member);
}

bool Form1::hasUnsavedChanges() const
{
    return ui->trainerform->hasUnsavedChanges();
}

void Form1::mnuSave_Click()
{
    if (ui->trainerform->roster()->currentRow() >= 0 && ui->trainerform->saveTrainer()) {
        ui->trainerform->roster()->setCurrentRow(0);
        RecentFiles::add(QString::fromStdString(m_session.path));
        showRecent();
    }
}

void Form1::showNotes(const QString& notes)
{
    ui->notes->setText(notes);
    ui->notes->setToolTip(notes);
    ui->notes->setVisible(!notes.isEmpty());
    ui->Label1->setVisible(notes.isEmpty());
}

void Form1::showLocking(QWidget* window)
{
    window->show();
    if (window->windowHandle() != nullptr) {
        window->windowHandle()->setTransientParent(windowHandle());
    }
    window->raise();
    window->activateWindow();
    setEnabled(false);
}

void Form1::mnuAbout_Click()
{
    if (m_about == nullptr) {
        m_about = new Form2;
        connect(m_about, &Form2::closed, this, [this] { setEnabled(true); });
    }
    showLocking(m_about);
}

std::optional<Bytes> Form1::readForWindow()
{
    auto image = m_session.target().readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return std::nullopt;
    }
    return std::move(image.value());
}

void Form1::mnuBattle_Click()
{
    if (!m_session.loaded()) {
        return;
    }
    const auto image = readForWindow();
    if (!image) {
        return;
    }
    if (m_overworld == nullptr) {
        m_overworld = new Form3(m_session.target(), m_pictures);
        m_overworld->setBattleLocator(LocateThroughMaps);
        connect(m_overworld, &Form3::closed, this, [this] { setEnabled(true); });
    }
    showLocking(m_overworld);
    m_overworld->overpokemon(*image);
    m_overworld->loadBattles(*image);
}

void Form1::mnuParties_Click()
{
    // The two windows edit the same parties: the main window's edits are settled first.
    if (m_session.loaded() && ui->trainerform->mayLeaveTrainer()) {
        showParties();
    }
}

void Form1::mnuMaps_Click()
{
    if (m_session.loaded() && ui->trainerform->mayLeaveTrainer()) {
        showMaps();
    }
}

bool Form1::showParties()
{
    const auto image = readForWindow();
    if (!image) {
        return false;
    }
    // A window that was closed is only waiting to be deleted.
    if (m_parties == nullptr || m_parties->isHidden()) {
        m_parties = new Form4(m_session.target(), m_pictures);
        m_parties->setPlaceReader([this](const Bytes& shown) { return placesOf(shown, *m_session.profile); });
        connect(m_parties, &Form4::closed, this, [this] {
            setEnabled(true);
            ui->trainerform->reloadTrainer();
        });
        // One editor at a time: Trainer Parties closes (or keeps its edits and stays) before the maps open.
        connect(m_parties, &Form4::showOnMap, this, [this](int classNumber, int partyNumber) {
            if (m_parties->close() && showMaps()) {
                m_maps->selectTrainer(classNumber, partyNumber);
            }
        });
    }
    showLocking(m_parties);
    m_parties->loadParties(*image);
    return true;
}

bool Form1::showMaps()
{
    const auto image = readForWindow();
    if (!image) {
        return false;
    }
    if (m_maps == nullptr || m_maps->isHidden()) {
        m_maps = new Form5(m_session.target(), m_pictures);
        connect(m_maps, &Form5::closed, this, [this] { setEnabled(true); });
        connect(m_maps, &Form5::openParty, this, [this](int classNumber, int partyNumber) {
            if (m_maps->close() && showParties()) {
                m_parties->selectParty(classNumber, partyNumber);
            }
        });
    }
    showLocking(m_maps);
    m_maps->loadMaps(*image);
    return true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!ui->trainerform->mayLeaveTrainer()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, with any window it opened; the other editors may still
    // ask about their own edits and keep everything open.
    if ((m_overworld != nullptr && !m_overworld->close()) || (m_parties != nullptr && !m_parties->close()) ||
        (m_maps != nullptr && !m_maps->close())) {
        event->ignore();
        return;
    }
    delete m_about;
    event->accept();
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedRom(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString path = droppedRom(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    openRomFile(path);
}
