#pragma once

#include <array>

// Texts of the bonus table and the game information, spelled exactly as the player
// sees them (the dotted leaders and spaces are part of the texts).
namespace screens::texts {

struct PlacedText {
    int x;
    int y;
    bool rightAligned;
    bool heading; // drawn in the heading colour instead of the point rows' colour
    const char* text;
};

inline constexpr std::array<PlacedText, 15> kBonusRows{{
    {500, 110, true, false, ". . . . . . . . . . . . . . . . . . . . 10 pkt"},
    {500, 130, true, false, ". . . . . . . . . . . . . . . . . 20 pkt"},
    {500, 150, true, false, ". . . . . . . . . . . . . . . 50 pkt"},
    {500, 170, true, false, ". . . . . . . . . . . . . . . . . . . . 75 pkt"},
    {500, 190, true, false, ". . . . . . . . . . . . . . . . 150 pkt"},
    {500, 210, true, false, ". . . . . . . . . . . . . 300 pkt"},
    {560, 230, true, false, " . . . . . . . . . . . . . . 200 pkt + 2% wyniku"},
    {560, 250, true, false, " . . . . . . . . . . . 300 pkt + 3% wyniku"},
    {560, 270, true, false, " . . . . . . . . . 500 pkt + 5% wyniku"},
    {500, 306, true, false, ". . . .  za  każdą . . . 500 pkt"},
    {500, 342, true, true, ". . . . . . .gwiazdki pod diagramem:"},
    {230, 362, false, true, "za każdą po"},
    {500, 362, true, false, " . . . . . . . . . . . . . .1000 pkt"},
    {230, 420, false, true, "Przejście na wyższy poziom to zwiększenie"},
    {230, 440, false, true, "punktacji i bonusów, procentowe bez zmian."},
}};

inline constexpr std::array<const char*, 12> kRules{
    "Zasada gry jest bardzo prosta - należy zamienić sąsiednie pola tak,",
    "by powstał układ z co najmniej trzech jednakowych elementów.",
    "Inne układy skazane są na niepowodzenie.",
    "Utworzone układy znikają, a wyższe przesuwają się na ich miejsce.",
    "W zwolnionych polach losowo pojawiają się nowe elementy.",
    "Układy, które same się ułożą, znikają także. ",
    "Różne układy są różnie punktowane - opis w zakładce 'Bonusy'.",
    "Ukończenie poziomu to ułożenie ośmiu gwiazdek pod diagramem.",
    "Poziomów jest 8, różnią się punktacją i różnorodnością elementów.",
    "Są dwa rodzaje gry: 'Gra dla relaksu' i 'Gra na czas'.",
    "W każdej chwili można przerwać i zapisać stan gry.",
    "Koniec gry to: odkrycie wszystkich planet lub brak czasu.",
};

// The keys, below the rules.
inline constexpr std::array<const char*, 3> kKeys{
    "Klawiatura: strzałki - ramka na planszy, spacja/Enter - wybór pola,",
    "strzałka przy wybranym polu - zamiana, H - podpowiedź, M - menu,",
    "Z - zapis, P lub Esc - pauza; w menu strzałki, Enter i Esc.",
};

// Every picture and sound of this game is drawn and synthesised by our own generator, so
// the credits say so rather than crediting borrowed material.
inline constexpr std::array<const char*, 4> kCredits{
    "Gra powstała w języku C++ z użyciem biblioteki Allegro 5.",
    "Obrazki i dźwięki wygenerowane naszym własnym narzędziem.",
    "Autorzy: zespół ORBELIUM",
    "Rok powstania: 2026",
};

} // namespace screens::texts
