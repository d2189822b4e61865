#include "TempRom.h"

namespace {

// Moves [at, end) by count bytes towards the end of the image and writes inserted at at.
void insert(SyntheticRom& rom, std::int32_t at, std::int32_t end, const Bytes& inserted)
{
    const auto count = static_cast<std::int32_t>(inserted.size());
    for (std::int32_t offset = end - 1; offset >= at; --offset) {
        rom.set(offset + count, rom.at(offset));
    }
    rom.put(at, inserted);
}

} // namespace

void growParty(SyntheticRom& rom, int rosterIndex, std::uint8_t level, std::uint8_t species)
{
    const TrainerLayout& layout = trainerLayout(rom.version(), rosterIndex);
    const std::int32_t end = layout.partyOffset + 2 * layout.partySize;
    insert(rom, end, rom.partiesEnd() + 16, {level, species});
    const std::int32_t table = profileOf(rom.version()).partyPointersOffset;
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const std::int32_t at = table + 2 * (classNumber - 1);
        const int pointer = rom.at(at) | rom.at(at + 1) << 8;
        if (pointer + TrainerBankPointerBase > end) {
            rom.put(at,
                    {static_cast<std::uint8_t>((pointer + 2) & 0xFF), static_cast<std::uint8_t>((pointer + 2) >> 8)});
        }
    }
}

void growName(SyntheticRom& rom, int rosterIndex, char letter)
{
    const TrainerLayout& layout = trainerLayout(rom.version(), rosterIndex);
    insert(rom, layout.nameOffset + layout.nameMaxLength, rom.classNamesEnd() + 16, EncodeText(std::string(1, letter)));
}
