// The pictures with words in every language besides Polish: the Polish pictures' sizes at each
// scale, and the same pixels except where a word is painted, which reads differently there.
// A language whose catalogue is missing, or lacks a word, fails the generation.
#include "asset_files.hpp"
#include "generate.hpp"
#include "paint.hpp"
#include "pictures.hpp"
#include "sheet.hpp"
#include "words.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include <unistd.h>

namespace fs = std::filesystem;
using assettest::asset;
using assettest::loadPng;

namespace {

// Every piece painted with a word, by the word.
// clang-format off
const std::map<std::string, const char*> kWordPieces = {
    {"heading_results", "Lista wyników"}, {"heading_bonuses", "Bonusy"},
    {"heading_info", "Informacje"}, {"heading_options", "Opcje"},
    {"mode_label_relaxed", "gra dla relaksu"}, {"mode_label_timed", "gra na czas"},
    {"star_line_banner", "linia gwiazd"}, {"time_out", "Koniec czasu"},
    {"final_plate", "Koniec podróży"}, {"hint_button", "podpowiedź"},
    {"hint_button_hover", "podpowiedź"}, {"hint_button_pressed", "podpowiedź"},
    {"menu_button", "Menu"}, {"save_button", "Zapisz"}, {"continue_button", "Dalej"},
    {"yes_plate", "TAK"}, {"no_plate", "NIE"}, {"mode_switch", "zmień"}, {"panel_head", "POZIOM"}};
// clang-format on

std::vector<std::string> languages() {
    return assetgen::languageList(ORBELIUM_TEST_LANGUAGES);
}

} // namespace

TEST(LanguagePictures, HaveThePolishSizesAndDifferOnlyWhereAWordReadsDifferently) {
    ASSERT_FALSE(languages().empty()) << "the build names no language besides Polish";
    const auto manifest = assetgen::loadManifest(ORBELIUM_TEST_MANIFEST);
    for (const std::string& code : languages()) {
        std::map<std::string, bool> translated;
        {
            const assetgen::PaintedLanguage language(ORBELIUM_TEST_CATALOGUE_DIR, code);
            for (const auto& [name, polish] : kWordPieces)
                translated[name] = assetgen::paintedWord(polish) != polish;
        }
        for (int k : assetgen::kArtScales) {
            auto load = [&](const std::string& file, const std::string& language) {
                return loadPng(asset(assetgen::scaledName(
                    language.empty() ? file : assetgen::languageFile(file, language), k)));
            };
            const auto sheet = load("gr/elementy.png", ""), own = load("gr/elementy.png", code);
            ASSERT_EQ(std::pair(own.width, own.height), std::pair(sheet.width, sheet.height))
                << code << " sheet at " << k << "x";
            for (const auto& p : manifest.pieces) {
                if (!p.partOf.empty())
                    continue;
                const bool same = own.region(p.x * k, p.y * k, p.w * k, p.h * k) ==
                                  sheet.region(p.x * k, p.y * k, p.w * k, p.h * k);
                EXPECT_EQ(same, !translated[p.name]) << code << " " << p.name << " at " << k << "x";
            }
            const auto title = load("gr/tytul.png", ""), ownTitle = load("gr/tytul.png", code);
            ASSERT_EQ(std::pair(ownTitle.width, ownTitle.height),
                      std::pair(title.width, title.height))
                << code << " title at " << k << "x";
            // Only the subtitle under the title word changes.
            EXPECT_EQ(ownTitle.region(0, 0, title.width, 150 * k),
                      title.region(0, 0, title.width, 150 * k))
                << code << " title at " << k << "x";
            EXPECT_NE(ownTitle.pixels, title.pixels) << code << " subtitle at " << k << "x";
        }
    }
}

TEST(LanguagePictures, AMissingCatalogueOrWordOrAWordTooWideFailsTheGeneration) {
    const fs::path base =
        fs::temp_directory_path() / ("orbelium_languages_" + std::to_string(::getpid()));
    fs::remove_all(base);
    fs::create_directories(base / "locale/xx/LC_MESSAGES");
    // A catalogue that knows a single painted word.
    std::ofstream(base / "xx.po") << "msgid \"\"\nmsgstr \"Content-Type: text/plain; "
                                     "charset=UTF-8\\n\"\n\nmsgid \"Opcje\"\nmsgstr \"Options\"\n";
    const std::string compile = std::string(ORBELIUM_TEST_MSGFMT) + " -o " +
                                assetgen::cataloguePath((base / "locale").string(), "xx") + " " +
                                (base / "xx.po").string();
    ASSERT_EQ(std::system(compile.c_str()), 0) << compile;

    assetgen::GenerateOptions options{ORBELIUM_TEST_MANIFEST,     ORBELIUM_TEST_FONT_DIR,
                                      ORBELIUM_TEST_FONT_LICENCE, (base / "out").string(),
                                      (base / "locale").string(), {"xx", "yy"}};
    EXPECT_THROW(assetgen::generateAll(options), std::runtime_error);
    EXPECT_FALSE(fs::exists(base / "out")) << "written before the missing catalogue was noticed";

    const auto manifest = assetgen::loadManifest(ORBELIUM_TEST_MANIFEST);
    assetgen::Fonts::load(ORBELIUM_TEST_FONT_DIR);
    {
        const assetgen::PaintedLanguage language((base / "locale").string(), "xx");
        EXPECT_EQ(assetgen::paintedWord("Opcje"), "Options");
        EXPECT_THROW(assetgen::paintedWord("Bonusy"), std::runtime_error);
        EXPECT_THROW(assetgen::writeSheet(manifest, (base / "sheet.png").string()),
                     std::runtime_error);
        EXPECT_THROW(assetgen::writeTitle((base / "title.png").string()), std::runtime_error);
        assetgen::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
        assetgen::ContextPtr cr(cairo_create(surface.get()));
        assetgen::Fonts::use(cr.get(), assetgen::Face::Bold, 17);
        const double width = assetgen::textWidth(cr.get(), "Options");
        EXPECT_EQ(assetgen::paintedWord(cr.get(), "Opcje", width + 1), "Options");
        EXPECT_THROW(assetgen::paintedWord(cr.get(), "Opcje", width - 1), std::runtime_error);
    }
    EXPECT_EQ(assetgen::paintedWord("Bonusy"), "Bonusy") << "Polish again after the language";
    fs::remove_all(base);
}
