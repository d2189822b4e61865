#include "pictures/PictureBook.h"

#include <QLabel>
#include <QWindow>

QImage pictureImage(const Picture& picture, const PicturePalette& palette, bool colour)
{
    QImage image(
        picture.widthPixels(), picture.heightPixels(), colour ? QImage::Format_RGB32 : QImage::Format_Grayscale8);
    for (int y = 0; y < picture.heightPixels(); ++y) {
        for (int x = 0; x < picture.widthPixels(); ++x) {
            const std::uint8_t shade = picture.shade(x, y);
            if (colour) {
                const Rgb& rgb = palette[shade];
                image.setPixel(x, y, qRgb(rgb.r, rgb.g, rgb.b));
            } else {
                image.scanLine(y)[x] = ShadeGreys[shade];
            }
        }
    }
    return image;
}

PictureBook::PictureBook(QObject* parent) : QObject(parent)
{}

void PictureBook::setImage(const Bytes& image, GameVersion version)
{
    m_image = image;
    m_version = version;
    m_species.clear();
    m_trainers.clear();
    emit changed();
}

void PictureBook::setColour(bool colour)
{
    m_colour = colour;
    emit changed();
}

const DecodedPicture& PictureBook::species(int species)
{
    auto found = m_species.find(species);
    if (found == m_species.end()) {
        found = m_species.emplace(species, speciesPicture(m_image, m_version, species)).first;
    }
    return found->second;
}

const DecodedPicture& PictureBook::trainer(int classNumber)
{
    auto found = m_trainers.find(classNumber);
    if (found == m_trainers.end()) {
        found = m_trainers.emplace(classNumber, trainerPicture(m_image, m_version, classNumber)).first;
    }
    return found->second;
}

QImage PictureBook::speciesImage(int species)
{
    return pictureImage(this->species(species).picture, speciesPalette(m_image, m_version, species), m_colour);
}

QImage PictureBook::trainerImage(int classNumber)
{
    return pictureImage(trainer(classNumber).picture, trainerPalette(m_image, m_version), m_colour);
}

void PictureBook::show(QLabel* label, const QImage& image, const std::string& problem)
{
    if (!problem.empty() || image.isNull()) {
        // A question mark where the ROM holds no sound picture; nothing where there is nothing to show.
        const QString why =
            problem.empty() ? QString() : QStringLiteral("No picture: %1.").arg(QString::fromStdString(problem));
        label->setPixmap(QPixmap());
        label->setText(problem.empty() ? QString() : QStringLiteral("?"));
        label->setEnabled(problem.empty());
        label->setToolTip(why);
        label->setAccessibleDescription(why);
        return;
    }
    label->setEnabled(true);
    // Whole scales only, and each pixel of the picture a block of the screen's pixels: the screen's own
    // scale is taken into the pixmap, so nothing is smoothed on the way.
    const qreal screenScale = label->devicePixelRatioF();
    const int scale = std::max(1, std::min(label->width() / image.width(), label->height() / image.height()));
    const int pixels = std::max(1, qRound(screenScale * scale));
    QPixmap pixmap =
        QPixmap::fromImage(image.scaled(image.size() * pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(static_cast<qreal>(pixels) / scale);
    label->setPixmap(pixmap);
    label->setToolTip(QString());
    label->setAccessibleDescription(QString());
}

void PictureBook::showSpecies(QLabel* label, int species)
{
    show(label, speciesImage(species), this->species(species).problem);
}

void PictureBook::showTrainer(QLabel* label, int classNumber)
{
    show(label, trainerImage(classNumber), trainer(classNumber).problem);
}
