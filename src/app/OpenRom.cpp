// Opening a ROM: from File > Open ROM, the command line or a drop. Reset the editor, read the file once,
// recognise its version, fill the roster and the pick lists from it, and switch the editor on.

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
    m_placementNote.clear();
    ui->trainerlst->clear();
    ui->namebox->setText(QString());
    ui->SSTab1->setEnabled(false);
    ui->headr->setText(QString());
    setWindowTitle(QStringLiteral("Tavrik[*]"));
    ui->frmmove->hide();
    ui->frmprize->hide();
    ui->mnuBattle->setEnabled(false);
    ui->Frame1->setEnabled(false);
    ui->Frame3->setEnabled(false);
    ui->mnuSave->setEnabled(false);
    Nopoke();
    updateState();
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
    if (!mayLeaveTrainer()) {
        return;
    }
    resetView();
    clsCommonDialog dialog;
    const QString path = dialog.ShowOpen(this, OpenTitle, QString(), RomFilter, OpenFlags);
    if (!path.isEmpty()) {
        openPath(path);
    }
}

void Form1::openRomFile(const QString& path)
{
    if (!mayLeaveTrainer()) {
        return;
    }
    resetView();
    openPath(path);
}

void Form1::openPath(const QString& path)
{
    const std::string filePath = path.toStdString();
    const auto image = readRomImage(filePath);
    if (!image) {
        showFailure(this, image.failure());
        return;
    }
    const Recognition recognition = recognizeRom(*image);
    if (recognition.profile == nullptr) {
        QMessageBox::warning(this, QStringLiteral("Tavrik"), QStringLiteral("Unsupported ROM!"));
        return;
    }
    const VersionProfile& profile = *recognition.profile;
    ui->frmmove->setVisible(profile.specialMovesEditable);
    ui->headr->setText(QString::fromUtf8(profile.title));
    setWindowTitle(QString::fromUtf8(profile.caption) + QStringLiteral("[*]"));

    m_session.path = filePath;
    m_session.versionCode = recognition.versionCode;
    m_session.profile = &profile;
    fillLists(*image);
    switchEditorOn();
    updateState();
}

void Form1::fillLists(const Bytes& image)
{
    m_filling = true;
    ui->trainerlst->clear();
    for (int member = 1; member <= 6; ++member) {
        speciesBox(member)->clear();
    }
    ui->attacklst->clear();
    ui->itemlst->clear();
    trainer(image);
    pokemon(image);
    attack(image);
    item(image);
    item2();
    item3();
    m_filling = false;
}
