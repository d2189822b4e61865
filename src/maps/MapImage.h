#pragma once

// A drawn map as the windows and the maps command show it: 8-bit greyscale in the greys 255, 170, 85 and 0, one
// pixel a pixel of the map. Only the windows and the commands use this; the core has MapPicture.

#include "maps/MapDrawing.h"

#include <QImage>

// A null image for a picture of 0 x 0.
QImage mapImage(const MapPicture& picture);
