// The whole read path of the open flow and the editors on an arbitrary file that carries an accepted
// version code: recognition, the roster, the three name catalogues, every trainer and every overworld
// battle. The fuzz input chooses the version, the base image and the file's length, then overlays bytes
// onto the name tables and the layout's positions, where the readers look.
//
// Input: [version/base][length][extra length] then chunks of [region][position hi][position lo][count]
// followed by count bytes written at that position of the region.

#include "FuzzCheck.h"
#include "SyntheticRom.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "rom/DisplayText.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t ImageSize = SyntheticRom::DefaultSize;

struct Region
{
    std::int64_t start;
    std::int64_t length;
};

// Where the readers of this version look, each with a little room on both sides.
std::vector<Region> regionsOf(const VersionProfile& profile)
{
    const auto around = [](std::int64_t start, std::int64_t length) { return Region{start - 2, length + 4}; };
    std::vector<Region> regions{
        around(VersionCodeOffset, VersionCodeLength),
        around(profile.speciesNamesOffset, SpeciesRecordCount * SpeciesRecordLength),
        around(profile.moveNamesOffset, (NameWindow + 1) * MoveNameReads),
        around(profile.itemNamesOffset, (NameWindow + 1) * ItemNameReads),
    };
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
        regions.push_back(around(layout.nameOffset, RosterNameBytes));
        regions.push_back(around(layout.partyOffset, 2 * layout.partySize));
        for (const auto offset : {layout.specialMoveOffset, layout.specialMoveUserOffset, layout.prizeAmountOffset}) {
            if (offset) {
                regions.push_back(around(*offset, 2));
            }
        }
    }
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const OverworldBattle& positions = overworldBattle(profile.version, battle);
        regions.push_back(around(positions.speciesOffset, 1));
        regions.push_back(around(positions.levelOffset, 1));
    }
    return regions;
}

const Bytes& baseImage(GameVersion version, int base)
{
    static std::array<std::array<Bytes, 4>, 3> images;
    Bytes& image = images[static_cast<std::size_t>(version)][static_cast<std::size_t>(base)];
    if (image.empty()) {
        switch (base) {
        case 0:
            image = SyntheticRom(version).bytes();
            break;
        case 1:
            image.assign(ImageSize, 0x00);
            break;
        case 2:
            image.assign(ImageSize, 0x50); // all terminators: every name empty
            break;
        default:
            image.assign(ImageSize, 0x80); // no terminator anywhere: every name as long as its window
            break;
        }
        const std::string_view code = profileOf(version).code;
        std::copy(code.begin(), code.end(), image.begin() + VersionCodeOffset);
    }
    return image;
}

