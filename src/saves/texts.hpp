#pragma once

#include "app/language.hpp"

#include <array>

// Texts of the save and load dialogs, spelled exactly as the player sees them.
namespace saves::texts {

inline constexpr const char* kStoreQuestion = N_("Czy zapisać stan gry?");
inline constexpr const char* kStoredUnderOldName = N_("Gra zapisana pod starą nazwą");
inline constexpr const char* kNewPasswordPrompt = N_("Wpisz i zapamiętaj hasło dostępu:");
// Shown when a game could not be stored under the typed password (a folder of that
// name, a read-only folder, a full disk); the player then types another one or gives up.
inline constexpr const char* kStoreFailed = N_("Nie udało się zapisać gry pod tym hasłem");
inline constexpr const char* kOtherPasswordPrompt = N_("Wpisz inne hasło (Esc - bez zapisu):");

inline constexpr const char* kNoStoredGames = N_("Nie ma żadnych zapisanych gier");
inline constexpr const char* kPasswordPrompt = N_("Podaj hasło:");
inline constexpr const char* kWrongPassword = N_("Niepoprawne hasło");

inline constexpr const char* kCaret = "_";

// The save question's developer read-out: hover, pointer x and y, selected cell, line kind.
inline constexpr std::array<const char*, 5> kReadoutFormats{" mz %d ", " mx %d ", " my %d ",
                                                            " zz  %d ", " k %d "};

} // namespace saves::texts
