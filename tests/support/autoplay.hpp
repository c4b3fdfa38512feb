#pragma once

#include "board/game_state.hpp"

#include <functional>
#include <set>
#include <string>

// A player that never tires: plays whole games headless through the link seam, with the
// mouse and the keyboard only. It drags moves on the board, presses "Dalej" after each
// planet, types its name into the list of results and leaves the list and the main menu,
// checking the board's invariants after every flip.
namespace support {

enum class BotChoice {
    Stars, // the move that brings a needed star furthest down; ties drawn by the bot's seed
    Hint,  // the move the hint button would show: too slow to beat the clock
};

struct AutoplaySettings {
    unsigned seed = 1; // for std::srand before the game, and for the bot's own draws
    int mode = board::GameMode::Relaxed;
    BotChoice choice = BotChoice::Stars;
    // From the main menu ("Nowa gra", then "Wyjście z gry" once back), or the game loop alone.
    bool throughMenu = true;
    // The keyboard alone after the start: the menu's arrows and Enter, the board's cursor,
    // Space and an arrow for each move, Enter for "Dalej" and the list.
    bool keysOnly = false;
    std::string name = "Automat";
    // The code stored in "jezyk.txt" ("en"), or none: the game speaks Polish.
    std::string language;
    // Called after every flip before the bot looks; tests break the board with it.
    std::function<void(int flips)> eachFlip;
};

struct AutoplayResult {
    bool finalScreen = false; // the final screen after Neptune was shown
    bool timeUp = false;      // the clock ran out
    bool nameEntered = false; // the name entry asked and the name was typed
    bool backInMenu = false;  // the main menu came back after the game
    int score = 0;            // as the game ended: on the final screen or at the time-out
    int levelsCompleted = 0;  // "Dalej" pressed
    int starsDropped = 0;
    int flips = 0;                    // every flip from the start of the run to its end
    int loopFrames = 0;               // frames of the game loop
    std::set<std::string> textsDrawn; // every text drawn, once each
    int refused = 0;                  // drags after which the board stood as before
    int noMoveSeen = 0; // frames in which the bot found nothing to drag (for Hint: a hint
                        // that is no move, as after a reshuffle, until the next search)
    std::string fault;  // the first broken invariant or the reason the game was stopped
};

// Starts the game headless in a scratch folder (its settings file sets the mode), seeds
// the generator and plays one game to its end. Any earlier state of the world is lost.
AutoplayResult autoplay(const AutoplaySettings& settings);

} // namespace support
