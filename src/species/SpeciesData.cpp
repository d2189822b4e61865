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

SpeciesData readSpeciesData(const Bytes& image, const VersionProfile& profile)
{
    SpeciesData data;
    data.records = readSpeciesRecords(image, profile);
    data.numbers = pokedexNumbers(image, profile);
    data.evosMoves = readEvosMovesTable(image, profile);
    data.moves = readMoves(image, profile);
    data.machineMoves = readMachineMoves(image, profile);
    data.typeNames = readTypeNames(image, profile);
    for (int effect = 0; effect < EffectCount; ++effect) {
        data.effectNames.emplace_back(effectName(effect));
    }
    for (int growth = 0; growth < GrowthRateCount; ++growth) {
        data.growthNames.emplace_back(growthName(growth));
    }
    return data;
}
