#pragma once

// Synthetic cartridge images with the layout of Pokémon Red, Blue or Yellow and invented content: the
// trainer class names and party tables, the special moves, prizes and overworld battles with the bytes the
// game keeps around them, the species, move and item tables, the species' base stats, evolutions, learnsets
// and moves, and pictures of every Pokémon and trainer class.
// No byte of a real game is in here. They
// are the demo images new users try the editor on, and the images the tests change byte by byte.

#include "demo/SyntheticSpecies.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <cstdint>
#include <string>
#include <string_view>

class SyntheticRom
{
public:
    // Every table the builder writes lies in the first MiB, as in all three released games.
    static constexpr std::size_t DefaultSize = 0x100000;
    static constexpr int MoveCount = 165;
    static constexpr int ItemCount = 83;

    explicit SyntheticRom(GameVersion version, std::size_t size = DefaultSize);

    GameVersion version() const { return m_version; }
    const Bytes& bytes() const { return m_bytes; }
    std::uint8_t at(std::int64_t offset) const { return m_bytes.at(static_cast<std::size_t>(offset)); }

    void set(std::int64_t offset, std::uint8_t value);
    void put(std::int64_t offset, const Bytes& values);
    // Encodes text with the game's codec at offset; adds the terminator when asked.
    void putText(std::int64_t offset, std::string_view text, bool terminate);
    void setVersionCode(std::string_view code);
    void resize(std::size_t size) { m_bytes.resize(size); }

    // The invented values the image holds until it is changed.
    static std::string trainerName(int rosterIndex);
    static std::string speciesName(int species);
    static std::string moveName(int move);
    static std::string itemName(int item);
    // Changes other tools make to real ROMs. Entry rosterIndex's party gets one more member at its end,
    // and every party stored after it moves 2 bytes with the class pointers to it; or its name gets one
    // more letter, and every class name after it moves 1 byte.
    void growParty(int rosterIndex, std::uint8_t level, std::uint8_t species);
    void growName(int rosterIndex, char letter);
    // Or shares species' lists of evolutions and learnset and breaks one, laying them all out again.
    void changeEvosMoves(const EvosMovesVariant& variant);

    void writeTo(const std::string& path) const;

private:
    void buildHeader();
    void putChecksums();
    void buildClassNames();
    void buildTrainerValues();
    void buildOverworld();
    void buildCatalogues();
    void putNameRun(std::int64_t firstName, int count, std::string (*name)(int));
    // Moves the bytes from at up to end (and a little room past it) towards the end, and puts inserted at at.
    void insert(std::int32_t at, std::int32_t end, const Bytes& inserted);

    GameVersion m_version;
    Bytes m_bytes;
};
