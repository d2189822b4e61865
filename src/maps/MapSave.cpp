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

// The rods the edits touch read as they did.
bool sameFishing(const FishingTable& was, const FishingTable& is, const FishingEdits& edits)
{
    return (!edits.oldRod || was.oldRod == is.oldRod) && (!edits.goodRod || was.goodRod == is.goodRod) &&
           (edits.superRod.empty() || was.superRod == is.superRod);
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
    if (!sameFishing(loaded.fishing, now.fishing, edits.fishing)) {
        return Failure{FailureNumber::RomChanged,
                       "The rods' Pokémon are no longer in the file as they were when the maps were read, so Tavrik "
                       "does not write them. Open the maps again. Nothing was written."};
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

Result<MapWrite> planMapEdits(const Bytes& image, const MapTable& table, const MapEdits& edits)
{
    const auto statics = planStaticEdits(image, table, edits.statics);
    if (!statics) {
        return statics.failure();
    }
    MapWrite write{*statics, {}, {}};
    write.wild.free = table.free;
    if (!edits.wild.empty()) {
        auto wild = planWildEdits(image, table, edits.wild);
        if (!wild) {
            return wild.failure();
        }
        write.wild = std::move(wild.value());
        write.plan.insert(write.plan.end(), write.wild.plan.begin(), write.wild.plan.end());
    }
    if (!edits.fishing.empty()) {
        Bytes afterWild;
        if (!write.wild.plan.empty()) {
            afterWild = image;
            applyWritePlan(afterWild, write.wild.plan);
        }
        auto fishing =
            planFishingEdits(write.wild.plan.empty() ? image : afterWild, table, edits.fishing, write.wild.free);
        if (!fishing) {
            return fishing.failure();
        }
        write.fishing = std::move(fishing.value());
        write.plan.insert(write.plan.end(), write.fishing.plan.begin(), write.fishing.plan.end());
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
    const auto write = planMapEdits(*image, now, edits);
    if (!write) {
        return write.failure();
    }
    const auto commit = commitSave(rom.path, *image, write->plan, label, options);
    if (!commit) {
        return commit.failure();
    }
    MapSave save;
    save.commit = *commit;
    for (const WildMove& move : write->wild.moves) {
        save.notes.push_back(moveNote(now, move));
    }
    for (const FishingMove& move : write->fishing.moves) {
        save.notes.push_back(fishingMoveNote(now, move));
    }
    save.glitches = write->wild.glitches;
    return save;
}
