#pragma once

namespace app {

// Runs the screen behind main-menu item 1..6 as a nested call. A screen started from
// the menu recomposes the menu and fades it in before it returns.
void runMenuItem(int item);

} // namespace app
