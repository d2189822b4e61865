// File > Create Patch... and File > Apply Patch...: a hack shared as a patch, as hackers share them. The original a
// ROM's patches are made from is asked for once and kept for that ROM; the notes say whether it is one of the
// released games, which every player has, or a file players need the very copy of. A patched ROM is always written
// as a new file, never over the original or the patch.

#include "app/Form1.h"
#include "app/ReleasedGames.h"
#include "patches/Patch.h"
#include "rom/FailureBox.h"
#include "rom/NewFile.h"
#include "ui_Form1.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <filesystem>

namespace {

const QString OriginalsSetting = QStringLiteral("patches/originals");
const QString RomFiles = QStringLiteral("GB ROMs (*.gb *.gbc);;All files (*)");

QString canonical(const QString& path)
{
    const QString found = QFileInfo(path).canonicalFilePath();
    return found.isEmpty() ? path : found;
}

bool sameFile(const QString& one, const QString& other)
{
    std::error_code error;
    return std::filesystem::equivalent(one.toStdString(), other.toStdString(), error);
}

// "from red.gb, Pokémon Red, as released", or a word that players need that very file.
QString originalText(const QString& path, const Bytes& original)
{
    const QString released = releasedGameName(original);
    const QString name = QFileInfo(path).fileName();
    return released.isEmpty()
               ? QStringLiteral("from %1, which is not Pokémon Red, Blue or Yellow as released: players need that very "
                                "file to apply it")
                     .arg(name)
               : QStringLiteral("from %1, %2").arg(name, released);
}

std::optional<Bytes> readOrSay(QWidget* parent, const QString& path)
{
    auto bytes = readRomImage(path.toStdString());
    if (!bytes) {
        showFailure(parent, bytes.failure());
        return std::nullopt;
    }
    return std::move(bytes.value());
}

} // namespace

QString Form1::patchOriginal() const
{
    const QString kept =
        QSettings().value(OriginalsSetting).toMap().value(canonical(QString::fromStdString(m_session.path))).toString();
    return !kept.isEmpty() && QFileInfo::exists(kept) ? kept : QString();
}

QString Form1::choosePatchOriginal()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Choose the Original ROM the Patches Start From"), QString(), RomFiles);
    if (path.isEmpty() || !m_session.loaded()) {
        return path;
    }
    if (sameFile(path, QString::fromStdString(m_session.path))) {
        QMessageBox::warning(
            this, QStringLiteral("Tavrik"), QStringLiteral("The original must be another file than the ROM you edit."));
        return {};
    }
    QSettings settings;
    QVariantMap originals = settings.value(OriginalsSetting).toMap();
    originals.insert(canonical(QString::fromStdString(m_session.path)), path);
    settings.setValue(OriginalsSetting, originals);
    return path;
}

void Form1::mnuCreatePatch_Click()
{
    if (!m_session.loaded() || !settleAll(QStringLiteral(" before making a patch"))) {
        return;
    }
    const auto edited = readForWindow();
    QString originalPath = patchOriginal();
    if (!edited || (originalPath.isEmpty() && (originalPath = choosePatchOriginal()).isEmpty())) {
        return;
    }
    const auto original = readOrSay(this, originalPath);
    if (!original) {
        return;
    }
    const QFileInfo rom(QString::fromStdString(m_session.path));
    QString selected;
    QString path = QFileDialog::getSaveFileName(this,
                                                QStringLiteral("Create Patch"),
                                                rom.dir().filePath(rom.completeBaseName() + QStringLiteral(".bps")),
                                                QStringLiteral("BPS patches (*.bps);;IPS patches (*.ips)"),
                                                &selected);
    if (path.isEmpty()) {
        return;
    }
    if (!patchFormatForName(path.toStdString())) {
        path += selected.startsWith(QStringLiteral("IPS")) ? QStringLiteral(".ips") : QStringLiteral(".bps");
    }
    const auto patch = makePatch(*patchFormatForName(path.toStdString()), *original, *edited);
    if (!patch) {
        showFailure(this, patch.failure());
        return;
    }
    if (const WriteStatus failure = writeNewFile(path.toStdString(), *patch)) {
        showFailure(this, *failure);
        return;
    }
    const QString done = QStringLiteral("%1 written: %2 bytes, %3.")
                             .arg(QFileInfo(path).fileName(),
                                  QLocale(QLocale::English).toString(static_cast<qlonglong>(patch->size())),
                                  originalText(originalPath, *original));
    statusBar()->showMessage(done);
    showNotes(done);
}

void Form1::mnuApplyPatch_Click()
{
    const QString patchPath = QFileDialog::getOpenFileName(
        this, QStringLiteral("Apply Patch"), QString(), QStringLiteral("Patches (*.bps *.ips);;All files (*)"));
    if (patchPath.isEmpty()) {
        return;
    }
    QString originalPath = m_session.loaded() ? patchOriginal() : QString();
    if (originalPath.isEmpty() && (originalPath = choosePatchOriginal()).isEmpty()) {
        return;
    }
    const auto patch = readOrSay(this, patchPath);
    const auto original = patch ? readOrSay(this, originalPath) : std::nullopt;
    if (!original) {
        return;
    }
    const QFileInfo named(patchPath);
    const auto patched = applyPatch(*original, *patch, named.fileName().toStdString());
    if (!patched) {
        showFailure(this, patched.failure());
        return;
    }
    const QString out = QFileDialog::getSaveFileName(
        this,
        QStringLiteral("Save the Patched ROM"),
        QFileInfo(originalPath).dir().filePath(named.completeBaseName() + QStringLiteral(".gb")),
        RomFiles);
    if (out.isEmpty()) {
        return;
    }
    if (sameFile(out, originalPath) || sameFile(out, patchPath)) {
        QMessageBox::warning(this,
                             QStringLiteral("Tavrik"),
                             QStringLiteral("The patched ROM is written as a new file, never over the original or the "
                                            "patch. Pick another name."));
        return;
    }
    if (const WriteStatus failure = writeNewFile(out.toStdString(), patched->bytes)) {
        showFailure(this, *failure);
        return;
    }
    statusBar()->showMessage(
        QStringLiteral("%1 written: %2 applied %3.")
            .arg(QFileInfo(out).fileName(), named.fileName(), originalText(originalPath, *original)));
    if (QMessageBox::question(this,
                              QStringLiteral("Tavrik"),
                              QStringLiteral("Open %1 now?").arg(QFileInfo(out).fileName())) == QMessageBox::Yes) {
        openRomFile(out);
    }
}
