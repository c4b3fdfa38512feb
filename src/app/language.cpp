#include "app/language.hpp"

#include "app/launcher.hpp"

#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>

namespace app {

namespace {
constexpr const char* kDomain = "orbelium";
// Any locale but C and POSIX lets LANGUAGE choose the catalogue; C.UTF-8 is part of the
// C library itself, so it is there even where no other locale is installed.
constexpr const char* kNeutralLocales[] = {"C.UTF-8", "C.utf8"};

std::string boundFolder;
Language spoken = Language::Polish;

bool hasCatalogue(Language language) {
    if (language == Language::Polish) {
        return true;
    }
    const std::string file =
        boundFolder + "/" + languageCode(language) + "/LC_MESSAGES/" + kDomain + ".mo";
    struct stat st {};
    return stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isPlainC(const char* locale) {
    return locale == nullptr || std::string_view(locale) == "C" ||
           std::string_view(locale) == "POSIX";
}

// Makes the messages' locale one that lets LANGUAGE speak; setting it again also tells
// gettext to forget the texts it looked up before.
bool letLanguageSpeak() {
    for (const char* locale : kNeutralLocales) {
        if (std::setlocale(LC_MESSAGES, locale) != nullptr) {
            return true;
        }
    }
    return !isPlainC(std::setlocale(LC_MESSAGES, ""));
}
} // namespace

const char* translate(const char* polish) {
    if (spoken == Language::Polish || polish == nullptr || *polish == '\0') {
        return polish;
    }
    return dgettext(kDomain, polish);
}

const char* languageCode(Language language) {
    return language == Language::English ? "en" : "pl";
}

std::optional<Language> languageOfLocale(std::string_view name) {
    const std::string_view code = name.substr(0, name.find_first_of("_.@"));
    if (code == "pl") {
        return Language::Polish;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

Language desktopLanguage(const char* language, const char* lcAll, const char* lcMessages,
                         const char* lang) {
    if (language != nullptr) {
        std::string_view entries = language;
        while (!entries.empty()) {
            const std::size_t colon = entries.find(':');
            if (const auto found = languageOfLocale(entries.substr(0, colon))) {
                return *found;
            }
            entries =
                colon == std::string_view::npos ? std::string_view() : entries.substr(colon + 1);
        }
    }
    for (const char* locale : {lcAll, lcMessages, lang}) {
        if (locale != nullptr) {
            if (const auto found = languageOfLocale(locale)) {
                return *found;
            }
        }
    }
    return Language::Polish;
}

Language desktopLanguage() {
    return desktopLanguage(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                           std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string catalogueFolder() {
    const std::string installed = installedAssetFolder(executablePath());
    if (!installed.empty()) {
        return installed + "../locale";
    }
    char here[4096];
    return getcwd(here, sizeof here) != nullptr ? std::string(here) + "/locale" : "locale";
}

void startLanguage(const std::string& folder, Language language) {
    boundFolder = folder;
    bindtextdomain(kDomain, folder.c_str());
    // The catalogues are UTF-8 and so is every text Allegro draws, whatever the locale.
    bind_textdomain_codeset(kDomain, "UTF-8");
    spoken = Language::Polish;
    speak(language);
}

bool speak(Language language) {
    if (!hasCatalogue(language)) {
        return false;
    }
    if (language != Language::Polish) {
        setenv("LANGUAGE", languageCode(language), 1);
        if (!letLanguageSpeak()) {
            return false;
        }
    }
    spoken = language;
    return true;
}

Language spokenLanguage() {
    return spoken;
}

} // namespace app
