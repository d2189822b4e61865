// `tavrik maps`: every map as a PNG file, 8-bit greyscale in the drawing's greys, and with --objects each map with
// its objects too; a map that cannot be drawn is named with the reason and left out, and the rest are written.

#include "UiHarness.h"
#include "app/MapsCommand.h"
#include "maps/MapImage.h"
#include "maps/MapLooks.h"

#include <set>

namespace {

constexpr GameVersion Version = GameVersion::Yellow;

void putWord(SyntheticRom& rom, std::int32_t offset, int value)
{
    rom.put(offset, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

bool uses(const MapToDraw& map, int sprite)
{
    return std::any_of(
        map.people.begin(), map.people.end(), [&](const PersonLook& person) { return person.sprite == sprite; });
}

} // namespace

TEST(MapsCommand, WritesEveryMapItCanDrawAndNamesTheOthers)
{
    TempDir dir;
    SyntheticRom rom(Version);
    const std::vector<MapToDraw> maps = mapsToDraw(rom.bytes(), profileOf(Version));
    ASSERT_GT(maps.size(), 200U);
    // The tileset of the first map leads nowhere, and the sheet of the sprite of the last map's first object.
    const int tileset = maps.front().look.tileset;
    const int sprite = maps.back().people.at(0).sprite;
    putWord(rom, drawingTables(Version).tilesets + TilesetRecordLength * tileset + 3, 0x3000);
    putWord(rom, drawingTables(Version).sprites + SpriteRecordLength * (sprite - 1), 0x3000);
    const std::string path = dir.write(rom);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(mapsCommand({"maps", path, dir.file("out"), "--objects"}, out, err), 0);
    std::string named;
    int written = 0;
    MapDrawing drawing(rom.bytes(), Version);
    for (const MapToDraw& map : maps) {
        const std::string what = "map " + std::to_string(map.id) + " (" + map.name + ")";
        const QString file = QString::fromStdString(dir.file("out/maps/" + std::to_string(map.id)));
        const QImage bare(file + QStringLiteral(".png"));
        const QImage objects(file + QStringLiteral("-objects.png"));
        if (map.look.tileset == tileset) {
            named += what + ": no picture: the graphics pointer of its tileset " + std::to_string(tileset) +
                     " leads out of the bank\n";
            EXPECT_TRUE(bare.isNull() && objects.isNull()) << what;
            continue;
        }
        EXPECT_EQ(bare, mapImage(drawing.bare(map.look))) << what;
        EXPECT_EQ(bare.format(), QImage::Format_Grayscale8);
        ++written;
        if (uses(map, sprite)) {
            const auto first = std::find_if(map.people.begin(), map.people.end(), [&](const PersonLook& person) {
                return person.sprite == sprite;
            });
            named += what + " with its objects: no picture: object " + std::to_string(first - map.people.begin() + 1) +
                     ": the sheet pointer of sprite " + std::to_string(sprite) + " leads out of the bank\n";
            EXPECT_TRUE(objects.isNull()) << what;
            continue;
        }
        EXPECT_EQ(objects, mapImage(drawing.withPeople(map.look, map.people))) << what;
        ++written;
    }
    EXPECT_EQ(err.str(), named);
    EXPECT_EQ(out.str(), std::to_string(written) + " pictures written.\n");
    // Only the greys of the background and of the people, all four on a map with its objects.
    const std::string drawn = std::to_string(std::find_if(maps.begin(), maps.end(), [&](const MapToDraw& map) {
                                                 return map.look.tileset != tileset && !uses(map, sprite);
                                             })->id);
    std::set<int> greys;
    const QImage sound(QString::fromStdString(dir.file("out/maps/" + drawn + "-objects.png")));
    for (int y = 0; y < sound.height(); ++y) {
        for (int x = 0; x < sound.width(); ++x) {
            greys.insert(qGray(sound.pixel(x, y)));
        }
    }
    EXPECT_EQ(greys, (std::set<int>{0, 85, 170, 255}));
    // A folder that cannot be made, and a picture that cannot be written, stop it.
    QDir(QString::fromStdString(dir.file("taken/maps/" + drawn + ".png"))).mkpath(QStringLiteral("."));
    for (const auto& [arguments, code] :
         {std::pair{std::vector<std::string>{"maps", path}, 2},
          std::pair{std::vector<std::string>{"maps", dir.file("none.gb"), dir.file("x")}, 2},
          std::pair{std::vector<std::string>{"maps", path, path}, 3},
          std::pair{std::vector<std::string>{"maps", path, dir.file("taken")}, 3}}) {
        std::ostringstream ignored;
        EXPECT_EQ(mapsCommand(arguments, ignored, ignored), code) << arguments.back();
    }
}
