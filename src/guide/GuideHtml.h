#pragma once

// A guide as a small static website: index.html with the gym leaders and the Elite Four first, then every map;
// one page per map; one style sheet; the pictures beside them in pictures/. Each page reads without a script; the
// index's search box, the one script, only hides what does not match. Valid HTML5, readable from phone width up.

#include "guide/Guide.h"

#include <set>
#include <string>

constexpr const char* GuideStyleFile = "style.css";

struct GuidePictures;

// The pages show the pictures of shown; a species or class without one is shown without it.
std::string guideIndex(const Guide& guide, const GuidePictures& shown);
std::string guideMapPage(const Guide& guide, const GuideMap& map, const GuidePictures& shown);
std::string guideStyle();

// The file of a map's page, and of the pictures the pages show, relative to the guide's folder.
std::string mapPageFile(int mapId);
std::string mapPictureFile(int mapId);
std::string speciesPictureFile(int species);
std::string trainerPictureFile(int classNumber);

// The species and trainer classes whose pictures the pages show, or that were written.
struct GuidePictures
{
    std::set<int> species;
    std::set<int> classes;
};
GuidePictures picturesOf(const Guide& guide);
