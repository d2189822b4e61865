#include "species/MoveTable.h"

#include "rom/Banks.h"
#include "rom/DisplayText.h"
#include "rom/modGameText.h"

#include <algorithm>
#include <span>

namespace {

constexpr int PercentScale = 255;

std::string pastTheEnd(const char* what)
{
    return std::string(what) + " lies past the end of the file";
}

} // namespace

Move decodeMove(const std::uint8_t* bytes)
{
    return {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]};
}

Bytes moveBytes(const Move& move)
{
    return {move.animation, move.effect, move.power, move.type, move.accuracy, move.pp};
}

std::int32_t moveOffset(GameVersion version, int move)
{
    return speciesProfile(version).moves + MoveLength * (move - 1);
}

int accuracyByte(int percent)
{
    return percent * PercentScale / 100;
}

std::optional<int> accuracyPercent(int byte)
{
    // The byte grows by 2 or 3 with each percent: the only candidate is the smallest percent that reaches it.
    const int percent = (byte * 100 + PercentScale - 1) / PercentScale;
    return percent <= 100 && accuracyByte(percent) == byte ? std::optional(percent) : std::nullopt;
}

TableRead<Move> readMoves(const Bytes& image, const VersionProfile& profile)
{
    TableRead<Move> read;
    if (moveOffset(profile.version, MoveTableCount + 1) > std::ssize(image)) {
        read.problem = pastTheEnd("the moves table");
        return read;
    }
    read.values.reserve(MoveTableCount);
    for (int move = 1; move <= MoveTableCount; ++move) {
        read.values.push_back(decodeMove(image.data() + moveOffset(profile.version, move)));
    }
    return read;
}

TableRead<std::uint8_t> readMachineMoves(const Bytes& image, const VersionProfile& profile)
{
    TableRead<std::uint8_t> read;
    const std::int32_t start = speciesProfile(profile.version).machineMoves;
    if (start + MachineCount > std::ssize(image)) {
        read.problem = pastTheEnd("the list of the moves the TMs and HMs teach");
        return read;
    }
    read.values.assign(image.begin() + start, image.begin() + start + MachineCount);
    return read;
}

TableRead<std::string> readTypeNames(const Bytes& image, const VersionProfile& profile)
{
    TableRead<std::string> read;
    const std::int32_t table = speciesProfile(profile.version).typeNamePointers;
    std::vector<int> pointers;
    pointers.reserve(TypeCount);
    for (int type = 0; type < TypeCount; ++type) {
        const int pointer = wordAt(image, table + 2 * type);
        // The types the game does not use share one name.
        const auto same = std::find(pointers.begin(), pointers.end(), pointer);
        pointers.push_back(pointer);
        const std::int32_t offset = switchablePointer(pointer) ? bankOffset(TypeNameBank, pointer) : -1;
        if (offset < 0 || offset >= std::ssize(image)) {
            read.values.emplace_back();
            read.problem = pointer < 0 ? pastTheEnd("the table of type names")
                                       : "the name of type " + std::to_string(type) + " is not where its pointer leads";
            continue;
        }
        if (same != pointers.end() - 1) {
            read.values.push_back(read.values[static_cast<std::size_t>(same - pointers.begin())]);
            continue;
        }
        const auto end = std::min<std::int64_t>(offset + TypeNameWindow, readableEnd(image, TypeNameBank));
        const auto bytes = std::span(image).subspan(static_cast<std::size_t>(offset),
                                                    static_cast<std::size_t>(std::max<std::int64_t>(0, end - offset)));
        read.values.push_back(trimBlanks(DecodeText(bytes)));
    }
    return read;
}
