#pragma once

// The pictures of the open ROM as the windows show them: decoded from the image on first request and kept,
// in the game's four greys or, when asked, in the Super Game Boy colours. A picture the ROM does not hold
// soundly is shown as a blank with its reason. Only the windows use this; the core has Picture.

#include "pictures/PictureLocator.h"

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <map>

class QLabel;

// The picture in the four greys (255, 170, 85, 0, 8 bits) or in the palette's colours, at its own size.
QImage pictureImage(const Picture& picture, const PicturePalette& palette, bool colour);

class PictureBook : public QObject
{
    Q_OBJECT

public:
    explicit PictureBook(QObject* parent = nullptr);

    // The pictures of image, from now on; the cache is emptied.
    void setImage(const Bytes& image, GameVersion version);
    bool colour() const { return m_colour; }
    void setColour(bool colour);

    // Species byte 0..255 and trainer class 1..47: the decoded picture, or a blank with the reason.
    const DecodedPicture& species(int species);
    const DecodedPicture& trainer(int classNumber);
    QImage speciesImage(int species);
    QImage trainerImage(int classNumber);

    // Shows a picture in label at the largest whole scale that fits it (at least 1), pixels kept sharp on
    // any screen; a picture that is not sound leaves the label blank with the reason as its tooltip.
    static void show(QLabel* label, const QImage& image, const std::string& problem);
    void showSpecies(QLabel* label, int species);
    void showTrainer(QLabel* label, int classNumber);

signals:
    // The colours changed or another ROM was opened: every picture shown should be drawn again.
    void changed();

private:
    Bytes m_image;
    GameVersion m_version = GameVersion::Red;
    bool m_colour = false;
    std::map<int, DecodedPicture> m_species;
    std::map<int, DecodedPicture> m_trainers;
};
