#include "support/frame_script.hpp"

#include <memory>
#include <stdexcept>
#include <string>

namespace support {

namespace {
constexpr int kGiveUpWaiting = 50000; // flips
} // namespace

FrameScript& FrameScript::mouseAt(int flip, int x, int y, int buttons) {
    return at(flip, [=] { standin::setMouse(x, y, buttons); });
}

FrameScript& FrameScript::at(int flip, std::function<void()> action) {
    phases_.back().steps.push_back({flip, std::move(action)});
    return *this;
}

FrameScript& FrameScript::from(std::function<bool()> state) {
    phases_.push_back({std::move(state), {}});
    return *this;
}

void FrameScript::install() {
    struct Run {
        std::vector<Phase> phases;
        std::vector<int> began; // the flip each phase began at; phases beyond have not
    };
    auto run = std::make_shared<Run>(Run{phases_, {standin::log().flips}});
    standin::setFrameDriver([run](int flips) {
        const std::size_t next = run->began.size();
        if (next < run->phases.size() && run->phases[next].state()) {
            run->began.push_back(flips);
        } else if (next < run->phases.size() && flips - run->began.back() > kGiveUpWaiting) {
            // A state that never holds would leave the screen running for ever.
            throw std::runtime_error("the state of script phase " + std::to_string(next) +
                                     " never held");
        }
        for (std::size_t p = 0; p < run->began.size(); ++p) {
            for (const Step& step : run->phases[p].steps) {
                if (flips - run->began[p] == step.flip) {
                    step.action();
                }
            }
        }
    });
}

} // namespace support
