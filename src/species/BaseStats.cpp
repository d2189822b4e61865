#include "species/BaseStats.h"

#include "pictures/PictureLocator.h"
#include "trainers/TrainerBank.h"

#include <algorithm>

namespace {

// Where the fields lie in a record.
constexpr std::size_t PictureField = 10;
constexpr std::size_t MovesField = 15;
constexpr std::size_t GrowthField = 19;
constexpr std::size_t MachinesField = 20;

} // namespace

bool BaseStats::learns(int machine) const
{
    return (machines[static_cast<std::size_t>(machine / 8)] >> (machine % 8) & 1) != 0;
}

void BaseStats::setLearns(int machine, bool learns)
{
    auto& byte = machines[static_cast<std::size_t>(machine / 8)];
    const auto bit = static_cast<std::uint8_t>(1U << (machine % 8));
    byte = static_cast<std::uint8_t>(learns ? byte | bit : byte & ~bit);
}

BaseStats decodeBaseStats(const std::uint8_t* record)
{
    BaseStats stats{
        record[0], record[1], record[2], record[3], record[4], record[5], record[6], record[7], record[8], record[9]};
    std::copy_n(record + PictureField, stats.picture.size(), stats.picture.begin());
    std::copy_n(record + MovesField, stats.moves.size(), stats.moves.begin());
    stats.growth = record[GrowthField];
    std::copy_n(record + MachinesField, stats.machines.size(), stats.machines.begin());
    stats.last = record[BaseStatsLength - 1];
    return stats;
}

Bytes baseStatsBytes(const BaseStats& stats)
{
    Bytes bytes{stats.dex,
                stats.hp,
                stats.attack,
                stats.defense,
                stats.speed,
                stats.special,
                stats.type1,
                stats.type2,
                stats.catchRate,
                stats.baseExp};
    bytes.insert(bytes.end(), stats.picture.begin(), stats.picture.end());
    bytes.insert(bytes.end(), stats.moves.begin(), stats.moves.end());
    bytes.push_back(stats.growth);
    bytes.insert(bytes.end(), stats.machines.begin(), stats.machines.end());
    bytes.push_back(stats.last);
    return bytes;
}

std::int32_t baseStatsOffset(GameVersion version, int number)
{
    return baseDataOffset(version, number);
}

std::vector<int> pokedexNumbers(const Bytes& image, const VersionProfile& profile)
{
    std::vector<int> numbers(SpeciesCount, 0);
    const std::int32_t table = pictureTables(profile.version).pokedexNumbers;
    const auto present = std::clamp<std::int64_t>(std::ssize(image) - table, 0, SpeciesCount);
    std::copy_n(image.begin() + std::min<std::int64_t>(table, std::ssize(image)), present, numbers.begin());
    return numbers;
}

std::vector<SpeciesRecord>
readSpeciesRecords(const Bytes& image, const VersionProfile& profile, const std::vector<int>& numbers)
{
    std::vector<SpeciesRecord> records(PokedexNumbers);
    for (int species = 1; species <= SpeciesCount; ++species) {
        const int number = numbers[static_cast<std::size_t>(species - 1)];
        if (number >= 1 && number <= PokedexNumbers && records[static_cast<std::size_t>(number - 1)].species == 0) {
            records[static_cast<std::size_t>(number - 1)].species = species;
        }
    }
    for (int number = 1; number <= PokedexNumbers; ++number) {
        SpeciesRecord& record = records[static_cast<std::size_t>(number - 1)];
        record.number = number;
        const std::int32_t offset = baseStatsOffset(profile.version, number);
        if (offset + BaseStatsLength > std::ssize(image)) {
            record.problem = "its base stats lie past the end of the file";
            continue;
        }
        record.offset = offset;
        record.stats = decodeBaseStats(image.data() + offset);
    }
    return records;
}
