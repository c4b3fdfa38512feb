#pragma once

#include <array>

// Texts of the game screens, spelled exactly as the player sees them (UTF-8; some
// lines end in a blank on purpose, as they were laid out).
namespace play {

inline constexpr int kMaxPlanetLines = 8;

// The text about the planet of a completed level. The heading is drawn twice, the
// second time one pixel to the right, which thickens it; `boldHeading` is the part
// that gets the second draw.
struct PlanetText {
    const char* heading;
    const char* boldHeading;
    int lineCount;
    std::array<const char*, kMaxPlanetLines> lines;
};

// Indexed by level 1..8; index 0 is empty.
inline constexpr std::array<PlanetText, 9> planetTexts{{
    {"", "", 0, {}},
    {"MERKURY - ",
     "MERKURY - ",
     8,
     {"najmniejsza i najbliższa Słońcu", "planeta Układu Słonecznego.",
      "Nie ma naturalnych satelitów.", "Pozbawiona jest atmosfery.",
      "Rok na Merkurym to tylko 88 dni.", "Temperatura od -210 do 420°C,",
      "jest najzimniejszą a zarazem", "najgorętszą planetą Układu Sł."}},
    {"WENUS - ",
     "WENUS - ",
     7,
     {"druga w odległości od Słońca", "planeta Układu Słonecznego.", "Zwana także Gwiazdą Poranną.",
      "Najjaśniejszy punkt na niebie", "po Słońcu i Księżycu.", "Nie ma naturalnego satelity.",
      "Gorąca planeta, ponad +450°C.", nullptr}},
    {"ZIEMIA - planeta ludzi",
     "ZIEMIA - ",
     7,
     {"trzecia w odległości od Słońca", "planeta Układu Słonecznego.",
      "Największa planeta skalista.", "Jedyna znana we wszechświecie,", "na której istnieje życie.",
      "Naturalny satelita to Księżyc.", "Temperatura od -60 do +60°C.", nullptr}},
    {"MARS - ",
     "MARS - ",
     7,
     {"czwarta wg oddalenia od Słońca", "planeta Układu Słonecznego.",
      "Zwana także Czerwoną Planetą.", "Mars ma dwa naturalne księżyce,", "Fobosa i Deimosa.",
      "Jest dużo mniejszy od Ziemi.", "Temperatura od -140 do +20°C.", nullptr}},
    {"JOWISZ - ",
     "JOWISZ - ",
     8,
     {"piąta wg oddalenia od Słońca", "planeta Układu Słonecznego.",
      "Największa ze wszystkich planet.", "Posiada więcej niż 67 księżyców.",
      "4 największe odkrył Galileusz.", "Jest to gazowy olbrzym.",
      "Główne składniki to wodór i hel.", "Jest stale pokryty chmurami."}},
    {"SATURN - ",
     "SATURN - ",
     8,
     {"szósta wg oddalenia od Słońca", "planeta Układu Słonecznego.",
      "Gazowy olbrzym drugi po Jowiszu.", "Ma charakterystyczne pierścienie",
      "z lodu i odłamków skalnych.", "Atmosfera składa się głównie", "z wodoru, helu i amoniaku.",
      "Znane są już 62 satelity Saturna."}},
    {"URAN - ",
     "URAN - ",
     8,
     {"siódma wg oddalenia od Słońca", "planeta Układu Słonecznego.",
      "Gazowy gigant trzeci po Jowiszu.", "Ma również system pierścieni",
      "z lodu i odłamków skalnych.", "Jest to najzimniejsza planeta", "Układu Słonecznego.",
      "Ma bardzo dużo satelitów."}},
    {"NEPTUN - ",
     "NEPTUN - ",
     8,
     {"ósma wg oddalenia od Słońca", "i najdalsza planeta Układu ", "Słonecznego. Wielki gazowy",
      "gigant - czwarty po Jowiszu.", "Skład podobny do Urana.", "Ma naturalne satelity.",
      "Jądro Neptuna to skały i lód,", "a otacza je amoniak i metan."}},
}};

// The final screen after the last planet; the score stands between two blanks on each side.
inline constexpr const char* kFinalTitle = "i to już wszystko";
inline constexpr const char* kFinalSubtitle = "poznałeś najdalsze zakątki Układu Słonecznego";
inline constexpr const char* kFinalScoreFormat = "w grze zdobyłeś  %d  punktów";

// The panel's label above the best score to beat.
inline constexpr const char* kRecordLabel = "rekord:";

// The plate over the board while the timed game is paused.
inline constexpr const char* kPauseWord = "P a u z a";

} // namespace play
