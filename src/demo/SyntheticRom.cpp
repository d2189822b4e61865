#include "demo/SyntheticRom.h"

#include "catalogues/NameCatalogues.h"
#include "demo/SyntheticMaps.h"
#include "demo/SyntheticParties.h"
#include "demo/SyntheticPictures.h"
#include "demo/SyntheticSpecies.h"
#include "demo/SyntheticTiles.h"
#include "overworld/OverworldBattle.h"
#include "rom/modGameText.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <mutex>
#include <stdexcept>

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

// An invented word of exactly length capitals, of syllables picked by number: "KORIMA", "TESULO".
std::string inventedWord(int number, std::size_t length)
{
    static const char* const Syllables[] = {"KO", "RI", "MA", "TE", "SU", "LO", "NA", "BE", "DI", "GU", "PA", "ZE"};
    std::string word;
    for (unsigned seed = static_cast<unsigned>(number) * 7919U; word.size() < length;
         seed = seed * 1103515245U + 12345U) {
        word += Syllables[seed / 7 % std::size(Syllables)];
    }
    word.resize(length);
    return word;
}

// The roster entry of a trainer class, or -1 for the classes the editor does not show.
int rosterIndexOf(int classNumber)
{
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        if (trainerClass(rosterIndex).number == classNumber) {
            return rosterIndex;
        }
    }
    return -1;
}

constexpr std::uint8_t LoadA = 0x3E;

// Red's and Blue's champion branch of the party reading: SKY ATTACK to member 1, then by the rival's starter
// (BULBASAUR, CHARMANDER) MEGA DRAIN, FIRE BLAST or BLIZZARD to member 6; invented RAM addresses.
constexpr std::int32_t ChampionBranch = 0x39CE9;
const Bytes ChampionBranchCode = {0x3E, 0x8F, 0xEA, 0x2D, 0xD0, 0xFA, 0x1D, 0xD7, 0xFE, 0x99, 0x06, 0x48, 0x28,
                                  0x08, 0xFE, 0xB0, 0x06, 0x7E, 0x28, 0x02, 0x06, 0x3B, 0x78, 0xEA, 0x0D, 0xD1};

} // namespace

SyntheticRom::SyntheticRom(GameVersion version, std::size_t size) : m_version(version), m_bytes(size, 0x00)
{
    if (size < DefaultSize) {
        throw std::invalid_argument("a synthetic image must hold the whole layout; shrink it with resize()");
    }
    // Every image of a version is the same; the pictures take a while to encode, so the first is kept.
    static std::mutex building;
    static std::map<std::pair<GameVersion, std::size_t>, Bytes> built;
    const std::lock_guard lock(building);
    if (const auto found = built.find({version, size}); found != built.end()) {
        m_bytes = found->second;
        return;
    }
    buildHeader();
    buildClassNames();
    putPartyLists(m_bytes, version);
    putClassMoney(m_bytes, version);
    putCustomMoves(m_bytes, version);
    // Over the stand-in portrait pointers of the class records.
    putPictures(m_bytes, version);
    putTiles(m_bytes, version);
    buildTrainerValues();
    buildOverworld();
    buildCatalogues();
    putMaps(m_bytes, version);
    putSpecies(m_bytes, version);
    putChecksums();
    built.emplace(std::pair{version, size}, m_bytes);
}

void SyntheticRom::putChecksums()
{
    // As a cartridge must have them to boot: the header's over 0x134-0x14C, then the sum of every other byte.
    std::uint8_t header = 0;
    for (std::size_t offset = 0x134; offset <= 0x14C; ++offset) {
        header = static_cast<std::uint8_t>(header - m_bytes[offset] - 1);
    }
    m_bytes[0x14D] = header;
    std::uint16_t sum = 0;
    for (std::size_t offset = 0; offset < m_bytes.size(); ++offset) {
        sum = static_cast<std::uint16_t>(sum + (offset == 0x14E || offset == 0x14F ? 0 : m_bytes[offset]));
    }
    m_bytes[0x14E] = static_cast<std::uint8_t>(sum >> 8);
    m_bytes[0x14F] = static_cast<std::uint8_t>(sum & 0xFF);
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

void SyntheticRom::insert(std::int32_t at, std::int32_t end, const Bytes& inserted)
{
    // The gap after the last name or party takes what is pushed past its end.
    for (std::int32_t offset = end + 15; offset >= at; --offset) {
        set(offset + static_cast<std::int32_t>(inserted.size()), this->at(offset));
    }
    put(at, inserted);
}

void SyntheticRom::growParty(int rosterIndex, std::uint8_t level, std::uint8_t species)
{
    const TrainerLayout& layout = trainerLayout(m_version, rosterIndex);
    const TrainerLayout& last = trainerLayout(m_version, RosterSize - 1);
    const std::int32_t end = layout.partyOffset + 2 * layout.partySize;
    insert(end, last.partyOffset + 2 * last.partySize + 1, {level, species});
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const std::int32_t pointerAt = profileOf(m_version).partyPointersOffset + 2 * (classNumber - 1);
        const int pointer = (at(pointerAt) | at(pointerAt + 1) << 8) + 2;
        if (pointer + TrainerBankPointerBase > end + 2) {
            put(pointerAt, {static_cast<std::uint8_t>(pointer & 0xFF), static_cast<std::uint8_t>(pointer >> 8)});
        }
    }
}

