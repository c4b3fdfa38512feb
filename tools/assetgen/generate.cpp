#include "generate.hpp"

#include "manifest.hpp"
#include "paint.hpp"
#include "pictures.hpp"
#include "sheet.hpp"
#include "sounds.hpp"
#include "words.hpp"

#include <filesystem>
#include <sstream>

namespace assetgen {

namespace fs = std::filesystem;

const std::vector<std::string>& pictureFiles() {
    static const std::vector<std::string> files = {"gr/tlo2.jpg", "gr/planety.png",
                                                   "gr/elementy.png", "gr/tytul.png"};
    return files;
}

const std::vector<std::string>& wordPictureFiles() {
    static const std::vector<std::string> files = {"gr/elementy.png", "gr/tytul.png"};
    return files;
}

std::string languageFile(const std::string& file, const std::string& code) {
    const auto slash = file.rfind('/') + 1;
    return file.substr(0, slash) + code + "/" + file.substr(slash);
}

std::vector<std::string> languageList(const std::string& codes) {
    std::vector<std::string> list;
    std::istringstream in(codes);
    for (std::string code; std::getline(in, code, ',');) {
        const auto first = code.find_first_not_of(" \t");
        if (first != std::string::npos)
            list.push_back(code.substr(first, code.find_last_not_of(" \t") + 1 - first));
    }
    return list;
}

std::vector<std::string> runtimeFiles(const std::vector<std::string>& languages) {
    std::vector<std::string> f;
    for (const std::string& picture : pictureFiles()) {
        for (int scale : kArtScales)
            f.push_back(scaledName(picture, scale));
    }
    for (const std::string& code : languages) {
        for (const std::string& picture : wordPictureFiles()) {
            for (int scale : kArtScales)
                f.push_back(scaledName(languageFile(picture, code), scale));
        }
    }
    f.insert(f.end(), {"arialbd.ttf", "arial.ttf", "LICENSE-fonts.txt"});
    for (const std::string& cue : cueFiles())
        f.push_back("sam/" + cue);
    f.emplace_back("sam/muzyczka.ogg");
    return f;
}

void generateAll(const GenerateOptions& options) {
    for (const std::string& code : options.languages)
        requireCatalogue(options.catalogueFolder, code);
    const fs::path out(options.outFolder);
    for (int scale : kArtScales)
        fs::create_directories(out / scaledName("gr/", scale));
    fs::create_directories(out / "sam");
    Fonts::load(options.fontFolder);

    const fs::path fonts(options.fontFolder);
    const auto overwrite = fs::copy_options::overwrite_existing;
    fs::copy_file(fonts / "LiberationSans-Bold.ttf", out / "arialbd.ttf", overwrite);
    fs::copy_file(fonts / "LiberationSans-Regular.ttf", out / "arial.ttf", overwrite);
    fs::copy_file(options.licencePath, out / "LICENSE-fonts.txt", overwrite);

    const Manifest manifest = loadManifest(options.manifestPath);
    for (int scale : kArtScales) {
        auto path = [&](const std::string& file) {
            return (out / scaledName(file, scale)).string();
        };
        writeSheet(manifest, path("gr/elementy.png"), scale);
        writePlanets(path("gr/planety.png"), scale);
        writeBackdrop(path("gr/tlo2.jpg"), scale);
        writeTitle(path("gr/tytul.png"), scale);
    }
    for (const std::string& code : options.languages) {
        const PaintedLanguage language(options.catalogueFolder, code);
        for (int scale : kArtScales) {
            auto path = [&](const std::string& file) {
                return (out / scaledName(languageFile(file, code), scale)).string();
            };
            fs::create_directories(fs::path(path("gr/elementy.png")).parent_path());
            writeSheet(manifest, path("gr/elementy.png"), scale);
            writeTitle(path("gr/tytul.png"), scale);
        }
    }
    writeCues((out / "sam").string());
    writeMusic((out / "sam").string());
}

} // namespace assetgen
