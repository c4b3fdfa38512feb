#include "support/frame_script.hpp"

#include <memory>

namespace support {

FrameScript& FrameScript::mouseAt(int flip, int x, int y, int buttons) {
    return at(flip, [=] { standin::setMouse(x, y, buttons); });
}

FrameScript& FrameScript::at(int flip, std::function<void()> action) {
    actions_.emplace(flip, std::move(action));
    return *this;
}

void FrameScript::install() {
    auto actions = std::make_shared<std::multimap<int, std::function<void()>>>(actions_);
    const int start = standin::log().flips;
    standin::setFrameDriver([actions, start](int flips) {
        auto range = actions->equal_range(flips - start);
        for (auto it = range.first; it != range.second; ++it) {
            it->second();
        }
    });
}

} // namespace support
