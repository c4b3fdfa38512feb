#pragma once

#include "support/allegro_standin.hpp"

#include <functional>
#include <vector>

namespace support {

// Input scripted by frame: at the flip numbered `flip` the mouse takes a new state or a
// callback runs. Flips count from when the script is installed, or, for the steps added
// after a `from`, from the first flip at which its state held: a test waits for what it
// checks (the menu composed again, a level's "Dalej") instead of adding up the flips of
// the screens before. The game sees a mouse change one or two polls later, as it would on
// the real machine.
class FrameScript {
  public:
    FrameScript& mouseAt(int flip, int x, int y, int buttons);
    FrameScript& at(int flip, std::function<void()> action);
    // The steps added after this call count from the first flip, after the previous
    // `from` began, at which `state` holds.
    FrameScript& from(std::function<bool()> state);
    // Installs the script as the stand-in's frame driver.
    void install();

  private:
    struct Step {
        int flip;
        std::function<void()> action;
    };
    struct Phase {
        std::function<bool()> state; // none for the first phase
        std::vector<Step> steps;
    };
    std::vector<Phase> phases_{Phase{}};
};

} // namespace support
