#include "words.hpp"

#include "paint.hpp"

#include <libintl.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace assetgen {

namespace {

constexpr const char* kDomain = "orbelium";
// The C library ignores LANGUAGE under the C locale. C.UTF-8 lets LANGUAGE choose the
// catalogue, and it is part of the C library, so it is there where no locale is installed.
constexpr const char* kNeutralLocales[] = {"C.UTF-8", "C.utf8"};

// The language being painted (empty for Polish) and the settings it replaced, given back
// when the pictures of that language are done.
struct PaintingRecord {
    std::string code;
    std::string catalogue;
    std::optional<std::string> languageBefore;
    std::string messagesBefore;
};
PaintingRecord painting;

void restoreSettings() {
    if (painting.languageBefore)
        setenv("LANGUAGE", painting.languageBefore->c_str(), 1);
    else
        unsetenv("LANGUAGE");
    std::setlocale(LC_MESSAGES, painting.messagesBefore.c_str());
    painting = {};
}

} // namespace

std::string cataloguePath(const std::string& folder, const std::string& code) {
    return folder + "/" + code + "/LC_MESSAGES/" + kDomain + ".mo";
}

void requireCatalogue(const std::string& folder, const std::string& code) {
    if (!std::filesystem::is_regular_file(cataloguePath(folder, code))) {
        throw std::runtime_error("no catalogue for language '" + code + "' at " +
                                 cataloguePath(folder, code));
    }
}

PaintedLanguage::PaintedLanguage(const std::string& folder, const std::string& code) {
    if (!painting.code.empty())
        throw std::logic_error("the words are painted in one language at a time");
    requireCatalogue(folder, code);
    const std::string catalogue = cataloguePath(folder, code);
    const char* language = std::getenv("LANGUAGE");
    painting = {code, catalogue, language ? std::optional<std::string>(language) : std::nullopt,
                std::setlocale(LC_MESSAGES, nullptr)};
    bindtextdomain(kDomain, folder.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    setenv("LANGUAGE", code.c_str(), 1);
    // Setting the locale again also makes gettext forget the words of a language before.
    for (const char* locale : kNeutralLocales) {
        if (std::setlocale(LC_MESSAGES, locale) != nullptr)
            return;
    }
    restoreSettings();
    throw std::runtime_error("the C library has no C.UTF-8 locale to read catalogues under");
}

PaintedLanguage::~PaintedLanguage() {
    restoreSettings();
}

std::string paintedWord(const char* polish) {
    if (painting.code.empty())
        return polish;
    // gettext hands back the very text it was given when the catalogue lacks it; a word
    // translated as itself ("Menu") comes from the catalogue instead.
    const char* word = dgettext(kDomain, polish);
    if (word == polish) {
        throw std::runtime_error(painting.catalogue + " has no translation of the painted word \"" +
                                 polish + "\"");
    }
    return word;
}

std::string paintedWord(cairo_t* cr, const char* polish, double room) {
    std::string word = paintedWord(polish);
    const double width = textWidth(cr, word);
    if (width > room) {
        throw std::runtime_error("the painted word \"" + word + "\" is " +
                                 std::to_string(static_cast<int>(std::ceil(width))) +
                                 " pixels wide where its piece has room for " +
                                 std::to_string(static_cast<int>(room)));
    }
    return word;
}

} // namespace assetgen
