// The Pokémon window's edits, notes and save: every edited record, list and move goes back into the ROM in one
// save, the lists planned with the trainer bank's parties. A value the game could not use is named in the notes
// and refused at the save, which then writes nothing. A save is reported on the notes line and the status bar.

#include "history/CommitSave.h"
#include "history/SaveSettings.h"
#include "rom/FailureBox.h"
#include "species/Form6.h"
#include "trainers/PartyWrite.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>

SpeciesEdits Form6::edits() const
{
    SpeciesEdits edits;
    for (std::size_t k = 0; k < m_work.stats.size() && k < m_loaded.stats.size(); ++k) {
        if (m_work.stats[k] != m_loaded.stats[k] && m_data.records[k].readable()) {
            edits.records[static_cast<int>(k) + 1] = m_work.stats[k];
        }
    }
    for (std::size_t k = 0; k < m_work.lists.size() && k < m_loaded.lists.size(); ++k) {
        const EvosMovesList& list = m_data.evosMoves.lists[k];
        if (m_work.lists[k] != m_loaded.lists[k] && list.editable() && !list.species.empty()) {
            edits.evosMoves[list.species.front()] = m_work.lists[k];
        }
    }
    for (std::size_t k = 0; k < m_work.moves.size() && k < m_loaded.moves.size(); ++k) {
        if (m_work.moves[k] != m_loaded.moves[k]) {
            edits.moves[static_cast<int>(k) + 1] = m_work.moves[k];
        }
    }
    return edits;
}

bool Form6::hasUnsavedChanges() const
{
    return m_work != m_loaded;
}

void Form6::showEdits(const Shown& state)
{
    m_work = state;
    {
        const QScopedValueRollback filling(m_filling, true);
        for (int row = 0; row < static_cast<int>(m_work.moves.size()) && row < m_moves->rowCount(); ++row) {
            showMoveRow(row);
        }
    }
    showSpecies();
}

void Form6::updateState()
{
    if (m_filling) {
        return;
    }
    m_edits->changed();
    setWindowModified(hasUnsavedChanges());
    QStringList notes;
    if (!m_note.isEmpty()) {
        notes << m_note;
    }
    const std::size_t record = static_cast<std::size_t>(std::max(0, m_number - 1));
    if (record < m_data.records.size() && !m_data.records[record].readable()) {
        notes << QStringLiteral("Tavrik leaves this record as it is: %1.")
                     .arg(QString::fromStdString(m_data.records[record].problem));
    }
    const int species = record < m_data.records.size() ? m_data.records[record].species : 0;
    if (species >= 1 && species <= SpeciesCount && pickedListIndex() < 0) {
        notes << QStringLiteral("Tavrik leaves the evolutions and learnset of this species as they are: %1.")
                     .arg(QString::fromStdString(m_data.evosMoves.problemOf(species)));
    }
    const int list = pickedListIndex();
    if (list >= 0 && m_data.evosMoves.lists[static_cast<std::size_t>(list)].species.size() > 1) {
        QStringList others;
        for (const int one : m_data.evosMoves.lists[static_cast<std::size_t>(list)].species) {
            if (one != species) {
                others << speciesName(one);
            }
        }
        notes << QStringLiteral("This list is shared with %1: an edit changes it for them too.")
                     .arg(others.join(QStringLiteral(", ")));
    }
    for (const std::string* problem :
         {&m_data.moves.problem, &m_data.machineMoves.problem, &m_data.typeNames.problem}) {
        if (!problem->empty()) {
            notes << QStringLiteral("Tavrik leaves as it is: %1.").arg(QString::fromStdString(*problem));
        }
    }
    if (const QStringList problems = problemNotes(); !problems.isEmpty()) {
        notes << QStringLiteral("Not saved until changed: %1.").arg(problems.join(QStringLiteral("; ")));
    }
    m_notes->setText(notes.join(QLatin1Char('\n')));
    for (int k = 0; k < m_list->count(); ++k) {
        QListWidgetItem* item = m_list->item(k);
        QFont font = item->font();
        const bool edited = static_cast<std::size_t>(k) < m_work.stats.size() &&
                            m_work.stats[static_cast<std::size_t>(k)] != m_loaded.stats[static_cast<std::size_t>(k)];
        if (font.bold() != edited) {
            font.setBold(edited);
            item->setFont(font);
        }
    }
    showBankRoom();
}

