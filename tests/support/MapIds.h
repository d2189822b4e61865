#pragma once

// Ids of the game's maps that the tests visit, from the game's map list.

namespace MapIds {

constexpr int PalletTown = 0x00;
constexpr int CeruleanCity = 0x03;
constexpr int Route1 = 0x0C;
constexpr int Route3 = 0x0E;
constexpr int Route4 = 0x0F;
constexpr int Route17 = 0x1C;
constexpr int Route19 = 0x1E;
constexpr int Route20 = 0x1F;
constexpr int Route22 = 0x21;
constexpr int Route24 = 0x23;
constexpr int OaksLab = 0x28;
constexpr int PowerPlant = 0x53;

} // namespace MapIds
