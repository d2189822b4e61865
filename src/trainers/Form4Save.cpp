// The Trainer Parties window's notes and its save: the selected party and the class's prize money go back
// into the ROM as the main window's party does, with the same failure boxes and question before unsaved edits
// are lost. A save is reported on the notes line and the status bar, without a box to dismiss.

#include "history/SaveSettings.h"
#include "rom/FailureBox.h"
#include "trainers/CustomMovesEditor.h"
#include "trainers/CustomMovesWrite.h"
#include "trainers/Form4.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "ui_Form4.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMessageBox>
#include <QStatusBar>

bool Form4::customEdited() const
{
    return m_loaded.customMoves && ui->customMovesEditor->moves() != m_loadedCustom;
}

SpecialMoves Form4::shownSpecialMoves() const
{
    SpecialMoves special = m_specialMoves;
    if (customEdited()) {
        special.custom = withCustomMoves(special.custom, m_class, m_party, ui->customMovesEditor->moves());
    }
    return special;
}

void Form4::followMembers()
{
    ui->customMovesEditor->setMemberNames(ui->partyrows->memberNames());
}

QString Form4::memberMoves(int member) const
{
    const PartyList* list = m_table.listOf(m_class);
    const SpecialMoves special = shownSpecialMoves();
    QStringList moves;
    for (const int classNumber : list != nullptr ? list->classes : ClassList{}) {
        for (const CustomMove& move : customMovesOf(special.custom, classNumber, m_party)) {
            if (move.member == member) {
                moves << QStringLiteral("%1 in slot %2").arg(m_moveNames.value(move.move - 1)).arg(move.slot);
            }
        }
    }
    return moves.isEmpty() ? QString() : QStringLiteral("The game gives this member ") + moves.join(", ") + ".";
}

void Form4::updateState()
{
    m_edits->changed();
    showPartyMoves();
    setWindowModified(hasUnsavedChanges());
    QStringList notes;
    if (!m_saveNote.isEmpty()) {
        notes << m_saveNote;
    }
    const ClassEntry* entry = m_class > 0 ? &m_table.entry(m_class) : nullptr;
    const PartyList* list = m_class > 0 ? m_table.listOf(m_class) : nullptr;
    if (entry != nullptr && list == nullptr) {
        notes << QStringLiteral("Tavrik leaves the parties of %1 as they are: %2.")
                     .arg(m_classNames[m_class - 1], QString::fromUtf8(entry->problem));
    } else if (list != nullptr && !list->editable()) {
        notes << QStringLiteral("Tavrik leaves the parties of %1 as they are: %2.")
                     .arg(selectionName(), QString::fromStdString(list->problem));
    }
    if (entry != nullptr && !entry->money) {
        notes << QStringLiteral("Tavrik leaves the prize money as it is: %1.")
                     .arg(QString::fromUtf8(entry->moneyProblem));
    }
    QStringList warnings = ui->partyrows->warnings();
    const int members = ui->partyrows->memberCount();
    for (int member = 1; member <= members; ++member) {
        ui->partyrows->setMemberMoves(member, memberMoves(member));
    }
    for (const int classNumber : list != nullptr && m_party > 0 ? list->classes : ClassList{}) {
        const auto custom = classNumber == m_class && m_loaded.customMoves
                                ? std::optional<std::vector<CustomMove>>(ui->customMovesEditor->moves())
                                : std::nullopt;
        for (const LostMove& move : lostMoves(m_image, *m_rom.profile, classNumber, m_party, members, {}, custom)) {
            warnings << lostMoveWarning(move, m_moveNames.value(move.move - 1));
        }
    }
    if (!warnings.isEmpty()) {
        notes << QStringLiteral("Warning: %1.").arg(warnings.join(QStringLiteral("; ")));
    }
    ui->notes->setText(notes.join(QLatin1Char('\n')));
    ui->cmdShowOnMap->setEnabled(m_party > 0);
    showBankRoom();
}

void Form4::showBankRoom()
{
    if (m_room.capacity <= 0) {
        ui->bankroom->clear();
        return;
    }
    const QLocale english(QLocale::English);
    QString text = QString::fromStdString(bankRoomNote(m_room));
    const bool edited = m_loaded.list && ui->partyrows->members() != m_loadedMembers;
    const std::int32_t bytes =
        edited ? bytesOfChange(m_table, {{{m_class, m_party, ui->partyrows->members()}}, {}}) : 0;
    if (bytes > m_room.free()) {
        text += QStringLiteral(" This edit needs %1 more than that.").arg(english.toString(bytes - m_room.free()));
    } else if (bytes > 0) {
        text += QStringLiteral(" This edit takes %1 of them.").arg(english.toString(bytes));
    } else if (bytes < 0) {
        text += QStringLiteral(" This edit frees %1.").arg(english.toString(-bytes));
    }
    ui->bankroom->setText(text);
}

