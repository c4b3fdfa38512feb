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

} // namespace app
