#pragma once

#include <allegro5/allegro.h>

// The 800 x 50 dialog strip (Assets.strip) that the name entry and the save and load
// dialogs compose and then unfold across the screen around a chosen row.
namespace dialog {

// The window row the strip unfolds around and folds back to; set by each dialog.
extern int stripCentreY;

// Unfolds the strip from its middle row outwards in 20 steps of 0.01 s, leaving the
// canvas as the drawing target.
void stripOpen();

// The strip as stripOpen leaves it, drawn at once (the picture composed again after a
// change of scale); the canvas is left the target.
void stripShowOpen();

// Folds the strip away in 12 steps of 0.03 s, copying the picture under it back from
// Assets.screen.
void stripClose();

// Tells the player, in the strip at the bottom of the screen, that something could not
// be done (a file that could not be written): the strip unfolds with `text`, stays
// 1.5 s and folds away again.
void stripNotice(const char* text);

} // namespace dialog
