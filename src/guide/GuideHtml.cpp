#include "guide/GuideHtml.h"

#include "rom/DisplayText.h"

#include <cctype>
#include <cstdio>
#include <sstream>

namespace {

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string lowered(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Out of 256, as a percent with one decimal: "19.9 %".
std::string percent(int chance)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f %%", chance * 100.0 / 256.0);
    return text;
}

std::string mapTitle(const GuideMap& map)
{
    return map.name.empty() ? "Map " + hexNumber(map.id, 2) : map.name;
}

std::string head(const std::string& title)
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           escaped(title) + "</title>\n<link rel=\"stylesheet\" href=\"" + GuideStyleFile + "\">\n</head>\n<body>\n";
}

const char* const Foot = "</body>\n</html>\n";

std::string picture(const std::string& file, const std::string& alt, const char* kind)
{
    return "<img class=\"" + std::string(kind) + "\" src=\"" + file + "\" alt=\"" + escaped(alt) + "\">";
}

// A species' or a class's picture, or an empty place of its size where the ROM holds none.
std::string speciesPicture(const GuidePictures& shown, int species, const std::string& name)
{
    return shown.species.count(species) != 0 ? picture(speciesPictureFile(species), name, "species")
                                             : "<span class=\"species\"></span>";
}

std::string trainerPicture(const GuidePictures& shown, int classNumber, const std::string& name)
{
    return shown.classes.count(classNumber) != 0 ? picture(trainerPictureFile(classNumber), name, "portrait")
                                                 : "<span class=\"portrait\"></span>";
}

std::string memberCard(const GuideMember& member, const GuidePictures& shown)
{
    std::ostringstream out;
    out << "<li class=\"member\">" << speciesPicture(shown, member.species, member.name) << "<div><strong>"
        << escaped(member.name) << "</strong> Lv " << member.level;
    if (!member.battler.moves.empty()) {
        out << "<ul class=\"moves\">";
        const std::vector<std::string>& origins = member.battler.origins;
        for (std::size_t k = 0; k < member.battler.moves.size(); ++k) {
            const std::string& move = member.battler.moves[k];
            // A move the game writes over the member's own, and where it comes from.
            if (k < origins.size() && !origins[k].empty()) {
                out << "<li><strong>" << escaped(move) << "</strong> <span class=\"own\">(" << escaped(origins[k])
                    << ")</span></li>";
            } else {
                out << "<li>" << escaped(move) << "</li>";
            }
        }
        out << "</ul>";
    }
    if (const auto& stats = member.battler.stats) {
        out << "<p class=\"stats\">HP " << (*stats)[0] << " · Atk " << (*stats)[1] << " · Def " << (*stats)[2]
            << " · Spd " << (*stats)[3] << " · Spc " << (*stats)[4] << "</p>";
    }
    out << "</div></li>\n";
    return out.str();
}

std::string trainerCard(const GuideTrainer& trainer, const std::string& heading, const GuidePictures& shown)
{
    std::ostringstream out;
    out << "<section class=\"trainer\">\n<h3>" << trainerPicture(shown, trainer.classNumber, trainer.name)
        << escaped(heading) << "</h3>\n<p>";
    if (!trainer.where.empty()) {
        out << escaped(trainer.where) << ". ";
    }
    if (trainer.prize) {
        out << "Prize money: ¥" << groupedNumber(*trainer.prize) << ".";
    }
    out << "</p>\n";
    if (!trainer.problem.empty()) {
        out << "<p>" << escaped(trainer.problem) << "</p>\n";
    }
    out << "<ul class=\"party\">\n";
    for (const GuideMember& member : trainer.members) {
        out << memberCard(member, shown);
    }
    out << "</ul>\n</section>\n";
    return out.str();
}

std::string areaTable(const GuideArea& area, const char* what, const GuidePictures& shown)
{
    std::ostringstream out;
    out << "<section>\n<h3>" << what << "</h3>\n<p>" << area.rate << " encounters in 256 steps.</p>\n";
    out << "<ul class=\"ranges\">\n";
    for (const GuideRange& range : area.ranges) {
        out << "<li>" << speciesPicture(shown, range.species, range.name) << "<strong>" << escaped(range.name)
            << "</strong> Lv " << range.lowest;
        if (range.highest != range.lowest) {
            out << "–" << range.highest;
        }
        out << ", " << percent(range.chance) << "</li>\n";
    }
    out << "</ul>\n<table>\n<thead><tr><th>Slot</th><th>Pokémon</th><th>Level</th><th>Chance</th></tr></"
           "thead>\n<tbody>\n";
    int number = 0;
    for (const GuideSlot& slot : area.slot) {
        out << "<tr><td>" << ++number << "</td><td>" << escaped(slot.name) << "</td><td>" << slot.level << "</td><td>"
            << percent(slot.chance) << "</td></tr>\n";
    }
    out << "</tbody>\n</table>\n</section>\n";
    return out.str();
}

