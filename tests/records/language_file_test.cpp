#include "app/language.hpp"
#include "app/settings.hpp"
#include "game/settings_files.hpp"
#include "records/fixture.hpp"
#include "records/options.hpp"

#include <cstdlib>
#include <optional>

namespace {

using app::Language;
using app::Settings;

namespace fs = std::filesystem;

// The language file against catalogues in the scratch folder: Polish needs none, and an
// English one is there, so that both can be spoken.
class LanguageFile : public fixture::Screen {
  protected:
    void SetUp() override {
        fixture::Screen::SetUp();
        if (const char* language = std::getenv("LANGUAGE")) {
            savedLanguage_ = language;
        }
        fs::create_directories(folder.path() / "locale/en/LC_MESSAGES");
        folder.write("locale/en/LC_MESSAGES/orbelium.mo", "");
        app::startLanguage((folder.path() / "locale").string(), Language::Polish);
    }
    void TearDown() override {
        app::startLanguage((folder.path() / "locale").string(), Language::Polish);
        if (savedLanguage_) {
            setenv("LANGUAGE", savedLanguage_->c_str(), 1);
        } else {
            unsetenv("LANGUAGE");
        }
    }

  private:
    std::optional<std::string> savedLanguage_;
};

// Read before the window opens, on the hook that reads the full-screen choice.
TEST_F(LanguageFile, OnlyAKnownCodeIsSpokenAndAnythingElseLeavesTheDesktopsLanguage) {
    const std::pair<const char*, std::optional<Language>> cases[] = {
        {"en\n", Language::English}, {" en\r\n\n", Language::English},
        {"pl\n", Language::Polish},  {"", std::nullopt},
        {"e", std::nullopt},         {"de\n", std::nullopt},
        {"en pl\n", std::nullopt},   {"EN\n", std::nullopt},
        {"\xff\x01", std::nullopt},
    };
    for (const auto& [text, stored] : cases) {
        SCOPED_TRACE(text);
        app::speak(Language::English); // as a desktop in English starts the game
        folder.write("jezyk.txt", text);
        app::settingsFiles.readScreenChoice();
        EXPECT_EQ(Settings.storedLanguage, stored);
        EXPECT_EQ(app::spokenLanguage(), stored.value_or(Language::English));
    }
}

// The choice is stored; a link under the file's name is refused when read, so never
// replaced, while the choice made meanwhile holds for the run.
TEST_F(LanguageFile, TheChoiceIsStoredButALinkUnderItsNameIsKept) {
    ASSERT_TRUE(app::speak(Language::English));
    EXPECT_TRUE(records::writeLanguageFile());
    app::speak(Language::Polish);
    records::readLanguageFile();
    EXPECT_EQ(app::spokenLanguage(), Language::English);

    fs::rename(folder.path() / "jezyk.txt", folder.path() / "decoy");
    fs::create_symlink(folder.path() / "decoy", folder.path() / "jezyk.txt");
    app::speak(Language::Polish);
    records::readLanguageFile();
    EXPECT_EQ(app::spokenLanguage(), Language::Polish);
    ASSERT_TRUE(app::speak(Language::English));
    EXPECT_FALSE(records::writeLanguageFile());
    EXPECT_EQ(Settings.storedLanguage, Language::English);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "jezyk.txt"));
    EXPECT_EQ(folder.read("decoy"), "en\n");
}

} // namespace
