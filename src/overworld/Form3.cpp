#include "overworld/Form3.h"

#include "app/Form1.h"
#include "catalogues/CatalogueFill.h"
#include "rom/FailureBox.h"
#include "trainers/InputFilters.h"
#include "ui_Form3.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QWindow>

Form3::Form3(RomSession& session)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::Form3>()),
      m_session(session)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        installByteBox(levelBox(battle));
    }
    connect(ui->Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

Form3::~Form3() = default;

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

void Form3::loadBattles()
{
    m_loaded.fill(std::nullopt);
    if (!m_session.loaded()) {
        return;
    }
    std::optional<Failure> firstFailure;
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const auto values = readBattle(m_session.path, *m_session.profile, battle);
        if (!values) {
            if (!firstFailure) {
                firstFailure = values.failure();
            }
            continue;
        }
        m_loaded[static_cast<std::size_t>(battle)] = *values;
        QComboBox* species = speciesBox(battle);
        species->setCurrentIndex(values->species < species->count() ? values->species : -1);
        levelBox(battle)->setText(QString::number(values->level));
    }
    // One box is enough: the battles after a failed one usually fail for the same reason.
    if (firstFailure) {
        showFailure(this, *firstFailure);
    }
}

bool Form3::oversave()
{
    if (!m_session.loaded()) {
        return false;
    }
    std::array<std::optional<BattleValues>, OverworldBattleCount> battles = m_loaded;
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
    if (auto failure = writeBattles(m_session.path, *m_session.profile, battles)) {
        showFailure(this, *failure);
        return false;
    }
    return true;
}

void Form3::Command1_Click()
{
    if (!oversave()) {
        return;
    }
    const bool allLoaded = std::all_of(m_loaded.begin(), m_loaded.end(), [](const auto& v) { return v.has_value(); });
    if (!allLoaded) {
        showFailure(this,
                    {FailureNumber::NotLoaded,
                     "Some battles could not be read from the ROM when this window opened; those were not "
                     "written. The others were saved."});
        return;
    }
    QMessageBox::information(
        this, QStringLiteral("Tavrik"), QStringLiteral("Overworld Pokémon Battle Data Saved successfully!"));
}

void Form3::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}

void Form1::mnuBattle_Click()
{
    if (!m_session.loaded()) {
        return;
    }
    if (m_overworld == nullptr) {
        m_overworld = new Form3(m_session);
        connect(m_overworld, &Form3::closed, this, [this] { setEnabled(true); });
    }
    m_overworld->show();
    if (m_overworld->windowHandle() != nullptr) {
        m_overworld->windowHandle()->setTransientParent(windowHandle());
    }
    setEnabled(false);
    std::vector<QComboBox*> lists;
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        lists.push_back(m_overworld->speciesBox(battle));
    }
    // overpokemon: the species lists are filled afresh with each opening. Without them the editor
    // cannot show a battle, so it closes again.
    if (!fillSpeciesLists(m_overworld, m_session, lists)) {
        m_overworld->close();
        return;
    }
    m_overworld->loadBattles();
}
