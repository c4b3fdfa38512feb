#pragma once

#include <array>

// Texts of the application shell, spelled exactly as the player sees them.
namespace app {

inline constexpr int kMenuItems = 7;

inline constexpr std::array<const char*, kMenuItems> menuLabels{
    "Nowa gra",          "Dokończ grę", "Bonusy",        "Lista wyników",
    "Informacje o grze", "Opcje",       "Wyjście z gry",
};

// Indexed by the level just completed, 1..8; index 0 is unused.
inline constexpr std::array<const char*, 9> levelCaptions{
    "",
    "zaliczona planeta MERKURY",
    "zaliczona planeta WENUS",
    "zaliczona planeta ZIEMIA",
    "zaliczona planeta MARS",
    "zaliczona planeta JOWISZ",
    "zaliczona planeta SATURN",
    "zaliczona planeta URAN",
    "zaliczona ostatnia planeta ",
};

inline constexpr const char* kGameTitle = "ORBELIUM";

// Over a completed level; the next level is promised only before Neptune.
inline constexpr const char* kCongratulations = "Gratulacje";
inline constexpr const char* kNextLevel = "Następny poziom";

// Why the game could not start, written to stderr before the name of what failed.
namespace texts {
inline constexpr const char* kNoAllegro = "nie można uruchomić biblioteki Allegro";
inline constexpr const char* kNoKeyboard = "nie można obsłużyć klawiatury";
inline constexpr const char* kNoMouse = "nie można obsłużyć myszy";
inline constexpr const char* kNoWindow = "nie można otworzyć okna 800 × 600";
inline constexpr const char* kNoBuffers = "brak pamięci na bufory ekranu";
inline constexpr const char* kNoPicture = "nie można wczytać obrazka";
inline constexpr const char* kNoFont = "nie można wczytać czcionki";
inline constexpr const char* kNoSound = "nie można wczytać dźwięku";
inline constexpr const char* kNoPlayerFolder = "nie można utworzyć folderu gracza";

// orbelium --help; %s is the version.
inline constexpr const char* kUsage =
    "ORBELIUM %s: układanka z planetami Układu Słonecznego.\n"
    "Użycie: orbelium [--help] [--version]\n"
    "  --help     ten opis\n"
    "  --version  wersja gry\n"
    "Wyniki, opcje i zapisane gry leżą w ${XDG_DATA_HOME:-~/.local/share}/orbelium.\n";
} // namespace texts

} // namespace app
