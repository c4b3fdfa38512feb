#pragma once

// Every record the game keeps for the whole run, listed in one place:
//   app      Assets, InputState, Settings; and, inside their units, the lag of the
//            presents (pacing), the one queue (events), the hand on the mouse (input), the
//            keys waiting (keys), the moment (press_rules), the window's events and close
//            hook (window), the picture's place in the window (letterbox) and where the
//            assets are (launcher)
//   board    GameState
//   records  HighScoreList, newEntryIndex, listReadable
//   dialog   caretBlink, stripCentreY
//   saves    SaveIndex, currentSaveName
// (app::settingsFiles is not a record of the run: the root sets it once, before start-up.)
// A record added to the game belongs in this list and in resetProcessState.
namespace game {

// Puts every record back as the program starts with it, before start-up; the event
// queues are forgotten, not destroyed (whoever made them destroys them). The tests start
// each case from here.
void resetProcessState();

} // namespace game
