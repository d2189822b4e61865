#include "app/Properties.h"

#include "app/ReleasedGames.h"
#include "history/SaveSettings.h"
#include "patches/Checksum.h"
#include "patches/Crc32.h"
#include "rom/DisplayText.h"
#include "ui_Properties.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString hexText(unsigned value, int digits)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString checksumText(bool right, unsigned stored, unsigned computed, int digits)
{
    return right ? QStringLiteral("right (%1)").arg(hexText(stored, digits))
                 : QStringLiteral("wrong: the header holds %1, the bytes make %2")
                       .arg(hexText(stored, digits), hexText(computed, digits));
}

} // namespace

Properties::Properties(const QString& path,
                       const QString& title,
                       const Bytes& image,
                       const QString& original,
                       std::function<QString()> chooseOriginal,
                       QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Properties>())
{
    ui->setupUi(this);
    ui->lblFile->setText(path);
    const QString released = releasedGameName(image);
    ui->lblGame->setText(released.isEmpty() ? QStringLiteral("%1, changed (not the game as released)").arg(title)
                                            : released);
    ui->lblSize->setText(QStringLiteral("%1 bytes, CRC32 %2")
                             .arg(QString::fromStdString(groupedNumber(static_cast<long long>(image.size()))),
                                  QString::fromStdString(crcText(crc32Of(image)))));
    if (const auto sums = cartridgeChecksums(image)) {
        ui->lblHeader->setText(checksumText(sums->headerRight(), sums->storedHeader, sums->header, 2));
        ui->lblGlobal->setText(checksumText(sums->globalRight(), sums->storedGlobal, sums->global, 4) +
                               QStringLiteral(" (no Game Boy checks it)"));
    }
    showOriginal(original);
    ui->chkChecksum->setChecked(keepGlobalChecksumSetting());
    connect(ui->chkChecksum, &QCheckBox::toggled, this, [](bool on) { setKeepGlobalChecksum(on); });
    connect(ui->cmdOriginal, &QPushButton::clicked, this, [this, chooseOriginal] {
        const QString chosen = chooseOriginal();
        if (!chosen.isEmpty()) {
            showOriginal(chosen);
        }
    });
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

Properties::~Properties() = default;

void Properties::showOriginal(const QString& original)
{
    ui->lblOriginal->setText(original.isEmpty() ? QStringLiteral("not chosen yet (File > Create Patch... asks)")
                                                : QFileInfo(original).fileName());
    ui->lblOriginal->setToolTip(original);
}
