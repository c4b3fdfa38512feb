#pragma once

// Texts of the lists of best results, the name entry and the options, spelled exactly
// as the player sees them.
namespace records::texts {

inline constexpr const char* kNamePrompt = "Wpisz swoje imię:";
inline constexpr const char* kCaret = "_";

inline constexpr const char* kRelaxedTitle = "gra dla relaksu";
inline constexpr const char* kTimedTitle = "gra na czas";
// The headings carry their own spaces to line up with the columns.
inline constexpr const char* kPlaceAndNameHeading = "L           Gracz ";
inline constexpr const char* kLevelAndScoreHeading = "Poziom            Wynik";

inline constexpr const char* kMusicVolume = "Głośność muzyki";
inline constexpr const char* kEffectsVolume = "Głośność efektów";
inline constexpr const char* kDeleteList = "Kasowanie listy wyników";
inline constexpr const char* kRelaxedListDeleted = "Lista wyników gry dla relaksu - skasowana";
inline constexpr const char* kTimedListDeleted = "Lista wyników gry na czas - skasowana";
// Shown for a moment when a file could not be written (a full disk, a read-only folder,
// a list that could not be read and so is kept as it was); the game then goes on.
inline constexpr const char* kResultNotStored = "Nie udało się zapisać wyniku";
inline constexpr const char* kOptionsNotStored = "Nie udało się zapisać ustawień";
inline constexpr const char* kFullScreen = "Pełny ekran";
inline constexpr const char* kFullScreenOn = "włączony";
inline constexpr const char* kFullScreenOff = "wyłączony";
inline constexpr const char* kRelaxedMode = "Gra dla relaksu";
inline constexpr const char* kTimedMode = "Gra na czas";

} // namespace records::texts
