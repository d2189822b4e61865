#include "maps/MapImage.h"

QImage mapImage(const MapPicture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_Grayscale8);
    const std::uint8_t* shades = picture.shades.data();
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* line = image.scanLine(y);
        for (int x = 0; x < picture.width; ++x) {
            line[x] = ShadeGreys[*shades++];
        }
    }
    return image;
}
