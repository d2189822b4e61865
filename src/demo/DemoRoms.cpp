// Writes one synthetic cartridge image per version into the folder given, so a new user can try every
// feature without a ROM of their own, and a Red image changed the way other tools change ROMs, to show
// how Tavrik follows the game's own tables. The images hold invented names and values only.

#include "demo/SyntheticRom.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        const std::pair<GameVersion, const char*> images[] = {{GameVersion::Red, "demo-red.gb"},
                                                              {GameVersion::Blue, "demo-blue.gb"},
                                                              {GameVersion::Yellow, "demo-yellow.gb"}};
        for (const auto& [version, name] : images) {
            const auto path = std::filesystem::absolute(folder / name);
            SyntheticRom(version).writeTo(path.string());
            std::printf("Demo cartridge image: %s\n", path.c_str());
        }
        // The first gym leader with a third Pokemon and the third with a longer name: every party and name
        // after them has moved.
        SyntheticRom changed(GameVersion::Red);
        changed.growParty(0, 14, 25);
        changed.growName(2, 'X');
        const auto path = std::filesystem::absolute(folder / "demo-red-changed.gb");
        changed.writeTo(path.string());
        std::printf("Demo cartridge image, changed by another tool: %s\n", path.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
