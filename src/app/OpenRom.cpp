// File > Open ROM: reset the editor, ask for a file, recognise its version, fill the roster and the
// pick lists from it, and switch the editor on.

#include "app/Form1.h"
#include "rom/FailureBox.h"
#include "rom/clsCommonDialog.h"
#include "ui_Form1.h"

#include <QMessageBox>

namespace {

const QString OpenTitle = QStringLiteral("Open Pokémon Red, Blue or Yellow ROM...");
const QString RomFilter = QStringLiteral("GB ROMs (*.gb)|*.gb;*.gbc");
constexpr unsigned OpenFlags =
    clsCommonDialog::FileMustExist | clsCommonDialog::PathMustExist | clsCommonDialog::HideReadOnly;
const QString YellowNote =
    QStringLiteral("Support for editing the special moves in Pokémon Yellow will be coming soon!");

} // namespace

void Form1::resetView()
{
    m_session.reset();
    m_loaded.reset();
    m_loadedIndex = -1;
    ui->trainerlst->clear();
    ui->namebox->setText(QString());
    ui->SSTab1->setEnabled(false);
    ui->headr->setText(QString());
    setWindowTitle(QStringLiteral("Tavrik"));
    ui->frmmove->hide();
    ui->frmprize->hide();
    ui->mnuBattle->setEnabled(false);
    ui->Frame1->setEnabled(false);
    ui->Frame3->setEnabled(false);
    ui->mnuSave->setEnabled(false);
    Nopoke();
}

void Form1::switchEditorOn()
{
    ui->mnuBattle->setEnabled(true);
    ui->mnuSave->setEnabled(true);
    ui->Frame3->setEnabled(true);
    ui->Frame1->setEnabled(true);
    ui->SSTab1->setEnabled(true);
    ui->info->setText(m_session.profile->version == GameVersion::Yellow ? YellowNote : QString());
}

void Form1::mnuOpen_Click()
{
    resetView();
    clsCommonDialog dialog;
    const QString path = dialog.ShowOpen(this, OpenTitle, QString(), RomFilter, OpenFlags);
    if (path.isEmpty()) {
        return;
    }
    const std::string filePath = path.toStdString();
    const auto recognition = recognizeRom(filePath);
    if (!recognition) {
        showFailure(this, recognition.failure());
        return;
    }
    if (recognition->profile == nullptr) {
        QMessageBox::warning(this, QStringLiteral("Tavrik"), QStringLiteral("Unsupported ROM!"));
        return;
    }
    const VersionProfile& profile = *recognition->profile;
    ui->frmmove->setVisible(profile.specialMovesEditable);
    ui->headr->setText(QString::fromUtf8(profile.title.data(), static_cast<qsizetype>(profile.title.size())));
    setWindowTitle(QString::fromUtf8(profile.caption.data(), static_cast<qsizetype>(profile.caption.size())));

    m_session.path = filePath;
    m_session.versionCode = recognition->versionCode;
    m_session.profile = &profile;
    if (!fillLists()) {
        resetView();
        return;
    }
    switchEditorOn();
}

bool Form1::fillLists()
{
    ui->trainerlst->clear();
    for (int member = 1; member <= 6; ++member) {
        speciesBox(member)->clear();
    }
    ui->attacklst->clear();
    ui->itemlst->clear();
    // The roster opens the session's handle; the catalogues read through it.
    if (!trainer() || !pokemon() || !attack() || !item()) {
        return false;
    }
    item2();
    item3();
    return true;
}
