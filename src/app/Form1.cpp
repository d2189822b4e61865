#include "app/Form1.h"

#include "app/Form2.h"
#include "app/RecentFiles.h"
#include "difficulty/Form7.h"
#include "maps/Form5.h"
#include "overworld/Form3.h"
#include "pictures/PictureBook.h"
#include "rom/WindowPlace.h"
#include "species/Form6.h"
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
    ui->mnuBreak3->setSeparator(true);
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
    connect(ui->trainerform, &TrainerForm::saved, this, [this] { followSave(ui->trainerform); });
    m_pictures = new PictureBook(this);
    ui->trainerform->setPictureBook(m_pictures);
    ui->trainerform->setPlaceReader(placeReader());
    // Grey or colour: the last choice, kept from one run to the next.
    ui->mnuColours->setChecked(QSettings().value(ColourSetting, false).toBool());
    m_pictures->setColour(ui->mnuColours->isChecked());
    connect(ui->mnuColours, &QAction::toggled, this, [this](bool colour) {
        QSettings().setValue(ColourSetting, colour);
        m_pictures->setColour(colour);
    });

    connect(ui->mnuOpen, &QAction::triggered, this, &Form1::mnuOpen_Click);
    connect(ui->mnuClose, &QAction::triggered, this, &Form1::mnuClose_Click);
    connect(ui->mnuGuide, &QAction::triggered, this, &Form1::mnuGuide_Click);
    connect(ui->mnuCreatePatch, &QAction::triggered, this, &Form1::mnuCreatePatch_Click);
    connect(ui->mnuApplyPatch, &QAction::triggered, this, &Form1::mnuApplyPatch_Click);
    connect(ui->mnuProperties, &QAction::triggered, this, &Form1::mnuProperties_Click);
    connect(ui->mnuRecent, &QMenu::aboutToShow, this, &Form1::showRecent);
    connect(ui->mnuSave, &QAction::triggered, this, &Form1::mnuSave_Click);
    connect(ui->mnuPlay, &QAction::triggered, this, &Form1::mnuPlay_Click);
    connect(ui->mnuEmulator, &QAction::triggered, this, &Form1::mnuEmulator_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(ui->mnuBattle, &QAction::triggered, this, &Form1::mnuBattle_Click);
    connect(ui->mnuParties, &QAction::triggered, this, &Form1::mnuParties_Click);
    connect(ui->mnuMaps, &QAction::triggered, this, &Form1::mnuMaps_Click);
    connect(ui->mnuDifficulty, &QAction::triggered, this, &Form1::mnuDifficulty_Click);
    connect(ui->mnuPokemon, &QAction::triggered, this, &Form1::mnuPokemon_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    installUndo(this, ui->trainerform->editSteps(), {ui->mnuUndo, ui->mnuRedo});
    routeUndoKeysToWindows();
    showRecent();
    // At first as small as its form allows; later as the user left it.
    resize(minimumSizeHint());
    restoreWindowPlace(this, QStringLiteral("main/place"));
}

Form1::~Form1()
{
    delete m_about;
    delete m_overworld;
    delete m_parties;
    delete m_maps;
    delete m_difficulty;
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

Form7* Form1::difficultyWindow() const
{
    return m_difficulty;
}

Form6* Form1::pokemonWindow() const
{
    return m_pokemon;
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
    }
}

void Form1::showNotes(const QString& notes)
{
    ui->notes->setText(notes);
    ui->notes->setToolTip(notes);
    ui->notes->setVisible(!notes.isEmpty());
    ui->Label1->setVisible(notes.isEmpty());
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
