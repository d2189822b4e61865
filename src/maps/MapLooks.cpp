#include "maps/MapLooks.h"

#include "maps/MapTable.h"

MapLook lookOf(const MapRow& row)
{
    return {row.tileset, row.height, row.width, row.blocksOffset, row.headerBank};
}

std::vector<PersonLook> peopleOf(const MapRow& row)
{
    std::vector<PersonLook> people;
    people.reserve(row.objects.size());
    for (const MapObject& object : row.objects) {
        people.push_back({object.sprite, object.x, object.y});
    }
    return people;
}

std::vector<MapToDraw> mapsToDraw(const Bytes& image, const VersionProfile& profile)
{
    const MapTable table = readMaps(image, profile);
    std::vector<MapToDraw> maps;
    maps.reserve(table.rows.size());
    for (const MapRow& row : table.rows) {
        // A copy shares its header, so its objects too: they are read once, for the lower id.
        const MapRow* objects = row.copyOf ? table.row(*row.copyOf) : &row;
        if (row.isMap() && objects != nullptr) {
            maps.push_back({row.id, std::string(row.name), lookOf(row), peopleOf(*objects)});
        }
    }
    return maps;
}
