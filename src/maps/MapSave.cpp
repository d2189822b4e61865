#include "maps/MapSave.h"

namespace {

bool sameObjects(const MapRow& was, const MapRow& is)
{
    if (was.objects.size() != is.objects.size() || was.objectsOffset != is.objectsOffset) {
        return false;
    }
    for (std::size_t k = 0; k < was.objects.size(); ++k) {
        const MapObject& a = was.objects[k];
        const MapObject& b = is.objects[k];
        if (a.offset != b.offset || a.kind != b.kind || a.species != b.species || a.level != b.level ||
            a.classNumber != b.classNumber || a.party != b.party) {
            return false;
        }
    }
    return true;
}

bool sameWild(const MapTable& loaded, const MapTable& now, int map)
{
    const WildTable* was = loaded.wildOf(map);
    const WildTable* is = now.wildOf(map);
    if (was == nullptr || is == nullptr) {
        return was == is;
    }
    return was->offset == is->offset && was->length == is->length && was->grass == is->grass &&
           was->water == is->water && was->maps == is->maps;
}

} // namespace

WriteStatus checkLoaded(const MapTable& loaded, const MapTable& now, const MapEdits& edits)
{
    std::vector<std::pair<int, bool>> touched;
    for (const StaticEdit& edit : edits.statics) {
        touched.emplace_back(edit.map, false);
    }
    for (const WildEdit& edit : edits.wild) {
        touched.emplace_back(edit.map, true);
    }
    for (const auto& [map, wild] : touched) {
        const MapRow* was = loaded.row(map);
        const MapRow* is = now.row(map);
        const bool same = was != nullptr && is != nullptr && was->problem == is->problem &&
                          was->headerOffset == is->headerOffset &&
                          (wild ? sameWild(loaded, now, map) : sameObjects(*was, *is));
        if (!same) {
            return Failure{FailureNumber::RomChanged,
                           std::string(was != nullptr ? was->name : "A map") +
                               " is no longer in the file as it was when the maps were read, so Tavrik does not "
                               "write it. Open the maps again. Nothing was written."};
        }
    }
    return std::nullopt;
}

Result<WildWrite> planMapEdits(const Bytes& image, const MapTable& table, const MapEdits& edits)
{
    const auto statics = planStaticEdits(image, table, edits.statics);
    if (!statics) {
        return statics.failure();
    }
    auto write = planWildEdits(image, table, edits.wild);
    if (write) {
        write.value().plan.insert(write.value().plan.begin(), statics->begin(), statics->end());
    }
    return write;
}

Result<MapSave> writeMapEdits(const RomTarget& rom,
                              const MapTable& loaded,
                              const MapEdits& edits,
                              const std::string& label,
                              const CommitOptions& options)
{
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    const MapTable now = readMaps(*image, *rom.profile);
    if (auto failure = checkLoaded(loaded, now, edits)) {
        return *failure;
    }
    const auto wild = planMapEdits(*image, now, edits);
    if (!wild) {
        return wild.failure();
    }
    const auto commit = commitSave(rom.path, *image, wild->plan, label, options);
    if (!commit) {
        return commit.failure();
    }
    MapSave save;
    save.commit = *commit;
    for (const WildMove& move : wild->moves) {
        save.notes.push_back(moveNote(now, move));
    }
    save.glitches = wild->glitches;
    return save;
}