class TempPath
{
public:
    TempPath()
        : m_path(
              (std::filesystem::temp_directory_path() / ("tavrik-fuzz-" + std::to_string(::getpid()) + ".gb")).string())
    {}
    ~TempPath() { std::filesystem::remove(m_path); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
}

// True when the file at path holds exactly these bytes.
bool fileHolds(const std::string& path, const Bytes& bytes)
{
    static Bytes contents;
    contents.resize(bytes.size() + 1);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    FUZZ_CHECK(file != nullptr);
    const std::size_t got = std::fread(contents.data(), 1, contents.size(), file);
    std::fclose(file);
    return got == bytes.size() && std::equal(bytes.begin(), bytes.end(), contents.begin());
}

bool isDisplayText(const std::string& text)
{
    const std::vector<char32_t> codePoints = toCodePoints(text);
    return std::find(codePoints.begin(), codePoints.end(), char32_t{0xFFFD}) == codePoints.end();
}

bool isTrimmed(const std::string& text)
{
    return text.empty() || (text.front() != ' ' && text.back() != ' ');
}

// What recognizeRom must say, worked out from the bytes themselves.
const VersionProfile* expectedProfile(const Bytes& image)
{
    if (image.size() < static_cast<std::size_t>(VersionCodeOffset + VersionCodeLength)) {
        return nullptr;
    }
    const std::string code(image.begin() + VersionCodeOffset, image.begin() + VersionCodeOffset + VersionCodeLength);
    const VersionProfile* profile = profileFor(code);
    if (profile == nullptr || static_cast<std::int64_t>(image.size()) < requiredRomSize(*profile)) {
        return nullptr;
    }
    return profile;
}

// Every reader on a file of this version: on a recognised ROM each read succeeds and yields what the
// lists can show; on anything else each may fail, but only with a failure value.
void readEverything(const std::string& path, const Bytes& image, const VersionProfile& profile, bool recognised)
{
    auto file = RomFile::open(path, RomFile::Mode::Read);
    FUZZ_CHECK(file.ok());

    const auto roster = readRoster(file.value(), profile);
    FUZZ_CHECK(roster.ok() || !recognised);
    if (roster) {
        FUZZ_CHECK(roster->size() == static_cast<std::size_t>(RosterSize));
        for (const std::string& entry : *roster) {
            FUZZ_CHECK(isDisplayText(entry) && characterCount(entry) == RosterNameBytes);
        }
    }

    const auto species = speciesNames(file.value(), profile);
    FUZZ_CHECK(species.ok() || !recognised);
    if (species) {
        FUZZ_CHECK(species->size() == static_cast<std::size_t>(SpeciesRecordCount + 1));
        FUZZ_CHECK(species->front() == "MISSINGNO.");
        for (const std::string& name : *species) {
            FUZZ_CHECK(isDisplayText(name) && isTrimmed(name) && characterCount(name) <= SpeciesRecordLength);
        }
    }

    const auto checkWalk = [recognised](const Result<std::vector<std::string>>& names, int reads) {
        FUZZ_CHECK(names.ok() || !recognised);
        if (names) {
            FUZZ_CHECK(names->size() <= static_cast<std::size_t>(reads));
            for (const std::string& name : *names) {
                FUZZ_CHECK(isDisplayText(name) && isTrimmed(name) && !name.empty());
                FUZZ_CHECK(characterCount(name) <= static_cast<std::size_t>(NameWindow));
            }
        }
    };
    checkWalk(moveNames(file.value(), profile), MoveNameReads);
    checkWalk(itemNames(file.value(), profile), ItemNameReads);

    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
        const auto trainer = readTrainer(path, profile, rosterIndex);
        FUZZ_CHECK(trainer.ok() || !recognised);
        if (!trainer) {
            continue;
        }
        FUZZ_CHECK(trainer->party.size() == static_cast<std::size_t>(layout.partySize));
        for (int member = 0; member < layout.partySize; ++member) {
            const PartyMember& values = trainer->party[static_cast<std::size_t>(member)];
            FUZZ_CHECK(values.level == image[static_cast<std::size_t>(layout.levelOffset(member))]);
            FUZZ_CHECK(values.species == image[static_cast<std::size_t>(layout.speciesOffset(member))]);
        }
        FUZZ_CHECK(trainer->specialMove.has_value() == (profile.specialMovesEditable && layout.specialMoveOffset));
        FUZZ_CHECK(trainer->prizeAmount.has_value() == layout.prizeAmountOffset.has_value());
        FUZZ_CHECK(isDisplayText(trainer->name) && isTrimmed(trainer->name));
        FUZZ_CHECK(characterCount(trainer->name) <= RosterNameBytes);
    }

    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const OverworldBattle& positions = overworldBattle(profile.version, battle);
        const auto values = readBattle(path, profile, battle);
        FUZZ_CHECK(values.ok() || !recognised);
        if (values) {
            FUZZ_CHECK(values->species == image[static_cast<std::size_t>(positions.speciesOffset)]);
            FUZZ_CHECK(values->level == image[static_cast<std::size_t>(positions.levelOffset)]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) {
        return 0;
    }
    const auto version = static_cast<GameVersion>(data[0] % 3);
    const int base = (data[0] / 3) % 4;
    const VersionProfile& profile = profileOf(version);
    const auto required = static_cast<std::size_t>(requiredRomSize(profile));

    // One buffer for every run: a fresh megabyte each time would cost more than the reads themselves.
    static Bytes image;
    image = baseImage(version, base);
    const std::vector<Region> regions = regionsOf(profile);
    for (std::size_t at = 3; at + 4 <= size;) {
        const Region& region = regions[data[at] % regions.size()];
        const std::int64_t position = region.start + ((data[at + 1] << 8) | data[at + 2]) % region.length;
        const std::size_t count = std::min<std::size_t>(data[at + 3], size - at - 4);
        at += 4;
        for (std::size_t i = 0; i < count; ++i, ++at) {
            const auto target = static_cast<std::size_t>(position) + i;
            if (target < image.size()) {
                image[target] = data[at];
            }
        }
    }

    // The length: the whole image, exactly the layout's end, a little short of it, or only the header.
    const std::size_t extra = data[2];
    switch (data[1] % 4) {
    case 0:
        break;
    case 1:
        image.resize(required + extra);
        break;
    case 2:
        image.resize(required - 1 - extra);
        break;
    default:
        image.resize(std::min<std::size_t>(VersionCodeOffset + extra % 8, image.size()));
        break;
    }

    static const TempPath temp;
    writeFile(temp.path(), image);

    const auto recognition = recognizeRom(temp.path());
    FUZZ_CHECK(recognition.ok());
    FUZZ_CHECK(recognition->profile == expectedProfile(image));
    // The code is the bytes at 0x13C, fewer when the file ends sooner.
    const std::size_t codeEnd = std::min<std::size_t>(VersionCodeOffset + VersionCodeLength, image.size());
    FUZZ_CHECK(recognition->versionCode ==
               std::string(image.begin() + VersionCodeOffset, image.begin() + static_cast<std::ptrdiff_t>(codeEnd)));

    // A file too short for its version is refused, but must still never crash a reader.
    const bool recognised = recognition->profile != nullptr;
    readEverything(temp.path(), image, recognised ? *recognition->profile : profile, recognised);

    // Reading writes nothing.
    FUZZ_CHECK(fileHolds(temp.path(), image));
    return 0;
}
