#include "support/autoplay.hpp"

#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>

TEST(AutoplayProbe, Runs) {
    for (int mode : {0, 1}) {
        for (unsigned seed : {1u, 2u}) {
            support::AutoplaySettings s;
            s.seed = seed;
            s.mode = mode; if (getenv("HINT")) s.choice = support::BotChoice::Hint;
            auto t0 = std::chrono::steady_clock::now();
            auto r = support::autoplay(s);
            double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::printf("mode %d seed %u: final %d timeUp %d name %d menu %d score %d levels %d stars %d flips %d frames %d drags %d refused %d fault '%s' %.2fs\n",
                        mode, seed, r.finalScreen, r.timeUp, r.nameEntered, r.backInMenu, r.score,
                        r.levelsCompleted, r.starsDropped, r.flips, r.loopFrames, r.drags, r.refused,
                        r.fault.c_str(), secs);
        }
    }
}
