#include "overworld/Form3.h"

#include "catalogues/CatalogueFill.h"
#include "catalogues/NameCatalogues.h"
#include "history/SaveSettings.h"
#include "pictures/PictureBook.h"
#include "rom/FailureBox.h"
#include "rom/WindowPlace.h"
#include "trainers/InputFilters.h"
#include "ui_Form3.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QWindow>

namespace {

const QString PlaceSetting = QStringLiteral("overworld/place");

} // namespace

Form3::Form3(RomTarget rom, PictureBook* pictures)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::Form3>()),
      m_rom(std::move(rom)), m_pictures(pictures), m_steps(new QUndoStack(this)),
      m_edits(std::make_unique<EditHistory<BattleEdits>>(
          m_steps, [this] { return editedBattles(); }, [this](const BattleEdits& shown) { showBattles(shown); }))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    restoreWindowPlace(this, PlaceSetting);
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        installByteBox(levelBox(battle));
        connect(levelBox(battle), &QLineEdit::textChanged, this, &Form3::battleEdited);
        connect(speciesBox(battle), &QComboBox::currentIndexChanged, this, &Form3::battleEdited);
    }
    connect(ui->Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(m_pictures, &PictureBook::changed, this, &Form3::drawPictures);
}

Form3::~Form3() = default;

QUndoStack* Form3::editSteps() const
{
    return m_steps;
}

void Form3::battleEdited()
{
    setWindowModified(hasUnsavedChanges());
    drawPictures();
    m_edits->changed();
}

QComboBox* Form3::speciesBox(int battle) const
{
    QComboBox* const boxes[] = {ui->opkmn1, ui->opkmn2, ui->opkmn3, ui->opkmn4, ui->opkmn5, ui->opkmn6};
    return boxes[battle];
}

QLineEdit* Form3::levelBox(int battle) const
{
    QLineEdit* const boxes[] = {ui->olvl1, ui->olvl2, ui->olvl3, ui->olvl4, ui->olvl5, ui->olvl6};
    return boxes[battle];
}

void Form3::overpokemon(const Bytes& image)
{
    std::vector<QComboBox*> lists;
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        speciesBox(battle)->clear();
        lists.push_back(speciesBox(battle));
    }
    appendNames(lists, speciesNames(image, *m_rom.profile));
}

void Form3::setBattleLocator(LocateBattles locate)
{
    m_locate = locate;
}

void Form3::loadBattles(const Bytes& image)
{
    m_loaded.fill(std::nullopt);
    const BattlePositions positions =
        m_locate != nullptr ? m_locate(image, *m_rom.profile) : fixedPositions(m_rom.profile->version);
    QStringList leftAlone;
    const QString title = QString::fromUtf8(m_rom.profile->title);
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        QWidget* frame = speciesBox(battle)->parentWidget();
        const bool inPlace = battleInPlace(image, positions, battle);
        frame->setEnabled(inPlace);
        frame->setToolTip(inPlace ? QString()
                                  : QStringLiteral("Not where %1 keeps this battle: Tavrik leaves it as "
                                                   "it is.")
                                        .arg(title));
        if (!inPlace) {
            leftAlone << QString::fromStdString(overworldBattleName(battle));
            speciesBox(battle)->setCurrentIndex(-1);
            const QSignalBlocker blocker(levelBox(battle));
            levelBox(battle)->clear();
            continue;
        }
        const BattleValues values = readBattle(image, positions, battle);
        m_loaded[static_cast<std::size_t>(battle)] = values;
        QComboBox* species = speciesBox(battle);
        species->setCurrentIndex(values.species < species->count() ? values.species : -1);
        levelBox(battle)->setText(QString::number(values.level));
    }
    ui->notes->setText(leftAlone.isEmpty()
                           ? QString()
                           : QStringLiteral("Left alone, not where %1 keeps them (another tool changed this ROM): %2.")
                                 .arg(title, leftAlone.join(QStringLiteral(", "))));
    setWindowModified(false);
    drawPictures();
    m_edits->reset();
}

void Form3::drawPictures()
{
    const BattleEdits battles = editedBattles();
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        auto* picture = findChild<QLabel*>(QStringLiteral("opkmn%1Picture").arg(battle + 1));
        if (const auto& values = battles[static_cast<std::size_t>(battle)]) {
            m_pictures->showSpecies(picture, values->species);
        } else {
            PictureBook::show(picture, QImage(), {});
        }
    }
}

BattleEdits Form3::editedBattles() const
{
    BattleEdits battles = m_loaded;
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        auto& values = battles[static_cast<std::size_t>(battle)];
        if (!values) {
            continue;
        }
        const int species = speciesBox(battle)->currentIndex();
        if (species >= 0) {
            values->species = static_cast<std::uint8_t>(species);
        }
        values->level = static_cast<std::uint8_t>(byteBoxValue(levelBox(battle)));
    }
    return battles;
}

bool Form3::hasUnsavedChanges() const
{
    return editedBattles() != m_loaded;
}

bool Form3::oversave()
{
    const auto written =
        writeBattles(m_rom, editedBattles(), saveLabel("the overworld battles"), m_locate, windowSaveOptions());
    if (!written) {
        showFailure(this, written.failure());
        return false;
    }
    m_checksumNote = checksumNote(*written);
    m_loaded = editedBattles();
    setWindowModified(false);
    m_edits->reset();
    emit saved();
    return true;
}

void Form3::Command1_Click()
{
    if (oversave()) {
        QMessageBox::information(this,
                                 QStringLiteral("Tavrik"),
                                 QStringLiteral("Overworld Pokémon Battle Data Saved successfully!") + m_checksumNote);
    }
}

bool Form3::settleEdits(const QString& purpose)
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    const auto answer = askToSaveChanges(this,
                                         QStringLiteral("Save the changes to the overworld battles%1?").arg(purpose),
                                         QStringLiteral("Your changes to these battles are not in the ROM yet."));
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !oversave())) {
        return false;
    }
    if (answer == QMessageBox::Discard) {
        showBattles(m_loaded);
        m_edits->reset();
    }
    return true;
}

void Form3::showBattles(const BattleEdits& battles)
{
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        if (const auto& values = battles[static_cast<std::size_t>(battle)]) {
            QComboBox* species = speciesBox(battle);
            const QSignalBlocker speciesBlocker(species);
            const QSignalBlocker levelBlocker(levelBox(battle));
            species->setCurrentIndex(values->species < species->count() ? values->species : -1);
            levelBox(battle)->setText(QString::number(values->level));
        }
    }
    battleEdited();
}

void Form3::followSave(const Bytes& image)
{
    const BattleEdits was = m_loaded;
    const BattleEdits shown = editedBattles();
    overpokemon(image);
    loadBattles(image);
    // Each edited battle still as the save left it keeps its edit; one the save changed is kept at the user's word.
    BattleEdits merged = m_loaded;
    bool conflict = false;
    for (std::size_t battle = 0; battle < merged.size(); ++battle) {
        if (shown[battle] == was[battle]) {
            continue;
        }
        conflict = conflict || merged[battle] != was[battle];
        if (merged[battle]) {
            merged[battle] = shown[battle];
        }
    }
    if (merged == m_loaded ||
        (conflict && askKeepOrReload(this, QStringLiteral("the overworld battles")) != QMessageBox::Yes)) {
        return;
    }
    showBattles(merged);
}

void Form3::closeEvent(QCloseEvent* event)
{
    if (!settleEdits()) {
        event->ignore();
        return;
    }
    saveWindowPlace(this, PlaceSetting);
    event->accept();
}
