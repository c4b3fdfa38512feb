#pragma once

#include <array>

// Texts of the save and load dialogs, spelled exactly as the player sees them.
namespace saves::texts {

inline constexpr const char* kStoreQuestion = "Czy zapisać stan gry?";
inline constexpr const char* kStoredUnderOldName = "Gra zapisana pod starą nazwą";
inline constexpr const char* kNewPasswordPrompt = "Wpisz i zapamiętaj hasło dostępu:";
// Shown when a game could not be stored under the typed password (a folder of that
// name, a read-only folder, a full disk); the player then types another one or gives up.
inline constexpr const char* kStoreFailed = "Nie udało się zapisać gry pod tym hasłem";
inline constexpr const char* kOtherPasswordPrompt = "Wpisz inne hasło (Esc - bez zapisu):";

inline constexpr const char* kNoStoredGames = "Nie ma żadnych zapisanych gier";
inline constexpr const char* kPasswordPrompt = "Podaj hasło:";
inline constexpr const char* kWrongPassword = "Niepoprawne hasło";

inline constexpr const char* kCaret = "_";

// The save question's developer read-out: hover, pointer x and y, selected cell, line kind.
inline constexpr std::array<const char*, 5> kReadoutFormats{" mz %d ", " mx %d ", " my %d ",
                                                            " zz  %d ", " k %d "};

} // namespace saves::texts