QStringList Form6::problemNotes() const
{
    QStringList lines;
    for (const FieldProblem& problem : fieldProblems(m_data, edits())) {
        lines << QString::fromStdString(describe(problem));
    }
    return lines;
}

void Form6::showBankRoom()
{
    m_bankRoom->setText(m_room.capacity > 0 ? QString::fromStdString(bankRoomNote(m_room)) : QString());
}

void Form6::cmdSave_Click()
{
    save();
}

bool Form6::save()
{
    const SpeciesEdits wanted = edits();
    if (wanted.empty()) {
        return true;
    }
    // One species' record or list is named; anything more is "the Pokémon".
    QString what = QStringLiteral("the Pokémon");
    if (wanted.moves.empty() && wanted.records.size() + wanted.evosMoves.size() == 1) {
        what = wanted.records.empty()
                   ? speciesName(wanted.evosMoves.begin()->first)
                   : speciesName(m_data.records[static_cast<std::size_t>(wanted.records.begin()->first - 1)].species);
    }
    const auto written = writeSpeciesEdits(m_rom, m_data, wanted, saveLabel(what.toStdString()), windowSaveOptions());
    if (!written) {
        showFailure(this, written.failure());
        return false;
    }
    const QString done = QStringLiteral("Data for %1 saved successfully!").arg(what);
    m_statusBar->showMessage(done);
    QStringList notes{done + checksumNote(written->commit)};
    for (const std::string& note : written->notes) {
        notes << QString::fromStdString(note);
    }
    // The file now holds what the window shows; it is read again, the species kept.
    const auto image = m_rom.readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return true;
    }
    loadSpecies(*image);
    m_note = notes.join(QLatin1Char('\n'));
    updateState();
    emit saved();
    return true;
}

bool Form6::mayLeave(const QString& purpose)
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to the Pokémon%1?").arg(purpose),
                             QStringLiteral("Your changes to the species and moves are not in the ROM yet."))) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool Form6::settleEdits(const QString& purpose)
{
    if (!mayLeave(purpose)) {
        return false;
    }
    if (hasUnsavedChanges()) {
        // Discarded: the species as loaded.
        showEdits(m_loaded);
        m_edits->reset();
    }
    return true;
}

void Form6::followSave(const Bytes& image)
{
    const Shown loaded = m_loaded;
    const Shown work = m_work;
    const std::vector<EvosMovesList> lists = m_data.evosMoves.lists;
    loadSpecies(image);
    if (work == loaded) {
        return;
    }
    // Each edited entry is kept where the save left what it was made on as it was; the user decides for the rest.
    Shown kept = m_work;
    bool conflict = false;
    const auto keep = [&conflict](auto& now, const auto& was, const auto& mine, const auto& loadedNow) {
        if (mine == was) {
            return;
        }
        conflict = conflict || loadedNow != was;
        now = mine;
    };
    for (std::size_t k = 0; k < work.stats.size() && k < kept.stats.size(); ++k) {
        keep(kept.stats[k], loaded.stats[k], work.stats[k], m_loaded.stats[k]);
    }
    for (std::size_t k = 0; k < work.moves.size() && k < kept.moves.size(); ++k) {
        keep(kept.moves[k], loaded.moves[k], work.moves[k], m_loaded.moves[k]);
    }
    // A list is found again by the species that leads to it: another save may have moved it.
    for (std::size_t k = 0; k < work.lists.size(); ++k) {
        if (work.lists[k] == loaded.lists[k] || lists[k].species.empty()) {
            continue;
        }
        const int index = m_data.evosMoves.listIndex[static_cast<std::size_t>(lists[k].species.front() - 1)];
        if (index < 0 || !m_data.evosMoves.lists[static_cast<std::size_t>(index)].editable()) {
            conflict = true;
            continue;
        }
        keep(kept.lists[static_cast<std::size_t>(index)],
             loaded.lists[k],
             work.lists[k],
             m_loaded.lists[static_cast<std::size_t>(index)]);
    }
    if (conflict && askKeepOrReload(this, QStringLiteral("the Pokémon")) != QMessageBox::Yes) {
        return;
    }
    // Kept as one step, which an undo takes back to the file.
    m_work = kept;
    showEdits(kept);
    updateState();
}

void Form6::closeEvent(QCloseEvent* event)
{
    if (!mayLeave()) {
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}
