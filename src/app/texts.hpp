#pragma once

#include "app/language.hpp"

#include <array>

// Texts of the application shell, spelled exactly as the player sees them.
namespace app {

inline constexpr int kMenuItems = 7;

inline constexpr std::array<const char*, kMenuItems> menuLabels{
    N_("Nowa gra"),          N_("Dokończ grę"), N_("Bonusy"),        N_("Lista wyników"),
    N_("Informacje o grze"), N_("Opcje"),       N_("Wyjście z gry"),
};

// Indexed by the level just completed, 1..8; index 0 is unused.
inline constexpr std::array<const char*, 9> levelCaptions{
    "",
    N_("zaliczona planeta MERKURY"),
    N_("zaliczona planeta WENUS"),
    N_("zaliczona planeta ZIEMIA"),
    N_("zaliczona planeta MARS"),
    N_("zaliczona planeta JOWISZ"),
    N_("zaliczona planeta SATURN"),
    N_("zaliczona planeta URAN"),
    N_("zaliczona ostatnia planeta "),
};

inline constexpr const char* kGameTitle = "ORBELIUM";

// Over a completed level; the next level is promised only before Neptune.
inline constexpr const char* kCongratulations = N_("Gratulacje");
inline constexpr const char* kNextLevel = N_("Następny poziom");
// The next level's sentence goes on below it: "to punkty i bonusy", "x <its multiplier>".
inline constexpr const char* kPointsAndBonuses = N_("to punkty i bonusy");
// TRANSLATORS: the next level's multiplier of points and bonuses.
inline constexpr const char* kMultiplierFormat = N_("x %d");

// Why the game could not start, written to stderr before the name of what failed.
namespace texts {
inline constexpr const char* kNoAllegro = N_("nie można uruchomić biblioteki Allegro");
inline constexpr const char* kNoKeyboard = N_("nie można obsłużyć klawiatury");
inline constexpr const char* kNoMouse = N_("nie można obsłużyć myszy");
inline constexpr const char* kNoWindow = N_("nie można otworzyć okna 800 × 600");
inline constexpr const char* kNoBuffers = N_("brak pamięci na bufory ekranu");
inline constexpr const char* kNoPicture = N_("nie można wczytać obrazka");
inline constexpr const char* kNoFont = N_("nie można wczytać czcionki");
inline constexpr const char* kNoSound = N_("nie można wczytać dźwięku");
inline constexpr const char* kNoPlayerFolder = N_("nie można utworzyć folderu gracza");

// orbelium --help; %s is the version.
inline constexpr const char* kUsage =
    N_("ORBELIUM %s: układanka z planetami Układu Słonecznego.\n"
       "Użycie: orbelium [--help] [--version]\n"
       "  --help     ten opis\n"
       "  --version  wersja gry\n"
       "Wyniki, opcje i zapisane gry leżą w ${XDG_DATA_HOME:-~/.local/share}/orbelium.\n");
} // namespace texts

} // namespace app
