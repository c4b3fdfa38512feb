#include "app/assets.hpp"
#include "app/language.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

using app::Language;

TEST(Language, TheDesktopsFirstLanguageTheGameHasIsSpokenElsePolish) {
    const struct {
        const char* what;
        const char *language, *lcAll, *lcMessages, *lang;
        Language spoken;
    } cases[] = {
        {"nothing set", nullptr, nullptr, nullptr, nullptr, Language::Polish},
        {"an English desktop", nullptr, nullptr, nullptr, "en_US.UTF-8", Language::English},
        {"LANGUAGE's first entry the game has", "de:en_GB:pl", nullptr, nullptr, "pl_PL.UTF-8",
         Language::English},
        {"LANGUAGE before every locale", "pl", "en_GB.UTF-8", nullptr, nullptr, Language::Polish},
        {"an empty LANGUAGE and a C locale pass on to LANG", "", "C", nullptr, "en_GB.UTF-8",
         Language::English},
        {"LC_MESSAGES before LANG", nullptr, nullptr, "pl_PL@euro", "en_US.UTF-8",
         Language::Polish},
        {"C and POSIX are no language", nullptr, "POSIX", nullptr, "C", Language::Polish},
        {"languages the game does not have", "fr:de", nullptr, "es_ES", "english",
         Language::Polish},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(app::desktopLanguage(c.language, c.lcAll, c.lcMessages, c.lang), c.spoken);
    }
}

// The game chooses its language itself, so English must come through under the C locale
// and with no LANGUAGE, as on a system with no locales installed.
TEST(Language, EnglishIsSpokenUnderTheCLocaleAndSwitchesBothWaysAtOnce) {
    std::setlocale(LC_ALL, "C");
    unsetenv("LANGUAGE");
    app::startLanguage(ORBELIUM_TEST_CATALOGUE_DIR, Language::English);
    EXPECT_EQ(app::spokenLanguage(), Language::English);
    EXPECT_STREQ(_("Nowa gra"), "New game");
    EXPECT_STREQ(_(""), "") << "the empty text is not the catalogue's header";
    EXPECT_TRUE(app::speak(Language::Polish));
    EXPECT_STREQ(_("Nowa gra"), "Nowa gra");
    EXPECT_TRUE(app::speak(Language::English));
    EXPECT_STREQ(_("Nowa gra"), "New game") << "no text looked up before is kept";

    // Without its catalogue English is not spoken: the game stays whole, in Polish.
    app::startLanguage("/nonexistent/locale", Language::English);
    EXPECT_EQ(app::spokenLanguage(), Language::Polish);
    EXPECT_FALSE(app::speak(Language::English));
    EXPECT_STREQ(_("Nowa gra"), "Nowa gra");
    app::startLanguage(ORBELIUM_TEST_CATALOGUE_DIR, Language::Polish);
}

} // namespace
