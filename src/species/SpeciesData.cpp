#include "species/SpeciesData.h"

#include "species/GameConstants.h"

const SpeciesRecord* SpeciesData::recordOf(int species) const
{
    if (species < 1 || species > static_cast<int>(numbers.size())) {
        return nullptr;
    }
    const int number = numbers[static_cast<std::size_t>(species - 1)];
    return number >= 1 && number <= PokedexNumbers ? &records[static_cast<std::size_t>(number - 1)] : nullptr;
}

std::vector<int> SpeciesData::speciesOf(int number) const
{
    std::vector<int> species;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (numbers[k] == number) {
            species.push_back(static_cast<int>(k) + 1);
        }
    }
    return species;
}

SpeciesData readSpeciesData(const Bytes& image, const VersionProfile& profile)
{
    SpeciesData data;
    data.numbers = pokedexNumbers(image, profile);
    data.records = readSpeciesRecords(image, profile, data.numbers);
    data.evosMoves = readEvosMovesTable(image, profile);
    data.moves = readMoves(image, profile);
    data.machineMoves = readMachineMoves(image, profile);
    data.typeNames = readTypeNames(image, profile);
    data.effectNames.reserve(EffectCount);
    for (int effect = 0; effect < EffectCount; ++effect) {
        data.effectNames.push_back(effectName(effect));
    }
    for (int growth = 0; growth < GrowthRateCount; ++growth) {
        data.growthNames.push_back(growthName(growth));
    }
    return data;
}
