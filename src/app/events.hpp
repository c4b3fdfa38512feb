#pragma once

// Everything the player does reaches the game through one queue: the window's events
// (close, resize, uncover, focus), the mouse's and the keyboard's. They are read in one
// place, takeEvents, as they arrive: the window's go to the window, the pointer and the
// presses to input, each press judged by what the screen that shows is doing then
// (app/press_rules.hpp). Nothing reads the mouse or the keyboard anywhere else.
namespace app {

// Opens the queue on the window, the mouse and the keyboard. Called at start-up once they
// are there.
void openEvents();

// No queue (game::resetProcessState).
void closeEvents();

// Reads every event waiting; returns whether there was any.
bool takeEvents();

// Sleeps until an event arrives or `seconds` have passed, then reads every event
// waiting; returns whether any came. Without a queue it only sleeps. Events read since
// the last look (by a poll, or drawing that took them mid-pass) end it at once: the
// screen's next pass must see them.
bool waitForEvents(double seconds);

// Marks what has arrived as seen (app::pollInput).
void eventsSeen();

} // namespace app
