#pragma once

// tavrik guide ROM DIR: the guide of the ROM as a small static website in DIR (index.html, one page per map,
// style.css, the pictures in DIR/pictures), which File > Export Guide... writes too. Needs no display. Exit codes
// as the other commands: 0 done, 2 the ROM cannot be read or the command line is wrong, 3 a file could not be
// written.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <iosfwd>
#include <string>
#include <vector>

struct GuideWritten
{
    int pages = 0;
    int pictures = 0;
};

// The guide of image into folder, made when missing; false, after saying why on err, when a file cannot be
// written. A picture the ROM does not hold soundly is named on err and left out.
bool writeGuide(const Bytes& image,
                const VersionProfile& profile,
                const std::string& folder,
                GuideWritten& written,
                std::ostream& err);

bool isGuideCommand(const std::vector<std::string>& arguments);
int guideCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
