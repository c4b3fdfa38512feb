#pragma once

namespace records {

// Shows the list of best results of the current mode until its return button is
// clicked; after a recorded game it highlights the new row and stores the list again.
void listScreen();

} // namespace records