void SyntheticRom::growName(int rosterIndex, char letter)
{
    const TrainerLayout& layout = trainerLayout(m_version, rosterIndex);
    const TrainerLayout& last = trainerLayout(m_version, RosterSize - 1);
    insert(layout.nameOffset + layout.nameMaxLength,
           last.nameOffset + last.nameMaxLength + 1,
           EncodeText(std::string(1, letter)));
}

void SyntheticRom::buildHeader()
{
    // The cartridge title in ASCII, as the boot ROM reads it; the version code is its ninth to eleventh letters.
    const std::string_view titles[] = {"POKEMON RED", "POKEMON BLUE", "POKEMON YELLOW"};
    const std::string_view title = titles[static_cast<int>(m_version)];
    put(0x134, Bytes(title.begin(), title.end()));
    setVersionCode(profileOf(m_version).code);
}

void SyntheticRom::buildClassNames()
{
    // All 47 class names in class order, the roster's at their layout positions and invented names in
    // between, so the game would find each name by counting terminators.
    std::int32_t cursor = profileOf(m_version).classNamesOffset;
    int classNumber = 1;
    while (classNumber <= TrainerClassCount) {
        int next = classNumber;
        while (next <= TrainerClassCount && rosterIndexOf(next) < 0) {
            ++next;
        }
        const int fillers = next - classNumber;
        const std::int32_t gapEnd =
            next <= TrainerClassCount ? trainerLayout(m_version, rosterIndexOf(next)).nameOffset : cursor + 8 * fillers;
        for (int filler = 0; filler < fillers; ++filler) {
            const std::int32_t length = (gapEnd - cursor) / (fillers - filler);
            if (length < 2 || length > 13) {
                throw std::logic_error("the class names do not fit between the roster's");
            }
            putText(cursor, inventedWord(classNumber + filler, static_cast<std::size_t>(length - 1)), true);
            cursor += length;
        }
        if (next > TrainerClassCount) {
            break;
        }
        const int rosterIndex = rosterIndexOf(next);
        putText(cursor, trainerName(rosterIndex), true);
        cursor += trainerLayout(m_version, rosterIndex).nameMaxLength + 1;
        classNumber = next + 1;
    }
}

void SyntheticRom::buildTrainerValues()
{
    const VersionProfile& profile = profileOf(m_version);
    if (profile.specialMoveTableOffset) {
        // The return that ends the routine before the table, and the end of the Elite Four's list.
        set(*profile.specialMoveTableOffset - 1, 0xC9);
        set(*profile.specialMoveTableOffset + 24, 0xFF);
        put(ChampionBranch, ChampionBranchCode);
    }
    for (int i = 0; i < RosterSize; ++i) {
        const TrainerLayout& layout = trainerLayout(m_version, i);
        if (layout.specialMoveUserOffset) {
            set(*layout.specialMoveUserOffset, static_cast<std::uint8_t>(i % layout.partySize));
        }
        if (layout.specialMoveOffset) {
            // An Elite Four member's move follows the number of its class.
            if (!layout.specialMoveUserOffset) {
                set(*layout.specialMoveOffset - 1, static_cast<std::uint8_t>(trainerClass(i).number));
            }
            set(*layout.specialMoveOffset, static_cast<std::uint8_t>(1 + (11 * i) % MoveCount));
        }
        if (layout.prizeAmountOffset) {
            set(*layout.prizeAmountOffset - 1, 0x01);
            set(*layout.prizeAmountOffset, static_cast<std::uint8_t>(i + 1));
            set(*layout.prizeItemOffset(), static_cast<std::uint8_t>(1 + (5 * i) % ItemCount));
        }
    }
}

void SyntheticRom::buildOverworld()
{
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const OverworldBattle& at = overworldBattle(m_version, battle);
        const auto species = static_cast<std::uint8_t>(140 + 2 * battle);
        set(at.speciesOffset, species);
        set(at.levelOffset, static_cast<std::uint8_t>(30 + 5 * battle));
        if (at.secondSpeciesOffset) {
            // The map object (movement, text with the battle flag), and "ld a, species; call" for the cry.
            put(at.speciesOffset - 2, {static_cast<std::uint8_t>(0xD0 + battle % 4), 0x40});
            put(*at.secondSpeciesOffset - 1, {LoadA, species, 0xCD});
        } else {
            set(at.speciesOffset - 1, LoadA);
            set(at.levelOffset - 1, LoadA);
        }
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

void SyntheticRom::changeEvosMoves(const EvosMovesVariant& variant)
{
    putEvosMoves(m_bytes, m_version, variant);
}

void SyntheticRom::writeTo(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(m_bytes.data()), static_cast<std::streamsize>(m_bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}
