// Writes the complete set of runtime assets into one folder.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

struct GenerateOptions {
    std::string manifestPath; // the sheet manifest
    std::string fontFolder;   // holds LiberationSans-Regular.ttf and -Bold.ttf
    std::string licencePath;  // the fonts' licence, copied beside them
    std::string outFolder;    // receives gr/, sam/, the fonts and the licence
};

// The raster pictures at 1x ("gr/elementy.png"); each is also written at every other scale
// of kArtScales under that scale's folder ("gr/2x/elementy.png").
const std::vector<std::string>& pictureFiles();

// Every file written, relative to the output folder.
const std::vector<std::string>& runtimeFiles();

void generateAll(const GenerateOptions& options);

} // namespace assetgen
