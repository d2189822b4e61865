#include "SyntheticRom.h"

#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "rom/modGameText.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

std::string letters(int number, int width)
{
    std::string text(static_cast<std::size_t>(width), 'A');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('A' + number % 26);
        number /= 26;
    }
    return text;
}

} // namespace

SyntheticRom::SyntheticRom(GameVersion version, std::size_t size) : m_version(version), m_bytes(size, 0x00)
{
    if (size < static_cast<std::size_t>(requiredRomSize(profileOf(version)))) {
        throw std::invalid_argument("a synthetic image must hold the whole layout; shrink it with resize()");
    }
    buildHeader();
    buildTrainerNames();
    buildTrainers();
    buildOverworld();
    buildCatalogues();
}

void SyntheticRom::set(std::int64_t offset, std::uint8_t value)
{
    m_bytes.at(static_cast<std::size_t>(offset)) = value;
}

void SyntheticRom::put(std::int64_t offset, const Bytes& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        set(offset + static_cast<std::int64_t>(i), values[i]);
    }
}

void SyntheticRom::putText(std::int64_t offset, std::string_view text, bool terminate)
{
    Bytes bytes = EncodeText(text);
    if (terminate) {
        bytes.push_back(GameText::Terminator);
    }
    put(offset, bytes);
}

void SyntheticRom::setVersionCode(std::string_view code)
{
    put(VersionCodeOffset, Bytes(code.begin(), code.end()));
}

std::string SyntheticRom::trainerName(int rosterIndex)
{
    // Each exactly as long as its field, as the game's own names are.
    static const char* const Names[RosterSize] = {"ROCKY",
                                                  "MISTA",
                                                  "CAPTVOLT",
                                                  "FLORA",
                                                  "KOGI",
                                                  "SABRINE",
                                                  "PYROSE",
                                                  "GIOVANNO",
                                                  "LORELAI",
                                                  "BRUNT",
                                                  "AGATHE",
                                                  "LANSE"};
    return Names[rosterIndex];
}

std::string SyntheticRom::speciesName(int species)
{
    return "Mon" + letters(species, 3);
}

std::string SyntheticRom::moveName(int move)
{
    return "Move " + letters(move, 2);
}

std::string SyntheticRom::itemName(int item)
{
    return "Item" + letters(item, 2);
}

void SyntheticRom::buildHeader()
{
    putText(0x134, "TAVRIKDEMO", false);
    setVersionCode(profileOf(m_version).code);
}

void SyntheticRom::buildTrainerNames()
{
    // A run of terminated names covering every roster name, with invented class names in the gaps,
    // so the game would find each name by counting terminators.
    std::vector<std::pair<std::int32_t, int>> names;
    for (int i = 0; i < RosterSize; ++i) {
        names.emplace_back(trainerLayout(m_version, i).nameOffset, i);
    }
    std::sort(names.begin(), names.end());
    std::int64_t cursor = names.front().first - 12;
    int filler = 0;
    for (const auto& [offset, rosterIndex] : names) {
        while (cursor < offset) {
            const std::int64_t gap = offset - cursor;
            const std::int64_t take = gap >= 8 ? 6 : gap;
            putText(cursor, letters(filler++, static_cast<int>(take - 1)), true);
            cursor += take;
        }
        putText(offset, trainerName(rosterIndex), true);
        cursor = offset + trainerLayout(m_version, rosterIndex).nameMaxLength + 1;
    }
}

void SyntheticRom::buildTrainers()
{
    for (int i = 0; i < RosterSize; ++i) {
        const TrainerLayout& layout = trainerLayout(m_version, i);
        for (int member = 0; member < layout.partySize; ++member) {
            set(layout.levelOffset(member), static_cast<std::uint8_t>(12 + 4 * i + member));
            set(layout.speciesOffset(member), static_cast<std::uint8_t>(1 + (7 * i + 13 * member) % 190));
        }
        if (layout.specialMoveUserOffset) {
            set(*layout.specialMoveUserOffset, static_cast<std::uint8_t>(i % layout.partySize));
        }
        if (layout.specialMoveOffset) {
            // The byte in front of an Elite Four move is the game's own; mark it to see it stay put.
            if (!layout.specialMoveUserOffset) {
                set(*layout.specialMoveOffset - 1, 0xEE);
            }
            set(*layout.specialMoveOffset, static_cast<std::uint8_t>(1 + (11 * i) % MoveCount));
        }
        if (layout.prizeAmountOffset) {
            set(*layout.prizeAmountOffset, static_cast<std::uint8_t>(i + 1));
            set(*layout.prizeItemOffset(), static_cast<std::uint8_t>(1 + (5 * i) % ItemCount));
        }
    }
}

void SyntheticRom::buildOverworld()
{
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const OverworldBattle& positions = overworldBattle(m_version, battle);
        const auto species = static_cast<std::uint8_t>(140 + 3 * battle);
        set(positions.speciesOffset, species);
        if (positions.secondSpeciesOffset) {
            set(*positions.secondSpeciesOffset, species);
        }
        set(positions.levelOffset, static_cast<std::uint8_t>(30 + 5 * battle));
    }
}

void SyntheticRom::buildCatalogues()
{
    const VersionProfile& profile = profileOf(m_version);
    for (int record = 0; record < SpeciesRecordCount; ++record) {
        const std::int64_t offset = profile.speciesNamesOffset + SpeciesRecordLength * record;
        put(offset, Bytes(SpeciesRecordLength, GameText::Terminator));
        putText(offset, speciesName(record + 1), true);
    }
    putNameRun(profile.moveNamesOffset + 1, MoveCount, &SyntheticRom::moveName);
    putNameRun(profile.itemNamesOffset + 1, ItemCount, &SyntheticRom::itemName);
}

void SyntheticRom::putNameRun(std::int64_t firstName, int count, std::string (*name)(int))
{
    // The byte before the first name is a terminator, as at the end of the table before it.
    set(firstName - 1, GameText::Terminator);
    std::int64_t cursor = firstName;
    for (int number = 1; number <= count; ++number) {
        const std::string text = name(number);
        putText(cursor, text, true);
        cursor += static_cast<std::int64_t>(text.size()) + 1;
    }
    put(cursor, Bytes(NameWindow * 4, GameText::Terminator));
}

void SyntheticRom::writeTo(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(m_bytes.data()), static_cast<std::streamsize>(m_bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

Bytes readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
