#pragma once

#include "app/assets.hpp"
#include "app/letterbox.hpp"
#include "support/allegro_standin.hpp"
#include "support/frame_script.hpp"

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Helpers for tests that run a screen or a text entry to its end through the stand-in.
namespace driver {

// A screen still running after this many flips is stuck: the script throws, so the test
// fails instead of hanging.
inline constexpr int kGiveUpFlips = 20000;

inline support::FrameScript& giveUpAfter(support::FrameScript& script) {
    return script.at(kGiveUpFlips, [] { throw std::runtime_error("the screen did not return"); });
}

// One key as the keyboard delivers it: key down, the character (with `repeats` more while
// it is held), key up.
struct Key {
    int unichar;
    int repeats = 0;
    int keycode = ALLEGRO_KEY_A;
};

inline Key enter() {
    return {13, 0, ALLEGRO_KEY_ENTER};
}
inline Key escape() {
    return {27, 0, ALLEGRO_KEY_ESCAPE};
}
inline Key backspace() {
    return {8, 0, ALLEGRO_KEY_BACKSPACE};
}

// Keys for every byte of an ASCII text.
inline std::vector<Key> typed(const std::string& text) {
    std::vector<Key> keys;
    for (const unsigned char c : text) {
        keys.push_back({c});
    }
    return keys;
}

inline std::vector<Key> operator+(std::vector<Key> a, const std::vector<Key>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::vector<Key> typedThenEnter(const std::string& text) {
    return typed(text) + std::vector<Key>{enter()};
}

inline void press(const std::vector<Key>& keys) {
    for (const Key& k : keys) {
        standin::pressKey(k.keycode, k.unichar, k.repeats);
    }
}

// Clicks at (x, y) after every other rest from now on: whatever screen comes to wait for
// a click there gets one made while it shows.
inline void keepClicking(int x, int y) {
    standin::setMouse(x, y, 0);
    standin::setRestDriver([x, y, down = false](double) mutable {
        down = !down;
        standin::setMouse(x, y, down ? 1 : 0);
    });
}

// A script whose steps count the frames of a screen's loop, for the screens that restore a
// region of the screen buffer at (sx, sy) onto the canvas after each frame's flip (the menu
// its items, the pages and the options their return button). That restore is first seen at
// the flip that ends loop frame 2; `loopFrame(n)` places a step at the flip that ends frame
// n, however long the fades before took. `start`, when given, receives the flip before
// the loop's first.
inline support::FrameScript inLoopOf(float sx, float sy, int* start = nullptr) {
    support::FrameScript script;
    script
        .from([sx, sy] {
            // The copy is made in the bitmaps' own pixels, from the region's first pixel.
            const double scale = app::pictureScale();
            const auto x = static_cast<float>(std::floor(sx * scale + 1e-4));
            const auto y = static_cast<float>(std::floor(sy * scale + 1e-4));
            for (const auto& d : standin::drawsOf(app::Assets.screen)) {
                if (d.sx == x && d.sy == y && !d.tinted && d.target == app::Assets.canvas) {
                    return true;
                }
            }
            return false;
        })
        .at(0, [start] {
            if (start != nullptr) {
                *start = standin::log().flips - 2;
            }
        });
    return script;
}
inline constexpr int loopFrame(int n) {
    return n - 2;
}

// True when `text` has been drawn and at least `flips` flips have passed since its
// latest draw.
inline bool shownFor(const std::string& text, int flips) {
    const auto draws = standin::textsWith(text);
    return !draws.empty() && standin::log().flips - draws.back().frame >= flips;
}

// Steps that run one after another, each at the first flip at which its condition holds;
// the condition is given the flips since the previous step ran.
class Steps {
  public:
    Steps& when(std::function<bool(int sinceLast)> ready, std::function<void()> action) {
        steps_.push_back({std::move(ready), std::move(action)});
        return *this;
    }
    Steps& after(int flips, std::function<void()> action) {
        return when([flips](int since) { return since >= flips; }, std::move(action));
    }
    Steps& whenShown(const std::string& text, int flips, std::function<void()> action) {
        return when([text, flips](int) { return shownFor(text, flips); }, std::move(action));
    }
    void install() const {
        const int start = standin::log().flips;
        standin::setFrameDriver(
            [steps = steps_, start, next = std::size_t{0}, last = start](int flips) mutable {
                if (flips - start > kGiveUpFlips) {
                    throw std::runtime_error("the screen did not return");
                }
                if (next < steps.size() && steps[next].ready(flips - last)) {
                    last = flips;
                    steps[next++].action();
                }
            });
    }

  private:
    struct Step {
        std::function<bool(int)> ready;
        std::function<void()> action;
    };
    std::vector<Step> steps_;
};

} // namespace driver
