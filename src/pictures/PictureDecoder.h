#pragma once

// Decodes a picture in the game's own compression, pixel for pixel as the game draws it unflipped, at the
// size its first byte gives. Reads only data (that byte to the end of the picture's bank); bad data gives a
// blank picture and the reason, after work bounded by the size of the picture.
//
// The game then centres the picture by the size in its base data, but reads the width from the low nibble
// there: only a square picture comes out whole. All of the game's own are square.

#include "pictures/Picture.h"

#include <cstdint>
#include <span>

DecodedPicture decodePicture(std::span<const std::uint8_t> data);
