#include "generate.hpp"

#include "manifest.hpp"
#include "paint.hpp"
#include "pictures.hpp"
#include "sheet.hpp"
#include "sounds.hpp"

#include <filesystem>

namespace assetgen {

namespace fs = std::filesystem;

const std::vector<std::string>& pictureFiles() {
    static const std::vector<std::string> files = {"gr/tlo2.jpg", "gr/planety.png",
                                                   "gr/elementy.png", "gr/tytul.png"};
    return files;
}

const std::vector<std::string>& runtimeFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> f;
        for (const std::string& picture : pictureFiles()) {
            for (int scale : kArtScales)
                f.push_back(scaledName(picture, scale));
        }
        f.insert(f.end(), {"arialbd.ttf", "arial.ttf", "LICENSE-fonts.txt"});
        for (const std::string& cue : cueFiles())
            f.push_back("sam/" + cue);
        f.emplace_back("sam/muzyczka.ogg");
        return f;
    }();
    return files;
}

void generateAll(const GenerateOptions& options) {
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
    writeCues((out / "sam").string());
    writeMusic((out / "sam").string());
}

} // namespace assetgen
