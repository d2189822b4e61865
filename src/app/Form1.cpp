#include "app/Form1.h"

#include "app/Form2.h"
#include "overworld/Form3.h"
#include "rom/FailureBox.h"
#include "trainers/InputFilters.h"
#include "ui_Form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
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
    // A fixed-size window: the menu bar on top of a client area of fixed size, the notes below.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setAcceptDrops(true);
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setAccessibleName(QStringLiteral("Notes on the selected trainer"));
    m_notes->setWordWrap(true);
    // Three lines: where the trainer was found or what is left alone, then the warnings. Anything longer
    // is cut at the bottom and shown whole in the tooltip.
    m_notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notes->setFixedHeight(3 * m_notes->fontMetrics().lineSpacing() + 4);
    ui->statusbar->addWidget(m_notes, 1);

    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_speciesWarnings = {
        ui->pkmn1Warning, ui->pkmn2Warning, ui->pkmn3Warning, ui->pkmn4Warning, ui->pkmn5Warning, ui->pkmn6Warning};
    for (QLabel* icon : findChildren<QLabel*>(QRegularExpression(QStringLiteral("Warning$")))) {
        icon->setPixmap(warning.pixmap(14, 14));
        icon->hide();
    }
    for (int member = 1; member <= 6; ++member) {
        QLineEdit* level = levelBox(member);
        QAction* levelWarning = level->addAction(warning, QLineEdit::TrailingPosition);
        levelWarning->setObjectName(level->objectName() + QStringLiteral("Warning"));
        levelWarning->setVisible(false);
        m_levelWarnings[static_cast<std::size_t>(member - 1)] = levelWarning;
        installByteBox(levelBox(member));
        connect(levelBox(member), &QLineEdit::textChanged, this, &Form1::updateState);
        connect(speciesBox(member), &QComboBox::currentIndexChanged, this, &Form1::updateState);
    }
    installByteBox(ui->itemquant);
    installHexKeyFilter(ui->pkmnno);
    connect(ui->namebox, &QLineEdit::textChanged, this, &Form1::updateState);
    connect(ui->itemquant, &QLineEdit::textChanged, this, &Form1::updateState);
    for (QComboBox* list : {ui->itemlst, ui->attacklst, ui->pkmnno}) {
        connect(list, &QComboBox::currentIndexChanged, this, &Form1::updateState);
    }

    connect(ui->mnuOpen, &QAction::triggered, this, &Form1::mnuOpen_Click);
    connect(ui->mnuSave, &QAction::triggered, this, &Form1::mnuSave_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(ui->mnuBattle, &QAction::triggered, this, &Form1::mnuBattle_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(ui->trainerlst, &QListWidget::currentRowChanged, this, &Form1::trainerlst_Click);
}

Form1::~Form1()
{
    delete m_about;
    delete m_overworld;
}

Form2* Form1::aboutWindow() const
{
    return m_about;
}

Form3* Form1::overworldWindow() const
{
    return m_overworld;
}

QComboBox* Form1::speciesBox(int member) const
{
    QComboBox* const boxes[] = {ui->pkmn1, ui->pkmn2, ui->pkmn3, ui->pkmn4, ui->pkmn5, ui->pkmn6};
    return boxes[member - 1];
}

QLineEdit* Form1::levelBox(int member) const
{
    QLineEdit* const boxes[] = {ui->lvl1, ui->lvl2, ui->lvl3, ui->lvl4, ui->lvl5, ui->lvl6};
    return boxes[member - 1];
}

void Form1::mnuAbout_Click()
{
    if (m_about == nullptr) {
        m_about = new Form2;
        connect(m_about, &Form2::closed, this, [this] { setEnabled(true); });
    }
    m_about->show();
    if (m_about->windowHandle() != nullptr) {
        m_about->windowHandle()->setTransientParent(windowHandle());
    }
    m_about->raise();
    m_about->activateWindow();
    setEnabled(false);
}

void Form1::mnuBattle_Click()
{
    if (!m_session.loaded()) {
        return;
    }
    const auto image = m_session.target().readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return;
    }
    if (m_overworld == nullptr) {
        m_overworld = new Form3(m_session.target());
        connect(m_overworld, &Form3::closed, this, [this] { setEnabled(true); });
    }
    m_overworld->show();
    if (m_overworld->windowHandle() != nullptr) {
        m_overworld->windowHandle()->setTransientParent(windowHandle());
    }
    setEnabled(false);
    m_overworld->overpokemon(*image);
    m_overworld->loadBattles(*image);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveTrainer()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, with any window it opened; the overworld editor may still
    // ask about its own edits and keep everything open.
    if (m_overworld != nullptr && !m_overworld->close()) {
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