bool Form4::hasUnsavedChanges() const
{
    const bool partyEdited = m_loaded.list && ui->partyrows->members() != m_loadedMembers;
    const bool moneyEdited = m_loaded.money && ui->txtmoney->text().toInt() != *m_loaded.money;
    return partyEdited || moneyEdited || customEdited();
}

void Form4::cmdSave_Click()
{
    saveParty();
}

bool Form4::saveParty()
{
    if (m_class == 0) {
        return false;
    }
    BankChange change;
    if (m_loaded.list && m_loaded.list->editable() && ui->partyrows->members() != m_loadedMembers) {
        change.parties = {{m_class, m_party, ui->partyrows->members()}};
    }
    if (m_loaded.money && ui->txtmoney->text().toInt() != *m_loaded.money) {
        change.money = {{m_class, ui->txtmoney->text().toInt()}};
    }
    if (customEdited()) {
        change.customMoves = withCustomMoves(m_specialMoves.custom, m_class, m_party, ui->customMovesEditor->moves());
    }
    const auto written =
        writeBankChange(m_rom, m_loaded, change, saveLabel(editsName().toStdString()), windowSaveOptions());
    if (!written) {
        showFailure(this, written.failure());
        return false;
    }
    const QString done = QStringLiteral("Data for %1 saved successfully!").arg(editsName());
    ui->statusbar->showMessage(done);
    // The file now holds what the window shows; it is read again, the selection kept.
    const auto image = m_rom.readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return true;
    }
    loadParties(*image);
    // Where a list went, and the bank's free bytes in the words of the line under the party.
    const QString moved = QString::fromStdString(bankSavedNote(selectionName().toStdString(), written.value(), m_room));
    m_saveNote = (moved.isEmpty() ? done : done + QLatin1Char(' ') + moved) + checksumNote(written->commit);
    updateState();
    emit saved();
    return true;
}

QString Form4::editsName() const
{
    return m_party > 0 ? QStringLiteral("%1 party %2").arg(selectionName()).arg(m_party) : selectionName();
}

bool Form4::mayLeaveParty(const QString& purpose)
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to %1%2?").arg(editsName(), purpose),
                             QStringLiteral("Your changes to this party are not in the ROM yet."))) {
    case QMessageBox::Save:
        return saveParty();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool Form4::settleEdits(const QString& purpose)
{
    if (!mayLeaveParty(purpose)) {
        return false;
    }
    if (hasUnsavedChanges()) {
        // Discarded: the party as loaded.
        showSelection();
    }
    return true;
}

void Form4::followSave(const Bytes& image)
{
    const bool partyEdited = m_loaded.list && ui->partyrows->members() != m_loadedMembers;
    const bool moneyEdited = m_loaded.money && ui->txtmoney->text().toInt() != *m_loaded.money;
    const bool customChanged = customEdited();
    const std::vector<PartyMember> loadedMembers = m_loadedMembers;
    const std::optional<int> loadedMoney = m_loaded.money;
    const std::vector<CustomMove> loadedCustom = m_loadedCustom;
    const ShownParty shown = shownParty();
    const QString name = editsName();
    const int classNumber = m_class;
    const int partyNumber = m_party;
    loadParties(image);
    if (!partyEdited && !moneyEdited && !customChanged) {
        return;
    }
    // The edits are kept over the new file where the party and money they were made on are still what the save
    // left; the user decides where the save changed them.
    const bool same = m_class == classNumber && m_party == partyNumber;
    const bool partyKept = partyEdited && same && m_loaded.list;
    const bool moneyKept = moneyEdited && same && m_loaded.money;
    const bool customKept = customChanged && same && m_loaded.customMoves;
    const bool changed = (partyEdited && (!partyKept || m_loadedMembers != loadedMembers)) ||
                         (moneyEdited && (!moneyKept || m_loaded.money != loadedMoney)) ||
                         (customChanged && (!customKept || m_loadedCustom != loadedCustom));
    if ((!partyKept && !moneyKept && !customKept) || (changed && askKeepOrReload(this, name) != QMessageBox::Yes)) {
        return;
    }
    // Kept as one step, which an undo takes back to the file.
    ShownParty kept = shownParty();
    kept.members = partyKept ? shown.members : kept.members;
    kept.money = moneyKept ? shown.money : kept.money;
    kept.customMoves = customKept ? shown.customMoves : kept.customMoves;
    showParty(kept);
}

void Form4::showOnMapClicked()
{
    if (m_party <= 0) {
        return;
    }
    const PartyList* list = m_table.listOf(m_class);
    bool fought = !m_places;
    for (const int classNumber : list != nullptr ? list->classes : ClassList{m_class}) {
        const PartyPlace place = m_places ? m_places(classNumber, m_party) : PartyPlace{};
        fought = fought || place.onMap || place.byScript;
    }
    if (!fought) {
        m_saveNote = QStringLiteral("No map of this ROM uses %1.").arg(editsName());
        updateState();
        return;
    }
    emit showOnMap(m_class, m_party);
}

void Form4::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveParty()) {
        event->ignore();
        return;
    }
    saveSize();
    event->accept();
}
