#include "generate.hpp"

#include "manifest.hpp"
#include "paint.hpp"
#include "pictures.hpp"
#include "sheet.hpp"
#include "sounds.hpp"

#include <filesystem>

namespace assetgen {

namespace fs = std::filesystem;

const std::vector<std::string>& runtimeFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> f = {"gr/tlo2.jpg",      "gr/planety.png", "gr/elementy.png",
                                      "gr/tytul.png",     "arialbd.ttf",    "arial.ttf",
                                      "LICENSE-fonts.txt"};
        for (const std::string& cue : cueFiles())
            f.push_back("sam/" + cue);
        f.emplace_back("sam/muzyczka.ogg");
        return f;
    }();
    return files;
}

void generateAll(const GenerateOptions& options) {
    const fs::path out(options.outFolder);
    fs::create_directories(out / "gr");
    fs::create_directories(out / "sam");
    Fonts::load(options.fontFolder);

    const fs::path fonts(options.fontFolder);
    const auto overwrite = fs::copy_options::overwrite_existing;
    fs::copy_file(fonts / "LiberationSans-Bold.ttf", out / "arialbd.ttf", overwrite);
    fs::copy_file(fonts / "LiberationSans-Regular.ttf", out / "arial.ttf", overwrite);
    fs::copy_file(options.licencePath, out / "LICENSE-fonts.txt", overwrite);

    writeSheet(loadManifest(options.manifestPath), (out / "gr/elementy.png").string());
    writePlanets((out / "gr/planety.png").string());
    writeBackdrop((out / "gr/tlo2.jpg").string());
    writeTitle((out / "gr/tytul.png").string());
    writeCues((out / "sam").string());
    writeMusic((out / "sam").string());
}

} // namespace assetgen
