// The Trainer Parties window's notes and its save: the selected party and the class's prize money go back
// into the ROM as the main window's party does, with the same confirmation, failure boxes and question
// before unsaved edits are lost.

#include "rom/FailureBox.h"
#include "trainers/Form4.h"
#include "trainers/InputFilters.h"
#include "trainers/PartyRows.h"
#include "ui_Form4.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMessageBox>

QString Form4::memberMoves(int member) const
{
    const PartyList* list = m_table.listOf(m_class);
    QStringList moves;
    for (const int classNumber : list != nullptr ? list->classes : ClassList{}) {
        for (const CustomMove& move : customMovesOf(m_customMoves, classNumber, m_party)) {
            if (move.member == member) {
                moves << QStringLiteral("%1 in slot %2").arg(m_moveNames.value(move.move - 1)).arg(move.slot);
            }
        }
    }
    return moves.isEmpty() ? QString() : QStringLiteral("The game gives this member ") + moves.join(", ") + ".";
}

void Form4::updateState()
{
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
    for (const int classNumber : list != nullptr && m_party > 0 ? list->classes : ClassList{}) {
        for (const LostMove& move : lostMoves(m_image, *m_rom.profile, classNumber, m_party, members)) {
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
    QString text = QStringLiteral("Trainer bank: %1 of %2 bytes free.")
                       .arg(english.toString(m_room.free()), english.toString(m_room.capacity));
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
    return partyEdited || moneyEdited;
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
    const QString name =
        m_party > 0 ? QStringLiteral("%1 party %2").arg(selectionName()).arg(m_party) : selectionName();
    const auto saved = writeBankChange(m_rom, m_loaded, change, saveLabel(name.toStdString()));
    if (!saved) {
        showFailure(this, saved.failure());
        return false;
    }
    QMessageBox::information(
        this, QStringLiteral("Tavrik"), QStringLiteral("Data for ") + name + QStringLiteral(" saved successfully!"));
    const BankSaved& bank = *saved;
    const QString note =
        !bank.relocations.empty()
            ? QString::fromStdString(relocationNote(selectionName().toStdString(), bank.relocations.front()))
        : bank.repack ? QString::fromStdString(repackNote(*bank.repack))
                      : QString();
    // The file now holds what the window shows; it is read again, the selection kept.
    const auto image = m_rom.readAgain();
    if (!image) {
        showFailure(this, image.failure());
        return true;
    }
    loadParties(*image);
    m_saveNote = note;
    updateState();
    return true;
}

bool Form4::mayLeaveParty()
{
    if (!hasUnsavedChanges()) {
        return true;
    }
    const QString name =
        m_party > 0 ? QStringLiteral("%1 party %2").arg(selectionName()).arg(m_party) : selectionName();
    switch (askToSaveChanges(this,
                             QStringLiteral("Save the changes to %1?").arg(name),
                             QStringLiteral("Your changes to this party are not in the ROM yet."))) {
    case QMessageBox::Save:
        return saveParty();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Form4::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveParty()) {
        event->ignore();
        return;
    }
    saveSize();
    emit closed();
    event->accept();
}
