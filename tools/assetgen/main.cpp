// orbelium_assetgen: writes the game's pictures, sounds and fonts into one folder.
//   orbelium_assetgen --manifest FILE --fonts DIR --licence FILE --out DIR [--icons DIR]
//                     [--locale DIR --languages CODE[,CODE...]]
// With --icons it also writes the desktop icon, in a hicolor theme layout, into that folder.
// With --languages it paints the pictures with words once more in each language, its words
// read from the compiled catalogue DIR/CODE/LC_MESSAGES/orbelium.mo.
//   orbelium_assetgen --manifest FILE --sheet-header FILE
// writes only the header that names the sheet's pieces for the game.
#include "generate.hpp"
#include "pictures.hpp"
#include "sheet_header.hpp"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    assetgen::GenerateOptions options;
    std::string iconFolder;
    std::string sheetHeader;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        std::string value = argv[i + 1];
        if (key == "--manifest")
            options.manifestPath = value;
        else if (key == "--fonts")
            options.fontFolder = value;
        else if (key == "--licence")
            options.licencePath = value;
        else if (key == "--out")
            options.outFolder = value;
        else if (key == "--locale")
            options.catalogueFolder = value;
        else if (key == "--languages")
            options.languages = assetgen::languageList(value);
        else if (key == "--icons")
            iconFolder = value;
        else if (key == "--sheet-header")
            sheetHeader = value;
        else {
            std::cerr << "orbelium_assetgen: unknown option " << key << "\n";
            return 2;
        }
    }
    if (!sheetHeader.empty() && !options.manifestPath.empty()) {
        try {
            assetgen::writeSheetHeader(assetgen::loadManifest(options.manifestPath), sheetHeader);
        } catch (const std::exception& e) {
            std::cerr << "orbelium_assetgen: " << e.what() << "\n";
            return 1;
        }
        return 0;
    }
    if (options.manifestPath.empty() || options.fontFolder.empty() || options.licencePath.empty() ||
        options.outFolder.empty() ||
        (!options.languages.empty() && options.catalogueFolder.empty())) {
        std::cerr << "usage: orbelium_assetgen --manifest FILE --fonts DIR --licence FILE "
                     "--out DIR [--icons DIR] [--locale DIR --languages CODE[,CODE...]]\n";
        return 2;
    }
    try {
        assetgen::generateAll(options);
        if (!iconFolder.empty())
            assetgen::writeIcons(iconFolder);
    } catch (const std::exception& e) {
        std::cerr << "orbelium_assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
