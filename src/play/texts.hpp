#pragma once

#include "app/language.hpp"

#include <array>

// Texts of the game screens, spelled exactly as the player sees them (UTF-8; some
// lines end in a blank on purpose, as they were laid out).
namespace play {

inline constexpr int kMaxPlanetLines = 8;

// The text about the planet of a completed level. The heading's name, up to and with its
// " - ", is drawn twice, the second time one pixel to the right, which thickens it.
struct PlanetText {
    const char* heading;
    int lineCount;
    std::array<const char*, kMaxPlanetLines> lines;
};

// Indexed by level 1..8; index 0 is empty.
inline constexpr std::array<PlanetText, 9> planetTexts{{
    {"", 0, {}},
    {N_("MERKURY - "),
     8,
     {N_("najmniejsza i najbliższa Słońcu"), N_("planeta Układu Słonecznego."),
      N_("Nie ma naturalnych satelitów."), N_("Pozbawiona jest atmosfery."),
      N_("Rok na Merkurym to tylko 88 dni."), N_("Temperatura od -210 do 420°C,"),
      N_("jest najzimniejszą a zarazem"), N_("najgorętszą planetą Układu Sł.")}},
    {N_("WENUS - "),
     7,
     {N_("druga w odległości od Słońca"), N_("planeta Układu Słonecznego."),
      N_("Zwana także Gwiazdą Poranną."), N_("Najjaśniejszy punkt na niebie"),
      N_("po Słońcu i Księżycu."), N_("Nie ma naturalnego satelity."),
      N_("Gorąca planeta, ponad +450°C."), nullptr}},
    {N_("ZIEMIA - planeta ludzi"),
     7,
     {N_("trzecia w odległości od Słońca"), N_("planeta Układu Słonecznego."),
      N_("Największa planeta skalista."), N_("Jedyna znana we wszechświecie,"),
      N_("na której istnieje życie."), N_("Naturalny satelita to Księżyc."),
      N_("Temperatura od -60 do +60°C."), nullptr}},
    {N_("MARS - "),
     7,
     {N_("czwarta wg oddalenia od Słońca"), N_("planeta Układu Słonecznego."),
      N_("Zwana także Czerwoną Planetą."), N_("Mars ma dwa naturalne księżyce,"),
      N_("Fobosa i Deimosa."), N_("Jest dużo mniejszy od Ziemi."),
      N_("Temperatura od -140 do +20°C."), nullptr}},
    {N_("JOWISZ - "),
     8,
     {N_("piąta wg oddalenia od Słońca"), N_("planeta Układu Słonecznego."),
      N_("Największa ze wszystkich planet."), N_("Posiada więcej niż 67 księżyców."),
      N_("4 największe odkrył Galileusz."), N_("Jest to gazowy olbrzym."),
      N_("Główne składniki to wodór i hel."), N_("Jest stale pokryty chmurami.")}},
    {N_("SATURN - "),
     8,
     {N_("szósta wg oddalenia od Słońca"), N_("planeta Układu Słonecznego."),
      N_("Gazowy olbrzym drugi po Jowiszu."), N_("Ma charakterystyczne pierścienie"),
      N_("z lodu i odłamków skalnych."), N_("Atmosfera składa się głównie"),
      N_("z wodoru, helu i amoniaku."), N_("Znane są już 62 satelity Saturna.")}},
    {N_("URAN - "),
     8,
     {N_("siódma wg oddalenia od Słońca"), N_("planeta Układu Słonecznego."),
      N_("Gazowy gigant trzeci po Jowiszu."), N_("Ma również system pierścieni"),
      N_("z lodu i odłamków skalnych."), N_("Jest to najzimniejsza planeta"),
      N_("Układu Słonecznego."), N_("Ma bardzo dużo satelitów.")}},
    {N_("NEPTUN - "),
     8,
     {N_("ósma wg oddalenia od Słońca"), N_("i najdalsza planeta Układu "),
      N_("Słonecznego. Wielki gazowy"), N_("gigant - czwarty po Jowiszu."),
      N_("Skład podobny do Urana."), N_("Ma naturalne satelity."),
      N_("Jądro Neptuna to skały i lód,"), N_("a otacza je amoniak i metan.")}},
}};

// The final screen after the last planet; the score stands between two blanks on each side.
inline constexpr const char* kFinalTitle = N_("i to już wszystko");
inline constexpr const char* kFinalSubtitle = N_("poznałeś najdalsze zakątki Układu Słonecznego");
inline constexpr const char* kFinalScoreFormat = N_("w grze zdobyłeś  %d  punktów");

// The panel's label above the best score to beat.
inline constexpr const char* kRecordLabel = N_("rekord:");

// The plate over the board while the timed game is paused.
inline constexpr const char* kPauseWord = N_("P a u z a");

} // namespace play
