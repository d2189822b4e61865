#include "GameWalks.h"

#include "LayoutOffsets.h"

namespace {

constexpr std::size_t PointerBase = 0x34000;

std::size_t pointerAt(const Bytes& image, std::int32_t at)
{
    const auto offset = static_cast<std::size_t>(at);
    return static_cast<std::size_t>(image[offset] | image[offset + 1] << 8) + PointerBase;
}

} // namespace

GameParties gameParties(const Bytes& image, const PartyTable& table, GameVersion version)
{
    GameParties parties;
    const std::int32_t pointers = version == GameVersion::Yellow ? 0x39DD1 : 0x39D3B;
    for (int classNumber = 1; classNumber <= 47; ++classNumber) {
        const PartyList* list = table.listOf(classNumber);
        std::size_t at = pointerAt(image, pointers + 2 * (classNumber - 1));
        for (std::size_t party = 1; list != nullptr && party <= list->parties.size(); ++party) {
            std::vector<PartyMember> members;
            const bool levelEach = image[at] == 0xFF;
            const std::uint8_t level = image[at++];
            while (image[at] != 0) {
                members.push_back(levelEach ? PartyMember{image[at], image[at + 1]} : PartyMember{level, image[at]});
                at += levelEach ? 2 : 1;
            }
            ++at;
            parties[{classNumber, static_cast<int>(party)}] = members;
        }
    }
    return parties;
}

std::vector<EvosMoves> gameEvosMoves(const Bytes& image, GameVersion version)
{
    std::vector<EvosMoves> all;
    for (int species = 1; species <= 190; ++species) {
        std::size_t at = pointerAt(image, LayoutOffsets::species(version).evosMovesPointers + 2 * (species - 1));
        EvosMoves list;
        for (std::uint8_t kind = image[at]; kind != 0; kind = image[at]) {
            const bool byItem = kind == 2;
            list.evolutions.push_back({kind,
                                       byItem ? image[at + 1] : std::uint8_t{0},
                                       image[at + (byItem ? 2 : 1)],
                                       image[at + (byItem ? 3 : 2)]});
            at += byItem ? 4 : 3;
        }
        for (++at; image[at] != 0; at += 2) {
            list.learnset.push_back({image[at], image[at + 1]});
        }
        all.push_back(std::move(list));
    }
    return all;
}
