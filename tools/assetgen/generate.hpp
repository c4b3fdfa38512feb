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
    // The compiled catalogues (<folder>/<code>/LC_MESSAGES/orbelium.mo) of the languages
    // besides Polish whose pictures with words are painted too.
    std::string catalogueFolder;
    std::vector<std::string> languages;
};

// The raster pictures at 1x ("gr/elementy.png"); each is also written at every other scale
// of kArtScales under that scale's folder ("gr/2x/elementy.png").
const std::vector<std::string>& pictureFiles();

// The pictures that carry words. Those of another language lie in a folder of their own,
// scaled sets inside it ("gr/en/elementy.png", "gr/en/2x/elementy.png"); the pictures
// without words are shared.
const std::vector<std::string>& wordPictureFiles();
std::string languageFile(const std::string& file, const std::string& code);

// "en,de" -> {"en", "de"}; blanks around the codes are dropped.
std::vector<std::string> languageList(const std::string& codes);

// Every file written, relative to the output folder, when the pictures with words are
// painted in `languages` besides Polish.
std::vector<std::string> runtimeFiles(const std::vector<std::string>& languages = {});

// Throws, before anything is written, when a language's catalogue is missing, and while
// painting a language's pictures when a word has no translation or does not fit its piece.
void generateAll(const GenerateOptions& options);

} // namespace assetgen
