#pragma once

#include "app/language.hpp"

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
    {500, 110, true, false, N_(". . . . . . . . . . . . . . . . . . . . 10 pkt")},
    {500, 130, true, false, N_(". . . . . . . . . . . . . . . . . 20 pkt")},
    {500, 150, true, false, N_(". . . . . . . . . . . . . . . 50 pkt")},
    {500, 170, true, false, N_(". . . . . . . . . . . . . . . . . . . . 75 pkt")},
    {500, 190, true, false, N_(". . . . . . . . . . . . . . . . 150 pkt")},
    {500, 210, true, false, N_(". . . . . . . . . . . . . 300 pkt")},
    {560, 230, true, false, N_(" . . . . . . . . . . . . . . 200 pkt + 2% wyniku")},
    {560, 250, true, false, N_(" . . . . . . . . . . . 300 pkt + 3% wyniku")},
    {560, 270, true, false, N_(" . . . . . . . . . 500 pkt + 5% wyniku")},
    {500, 306, true, false, N_(". . . .  za  każdą . . . 500 pkt")},
    {500, 342, true, true, N_(". . . . . . .gwiazdki pod diagramem:")},
    {230, 362, false, true, N_("za każdą po")},
    {500, 362, true, false, N_(" . . . . . . . . . . . . . .1000 pkt")},
    {230, 420, false, true, N_("Przejście na wyższy poziom to zwiększenie")},
    {230, 440, false, true, N_("punktacji i bonusów, procentowe bez zmian.")},
}};

inline constexpr std::array<const char*, 12> kRules{
    N_("Zasada gry jest bardzo prosta - należy zamienić sąsiednie pola tak,"),
    N_("by powstał układ z co najmniej trzech jednakowych elementów."),
    N_("Inne układy skazane są na niepowodzenie."),
    N_("Utworzone układy znikają, a wyższe przesuwają się na ich miejsce."),
    N_("W zwolnionych polach losowo pojawiają się nowe elementy."),
    N_("Układy, które same się ułożą, znikają także. "),
    N_("Różne układy są różnie punktowane - opis w zakładce 'Bonusy'."),
    N_("Ukończenie poziomu to ułożenie ośmiu gwiazdek pod diagramem."),
    N_("Poziomów jest 8, różnią się punktacją i różnorodnością elementów."),
    N_("Są dwa rodzaje gry: 'Gra dla relaksu' i 'Gra na czas'."),
    N_("W każdej chwili można przerwać i zapisać stan gry."),
    N_("Koniec gry to: odkrycie wszystkich planet lub brak czasu."),
};

// The keys, below the rules.
inline constexpr std::array<const char*, 3> kKeys{
    N_("Klawiatura: strzałki - ramka na planszy, spacja/Enter - wybór pola,"),
    N_("strzałka przy wybranym polu - zamiana, H - podpowiedź, M - menu,"),
    N_("Z - zapis, P lub Esc - pauza; w menu strzałki, Enter i Esc."),
};

// Every picture and sound of this game is drawn and synthesised by our own generator, so
// the credits say so rather than crediting borrowed material.
inline constexpr std::array<const char*, 4> kCredits{
    N_("Gra powstała w języku C++ z użyciem biblioteki Allegro 5."),
    N_("Obrazki i dźwięki wygenerowane naszym własnym narzędziem."),
    N_("Autorzy: zespół ORBELIUM"),
    N_("Rok powstania: 2026"),
};

} // namespace screens::texts
