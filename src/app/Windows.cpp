// The windows beside the main window: the About window, which locks it while shown, and the editors of the open
// ROM, which do not. Each editor is opened once and raised when asked for again; all of them show the one file.
// A save in one is shown in the others, a window with unsaved edits of what the save changed asking first; the
// edits of every window are settled, each window asking once, before the ROM or the program is closed; and a party
// picked in Trainer Parties and a trainer picked on the Maps window follow each other.

#include "app/Form1.h"
#include "app/Form2.h"
#include "app/RecentFiles.h"
#include "difficulty/Form7.h"
#include "maps/Form5.h"
#include "maps/PartyPlaces.h"
#include "maps/StaticBattles.h"
#include "overworld/Form3.h"
#include "rom/FailureBox.h"
#include "rom/WindowPlace.h"
#include "species/Form6.h"
#include "trainers/Form4.h"
#include "trainers/TrainerForm.h"
#include "ui_Form1.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QUndoStack>
#include <QWindow>

namespace {

// The overworld editor finds its legendaries through the maps' objects, as the Maps window does.
constexpr LocateBattles LocateThroughMaps = &overworldPositions;

} // namespace

PartyPlaceReader Form1::placeReader() const
{
    return [this](const Bytes& image) -> PartyPlaceLookup {
        auto maps = std::make_shared<const MapTable>(readMaps(image, *m_session.profile));
        return [maps](int classNumber, int partyNumber) {
            const PartyPlaces places = partyPlaces(*maps, classNumber, partyNumber);
            return PartyPlace{places.text(maps->version), !places.maps.empty(), places.maps.empty() && places.script};
        };
    };
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

void Form1::showBeside(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

QList<QAction*> Form1::sharedActions() const
{
    return {ui->mnuOpen, ui->mnuPlay, ui->mnuParties, ui->mnuMaps, ui->mnuPokemon, ui->mnuExit};
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
    // A window closed is only waiting to be deleted.
    if (m_overworld != nullptr && !m_overworld->isHidden()) {
        showBeside(m_overworld);
        return;
    }
    const auto image = readForWindow();
    if (!image) {
        return;
    }
    m_overworld = new Form3(m_session.target(), m_pictures);
    m_overworld->setBattleLocator(LocateThroughMaps);
    installEditorKeys(
        m_overworld, [this] { m_overworld->Command1_Click(); }, sharedActions());
    installUndo(m_overworld, m_overworld->editSteps(), addEditMenu(m_overworld));
    connect(m_overworld, &Form3::saved, this, [this] { followSave(m_overworld); });
    m_overworld->overpokemon(*image);
    m_overworld->loadBattles(*image);
    showBeside(m_overworld);
}

void Form1::mnuParties_Click()
{
    if (m_session.loaded()) {
        showParties();
    }
}

void Form1::mnuMaps_Click()
{
    if (m_session.loaded()) {
        showMaps();
    }
}

void Form1::mnuDifficulty_Click()
{
    if (!m_session.loaded()) {
        return;
    }
    // A window closed is only waiting to be deleted.
    if (m_difficulty != nullptr && !m_difficulty->isHidden()) {
        showBeside(m_difficulty);
        return;
    }
    const auto image = readForWindow();
    if (!image) {
        return;
    }
    m_difficulty = new Form7(m_session.target());
    // Ctrl+S applies, as it saves in the other windows; Escape and Ctrl+W close.
    installEditorKeys(
        m_difficulty, [this] { m_difficulty->cmdApply_Click(); }, sharedActions());
    connect(m_difficulty, &Form7::saved, this, [this] { followSave(m_difficulty); });
    m_difficulty->loadRom(*image);
    showBeside(m_difficulty);
}

void Form1::mnuPokemon_Click()
{
    if (m_session.loaded()) {
        showPokemon();
    }
}

bool Form1::showParties()
{
    // A window closed is only waiting to be deleted.
    if (m_parties != nullptr && !m_parties->isHidden()) {
        showBeside(m_parties);
        return true;
    }
    const auto image = readForWindow();
    if (!image) {
        return false;
    }
    m_parties = new Form4(m_session.target(), m_pictures);
    m_parties->setPlaceReader(placeReader());
    installEditorKeys(
        m_parties, [this] { m_parties->cmdSave_Click(); }, sharedActions());
    installUndo(m_parties, m_parties->editSteps(), addEditMenu(m_parties));
    connect(m_parties, &Form4::saved, this, [this] { followSave(m_parties); });
    connect(m_parties, &Form4::partyPicked, this, [this](int classNumber, int partyNumber) {
        followParty(classNumber, partyNumber, m_parties);
    });
    connect(m_parties, &Form4::showOnMap, this, [this](int classNumber, int partyNumber) {
        if (showMaps() && m_maps->settleEdits()) {
            const QScopedValueRollback following(m_following, true);
            m_maps->selectTrainer(classNumber, partyNumber);
        }
    });
    m_parties->loadParties(*image);
    showBeside(m_parties);
    return true;
}

bool Form1::showMaps()
{
    // A window closed is only waiting to be deleted.
    if (m_maps != nullptr && !m_maps->isHidden()) {
        showBeside(m_maps);
        return true;
    }
    const auto image = readForWindow();
    if (!image) {
        return false;
    }
    m_maps = new Form5(m_session.target(), m_pictures);
    installEditorKeys(
        m_maps, [this] { m_maps->cmdSave_Click(); }, sharedActions());
    installUndo(m_maps, m_maps->editSteps(), addEditMenu(m_maps));
    connect(m_maps, &Form5::saved, this, [this] { followSave(m_maps); });
    connect(m_maps, &Form5::trainerPicked, this, [this](int classNumber, int partyNumber) {
        followParty(classNumber, partyNumber, m_maps);
    });
    connect(m_maps, &Form5::openParty, this, [this](int classNumber, int partyNumber) {
        if (showParties()) {
            const QScopedValueRollback following(m_following, true);
            m_parties->selectParty(classNumber, partyNumber);
        }
    });
    m_maps->loadMaps(*image);
    showBeside(m_maps);
    return true;
}

bool Form1::showPokemon()
{
    // A window closed is only waiting to be deleted.
    if (m_pokemon != nullptr && !m_pokemon->isHidden()) {
        showBeside(m_pokemon);
        return true;
    }
    const auto image = readForWindow();
    if (!image) {
        return false;
    }
    m_pokemon = new Form6(m_session.target(), m_pictures);
    installEditorKeys(
        m_pokemon, [this] { m_pokemon->cmdSave_Click(); }, sharedActions());
    installUndo(m_pokemon, m_pokemon->editSteps(), addEditMenu(m_pokemon));
    connect(m_pokemon, &Form6::saved, this, [this] { followSave(m_pokemon); });
    connect(m_pokemon, &Form6::openMap, this, [this](int id) {
        if (showMaps()) {
            m_maps->selectMap(id);
        }
    });
    connect(m_pokemon, &Form6::openParty, this, [this](int classNumber, int partyNumber) {
        if (showParties()) {
            const QScopedValueRollback following(m_following, true);
            m_parties->selectParty(classNumber, partyNumber);
        }
    });
    m_pokemon->loadSpecies(*image);
    showBeside(m_pokemon);
    return true;
}

void Form1::followParty(int classNumber, int partyNumber, QObject* origin)
{
    if (m_following) {
        return;
    }
    const QScopedValueRollback following(m_following, true);
    // A window with unsaved edits keeps what it shows: following must not ask questions.
    if (origin == m_parties && m_maps != nullptr && !m_maps->hasUnsavedChanges()) {
        m_maps->selectTrainer(classNumber, partyNumber);
    } else if (origin == m_maps && m_parties != nullptr && !m_parties->hasUnsavedChanges()) {
        m_parties->selectParty(classNumber, partyNumber);
    }
}

bool Form1::settleAll(const QString& purpose)
{
    if (ui->trainerform->hasUnsavedChanges()) {
        showBeside(this);
        QListWidget* roster = ui->trainerform->roster();
        const int row = roster->currentRow();
        if (!ui->trainerform->mayLeaveTrainer(purpose)) {
            return false;
        }
        // Saved or discarded, the trainer stays picked and shows the file.
        ui->trainerform->reloadTrainer();
        roster->setCurrentRow(row);
    }
    // Each window asks in front, so that the user sees which edits the question is about.
    const auto settled = [&purpose, this](auto* window) {
        if (window == nullptr || !window->hasUnsavedChanges()) {
            return true;
        }
        showBeside(window);
        return window->settleEdits(purpose);
    };
    return settled(m_overworld.data()) && settled(m_parties.data()) && settled(m_maps.data()) &&
           settled(m_pokemon.data());
}

void Form1::closeRomWindows()
{
    for (QWidget* window : std::initializer_list<QWidget*>{m_overworld, m_parties, m_maps, m_difficulty, m_pokemon}) {
        if (window != nullptr) {
            window->close();
        }
    }
}

void Form1::followSave(QObject* origin)
{
    RecentFiles::add(QString::fromStdString(m_session.path));
    showRecent();
    refreshHistory();
    const auto image = m_session.target().readAgain();
    if (!image) {
        return;
    }
    if (origin != ui->trainerform) {
        ui->trainerform->followSave();
    }
    if (m_overworld != nullptr && origin != m_overworld) {
        m_overworld->followSave(*image);
    }
    if (m_parties != nullptr && origin != m_parties) {
        m_parties->followSave(*image);
    }
    if (m_maps != nullptr && origin != m_maps) {
        m_maps->followSave(*image);
    }
    if (m_difficulty != nullptr && origin != m_difficulty) {
        m_difficulty->followSave(*image);
    }
    if (m_pokemon != nullptr && origin != m_pokemon) {
        m_pokemon->followSave(*image);
    }
}

void Form1::installUndo(QWidget* window, QUndoStack* steps, const EditActions& edit)
{
    // The window's unsaved edits are undone before any save; a save undone reloads the window, which then has
    // none to redo.
    const auto step = [this, steps, window](bool back) {
        if (back ? steps->canUndo() : steps->canRedo()) {
            back ? steps->undo() : steps->redo();
        } else {
            stepSaves(back, window);
        }
    };
    connect(edit.undo, &QAction::triggered, window, [step] { step(true); });
    connect(edit.redo, &QAction::triggered, window, [step] { step(false); });
    // The actions may go before the steps when the window is destroyed.
    const auto update = [this, steps, undo = QPointer<QAction>(edit.undo), redo = QPointer<QAction>(edit.redo)] {
        if (undo == nullptr || redo == nullptr) {
            return;
        }
        const QString saves[] = {nextSave(true), nextSave(false)};
        const QString texts[] = {steps->canUndo() ? steps->undoText() : saves[0],
                                 steps->canRedo() ? steps->redoText() : saves[1]};
        undo->setEnabled(!texts[0].isEmpty());
        undo->setText(texts[0].isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo %1").arg(texts[0]));
        redo->setEnabled(!texts[1].isEmpty());
        redo->setText(texts[1].isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo %1").arg(texts[1]));
    };
    connect(steps, &QUndoStack::indexChanged, edit.undo, update);
    connect(steps, &QUndoStack::canUndoChanged, edit.undo, update);
    connect(steps, &QUndoStack::canRedoChanged, edit.undo, update);
    connect(this, &Form1::historyChanged, edit.undo, update);
    update();
}

void Form1::showStatus(const QString& text, QWidget* window)
{
    statusBar()->showMessage(text);
    if (auto* bar = window != nullptr && window != this ? window->findChild<QStatusBar*>() : nullptr) {
        bar->showMessage(text);
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!settleAll()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, with every window it opened.
    closeRomWindows();
    saveWindowPlace(this, QStringLiteral("main/place"));
    delete m_about;
    event->accept();
}