// The words the index's search looks in: the map's name, its trainers and every Pokémon fought there.
std::string searchWords(const GuideMap& map)
{
    std::string words = mapTitle(map);
    for (const GuideTrainer& trainer : map.trainers) {
        words += " " + trainer.name;
        for (const GuideMember& member : trainer.members) {
            words += " " + member.name;
        }
    }
    for (const GuideMember& member : map.standing) {
        words += " " + member.name;
    }
    for (const auto* area : {&map.grass, &map.water}) {
        for (const GuideRange& range : area->has_value() ? (*area)->ranges : std::vector<GuideRange>()) {
            words += " " + range.name;
        }
    }
    return lowered(words);
}

// Shown only where scripts run; index.html?q=words opens with the words searched for.
const char* const SearchScript = R"(<script>
const box = document.getElementById('search');
const search = () => {
  const words = box.value.trim().toLowerCase();
  for (const item of document.querySelectorAll('[data-search]')) {
    item.hidden = words !== '' && !item.dataset.search.includes(words);
  }
};
box.hidden = false;
box.value = new URLSearchParams(location.search).get('q') || '';
box.addEventListener('input', search);
search();
</script>
)";

} // namespace

std::string mapPageFile(int mapId)
{
    return "map-" + std::to_string(mapId) + ".html";
}

std::string mapPictureFile(int mapId)
{
    return "pictures/map-" + std::to_string(mapId) + ".png";
}

std::string speciesPictureFile(int species)
{
    return "pictures/species-" + std::to_string(species) + ".png";
}

std::string trainerPictureFile(int classNumber)
{
    return "pictures/trainer-" + std::to_string(classNumber) + ".png";
}

std::string guideIndex(const Guide& guide, const GuidePictures& shown)
{
    std::ostringstream out;
    out << head(guide.title + ": a guide") << "<header>\n<h1>" << escaped(guide.title) << "</h1>\n"
        << "<input id=\"search\" type=\"search\" placeholder=\"Search by Pokémon, trainer or map\" "
           "aria-label=\"Search by Pokémon, trainer or map\" hidden>\n</header>\n<main>\n";
    out << "<section>\n<h2>Gym leaders and the Elite Four</h2>\n<ol class=\"leaders\">\n";
    for (const GuideLeader& leader : guide.leaders) {
        std::string words = leader.trainer.name + " " + leader.map;
        out << "<li data-search=\"";
        for (const GuideMember& member : leader.trainer.members) {
            words += " " + member.name;
        }
        out << escaped(lowered(words)) << "\">"
            << trainerPicture(shown, leader.trainer.classNumber, leader.trainer.name);
        out << "<strong>" << escaped(leader.trainer.name) << "</strong> ";
        if (leader.mapId >= 0) {
            out << "<a href=\"" << mapPageFile(leader.mapId) << "\">" << escaped(leader.map) << "</a>";
        } else {
            out << escaped(leader.map);
        }
        out << ": ";
        for (std::size_t k = 0; k < leader.trainer.members.size(); ++k) {
            const GuideMember& member = leader.trainer.members[k];
            out << (k > 0 ? ", " : "") << escaped(member.name) << " " << member.level;
        }
        out << "</li>\n";
    }
    out << "</ol>\n</section>\n<section>\n<h2>Maps</h2>\n<ul class=\"maps\">\n";
    for (const GuideMap& map : guide.maps) {
        out << "<li data-search=\"" << escaped(searchWords(map)) << "\"><a href=\"" << mapPageFile(map.id) << "\">"
            << escaped(mapTitle(map)) << "</a>";
        if (!map.trainers.empty()) {
            out << " <span class=\"count\">" << map.trainers.size()
                << (map.trainers.size() == 1 ? " trainer" : " trainers") << "</span>";
        }
        out << "</li>\n";
    }
    out << "</ul>\n</section>\n</main>\n" << SearchScript << Foot;
    return out.str();
}

