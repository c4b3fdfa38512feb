#pragma once

#include <optional>
#include <string>
#include <string_view>

// The language the game speaks. Every text is written in Polish in the code, which is
// also the key it is looked up by in the message catalogue (GNU gettext, domain
// "orbelium"); the catalogue of another language gives that language's text, and a text
// it lacks stays Polish. Polish needs no catalogue at all.
namespace app {

enum class Language { Polish, English };

// Looks `polish` up in the catalogue of the language spoken; "" stays "" (the catalogue
// would give its own header for it).
const char* translate(const char* polish);

// Marks a text drawn by the code: looked up where it is drawn.
#define _(text) ::app::translate(text)
// Marks a text kept in a table: extracted into the catalogue, looked up when drawn.
#define N_(text) text

// "pl" or "en": the language's code as the desktop's settings and the catalogue name it.
const char* languageCode(Language language);

// The language whose code begins a locale name or a LANGUAGE entry ("en", "en_GB.UTF-8",
// "pl_PL@euro"); nothing for a language the game does not have, "C" or "POSIX".
std::optional<Language> languageOfLocale(std::string_view name);

// The desktop's language: the first the game has among LANGUAGE's entries (separated by
// ':'), then LC_ALL, LC_MESSAGES and LANG, in that order; Polish when none is. Unset
// variables are null.
Language desktopLanguage(const char* language, const char* lcAll, const char* lcMessages,
                         const char* lang);
// The same, read from the environment.
Language desktopLanguage();

// Where the catalogues lie (<folder>/<code>/LC_MESSAGES/orbelium.mo): "share/locale"
// beside the installed game's assets, or "locale" in the working directory.
std::string catalogueFolder();

// Binds the game's catalogues in `folder` and speaks `language` from now on. Works under
// any locale the process runs with (C and POSIX too), as the game chooses its language
// itself. A language whose catalogue is not there is not spoken: the game stays Polish.
void startLanguage(const std::string& folder, Language language);

// Speaks `language` from the next looked-up text on; false (and nothing changes) when its
// catalogue is missing.
bool speak(Language language);

Language spokenLanguage();

} // namespace app
