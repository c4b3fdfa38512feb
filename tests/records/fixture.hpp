#pragma once

#include "app/assets.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

// What the tests of the result lists, the options and the stored games share.
namespace fixture {

// Keys for these character codes, 8, 13 and 27 as Backspace, Enter and Escape deliver them.
inline std::vector<driver::Key> keys(std::initializer_list<int> codes) {
    std::vector<driver::Key> out;
    for (int c : codes) {
        out.push_back(c == 8    ? driver::backspace()
                      : c == 13 ? driver::enter()
                      : c == 27 ? driver::escape()
                                : driver::Key{c});
    }
    return out;
}

// `text` `n` times over.
inline std::string repeat(const std::string& text, int n) {
    std::string out;
    while (n-- > 0) {
        out += text;
    }
    return out;
}

// Steps that put the mouse at (x, y) with `buttons` held, or press `keys`.
inline std::function<void()> mouse(int x, int y, int buttons) {
    return [=] { standin::setMouse(x, y, buttons); };
}
inline std::function<void()> typing(const std::vector<driver::Key>& keys) {
    return [keys] { driver::press(keys); };
}

// Holds the left button at (x, y) for `seconds` of the virtual clock, releasing it whether
// the game is between frames or waiting for the release.
inline void pressFor(int x, int y, double seconds) {
    standin::setMouse(x, y, 1);
    const double until = standin::log().clock + seconds;
    standin::setRestDriver([=](double clock) {
        if (clock >= until) {
            standin::setMouse(x, y, 0);
            standin::setRestDriver(nullptr);
        }
    });
}

// Entries of the scratch folder: a temporary file left behind shows up here.
inline auto fileCount(const support::ScratchFolder& folder) {
    return std::distance(std::filesystem::directory_iterator(folder.path()), {});
}

// A non-empty folder where the game will want to write the file `name`.
inline void blockWithFolder(const support::ScratchFolder& folder, const std::string& name) {
    std::filesystem::create_directory(folder.path() / name);
    folder.write(name + "/keep", "x");
}

// Texts drawn at (x, y) in order, such as a field's content pass by pass.
inline std::vector<std::string> textsAt(float x, float y) {
    std::vector<std::string> out;
    for (const auto& t : standin::log().texts) {
        if (t.x == x && t.y == y) {
            out.push_back(t.text);
        }
    }
    return out;
}

// Draws of `text` straight onto the picture the player sees (the canvas).
inline std::vector<standin::TextDraw> onDisplay(const std::string& text) {
    std::vector<standin::TextDraw> out;
    for (const auto& t : standin::textsWith(text)) {
        if (t.target == app::Assets.canvas) {
            out.push_back(t);
        }
    }
    return out;
}

// A screen run after a real start-up against the stand-in, in a scratch folder.
class Screen : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        standin::log() = standin::Log{};
    }
    support::ScratchFolder folder;
};

} // namespace fixture