std::string guideMapPage(const Guide& guide, const GuideMap& map, const GuidePictures& shown)
{
    std::ostringstream out;
    out << head(mapTitle(map) + " · " + guide.title) << "<header>\n<p><a href=\"index.html\">" << escaped(guide.title)
        << "</a></p>\n<h1>" << escaped(mapTitle(map)) << "</h1>\n</header>\n<main>\n";
    if (map.drawProblem.empty()) {
        // Twice the game's size, as the pictures are small; the style sheet narrows it on a phone.
        out << "<p><img class=\"map\" src=\"" << mapPictureFile(map.id) << "\" alt=\"The map " << escaped(mapTitle(map))
            << "\" width=\"" << 2 * map.width << "\" height=\"" << 2 * map.height << "\"></p>\n";
    } else {
        out << "<p>This map cannot be drawn: " << escaped(map.drawProblem) << ".</p>\n";
    }
    if (!map.trainers.empty()) {
        out << "<h2>Trainers</h2>\n";
        for (const GuideTrainer& trainer : map.trainers) {
            out << trainerCard(trainer, trainer.name + ", party " + std::to_string(trainer.party), shown);
        }
    }
    if (!map.standing.empty()) {
        out << "<h2>Pokémon standing here</h2>\n<ul class=\"party\">\n";
        for (const GuideMember& member : map.standing) {
            out << memberCard(member, shown);
        }
        out << "</ul>\n";
    }
    if (map.grass || map.water) {
        out << "<h2>Wild Pokémon</h2>\n";
        if (map.grass) {
            out << areaTable(*map.grass, "In the grass", shown);
        }
        if (map.water) {
            out << areaTable(*map.water, "On the water", shown);
        }
    }
    out << "</main>\n" << Foot;
    return out.str();
}

std::string guideStyle()
{
    return R"(body { font-family: system-ui, sans-serif; margin: 0 auto; max-width: 60rem; padding: 0 1rem 2rem;
  line-height: 1.4; color: #1b1b1b; background: #fafafa; }
h1 { margin-bottom: 0.5rem; }
img { image-rendering: pixelated; }
img.map { max-width: 100%; height: auto; border: 1px solid #999; }
.species, .portrait { display: inline-block; width: 56px; height: 56px; vertical-align: middle; margin-right: 0.5rem; }
input[type=search] { width: 100%; box-sizing: border-box; font-size: 1rem; padding: 0.5rem; margin: 0.5rem 0; }
ul.party, ul.ranges, ol.leaders, ul.maps { list-style: none; padding: 0; }
ul.party { display: grid; grid-template-columns: repeat(auto-fill, minmax(14rem, 1fr)); gap: 0.5rem; }
li.member { display: flex; align-items: flex-start; background: #fff; border: 1px solid #ddd; border-radius: 6px;
  padding: 0.5rem; }
ul.moves { margin: 0.25rem 0; padding-left: 1.1rem; font-size: 0.9rem; }
.own { color: #555; }
p.stats { margin: 0; font-size: 0.85rem; color: #444; }
section.trainer { border-top: 1px solid #ccc; padding-top: 0.5rem; }
ol.leaders li, ul.ranges li { margin: 0.25rem 0; }
ul.maps { columns: 16rem; }
span.count { color: #666; font-size: 0.9rem; }
table { border-collapse: collapse; width: 100%; max-width: 30rem; }
th, td { border-bottom: 1px solid #ddd; padding: 0.2rem 0.5rem; text-align: left; }
)";
}

GuidePictures picturesOf(const Guide& guide)
{
    GuidePictures pictures;
    const auto addTrainer = [&pictures](const GuideTrainer& trainer) {
        pictures.classes.insert(trainer.classNumber);
        for (const GuideMember& member : trainer.members) {
            pictures.species.insert(member.species);
        }
    };
    for (const GuideLeader& leader : guide.leaders) {
        addTrainer(leader.trainer);
    }
    for (const GuideMap& map : guide.maps) {
        for (const GuideTrainer& trainer : map.trainers) {
            addTrainer(trainer);
        }
        for (const GuideMember& member : map.standing) {
            pictures.species.insert(member.species);
        }
        for (const auto* area : {&map.grass, &map.water}) {
            for (const GuideRange& range : area->has_value() ? (*area)->ranges : std::vector<GuideRange>()) {
                pictures.species.insert(range.species);
            }
        }
    }
    return pictures;
}
