#pragma once

// Every record the game keeps for the whole run, listed in one place:
//   app      Assets, InputState, mouseState, Settings; and, inside their units, the lag
//            of the presents (pacing), the window's events, queues and close hook
//            (window, input, waiting), the picture's place in the window (letterbox) and
//            where the assets are (launcher)
//   board    GameState
//   records  HighScoreList, newEntryIndex, listReadable, caretBlink, stripCentreY
//   saves    SaveIndex, currentSaveName
// A record added to the game belongs in this list and in resetProcessState.
namespace game {

// Puts every record back as the program starts with it, before start-up; the event
// queues are forgotten, not destroyed (whoever made them destroys them). The tests start
// each case from here.
void resetProcessState();

} // namespace game
