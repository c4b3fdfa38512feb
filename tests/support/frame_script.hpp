#pragma once

#include "support/allegro_standin.hpp"

#include <functional>
#include <map>

namespace support {

// Input scripted by frame: at the flip numbered `flip` (counted from when the script
// is installed) the mouse takes a new state or a callback runs. The game sees a mouse
// change one or two polls later, as it would on the real machine.
class FrameScript {
  public:
    FrameScript& mouseAt(int flip, int x, int y, int buttons);
    FrameScript& at(int flip, std::function<void()> action);
    // Installs the script as the stand-in's frame driver.
    void install();

  private:
    std::multimap<int, std::function<void()>> actions_;
};

} // namespace support
