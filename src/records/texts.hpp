#pragma once

#include "app/language.hpp"

// Texts of the lists of best results, the name entry and the options, spelled exactly
// as the player sees them.
namespace records::texts {

inline constexpr const char* kNamePrompt = N_("Wpisz swoje imię:");
inline constexpr const char* kCaret = "_";

inline constexpr const char* kRelaxedTitle = N_("gra dla relaksu");
inline constexpr const char* kTimedTitle = N_("gra na czas");
// The headings carry their own spaces to line up with the columns.
inline constexpr const char* kPlaceAndNameHeading = N_("L           Gracz ");
inline constexpr const char* kLevelAndScoreHeading = N_("Poziom            Wynik");

inline constexpr const char* kMusicVolume = N_("Głośność muzyki");
inline constexpr const char* kEffectsVolume = N_("Głośność efektów");
inline constexpr const char* kDeleteList = N_("Kasowanie listy wyników");
inline constexpr const char* kRelaxedListDeleted = N_("Lista wyników gry dla relaksu - skasowana");
inline constexpr const char* kTimedListDeleted = N_("Lista wyników gry na czas - skasowana");
// Shown for a moment when a file could not be written (a full disk, a read-only folder,
// a list that could not be read and so is kept as it was); the game then goes on.
inline constexpr const char* kResultNotStored = N_("Nie udało się zapisać wyniku");
inline constexpr const char* kOptionsNotStored = N_("Nie udało się zapisać ustawień");
inline constexpr const char* kFullScreen = N_("Pełny ekran");
inline constexpr const char* kFullScreenOn = N_("włączony");
inline constexpr const char* kFullScreenOff = N_("wyłączony");
inline constexpr const char* kRelaxedMode = N_("Gra dla relaksu");
inline constexpr const char* kTimedMode = N_("Gra na czas");
// The language row reads the same in every language, so that a player who does not read
// the one spoken still finds it, and names each language in itself.
inline constexpr const char* kLanguage = "Język / Language";
inline constexpr const char* kPolish = "polski";
inline constexpr const char* kEnglish = "English";

} // namespace records::texts
