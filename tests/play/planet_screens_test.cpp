#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "play/planet_screens.hpp"
#include "play_fixture.hpp"

#include <string>

namespace {

using board::GameState;

class PlanetScreens : public playtest::PlayTest {
  protected:
    static std::size_t textsIn(const ALLEGRO_FONT* font) {
        std::size_t n = 0;
        for (const auto& t : standin::log().texts) {
            n += t.font == font;
        }
        return n;
    }
};

TEST_F(PlanetScreens, EachLevelShowsItsPlanetInOrderAndAnyOtherLevelNothing) {
    const char* const planets[] = {"MERKURY", "WENUS",  "ZIEMIA", "MARS",
                                   "JOWISZ",  "SATURN", "URAN",   "NEPTUN"};
    for (int level = 1; level <= 8; ++level) {
        SCOPED_TRACE(level);
        standin::log() = standin::Log{};
        play::planetInfo(level);
        ASSERT_EQ(textsIn(app::Assets.font24), 2u) << "the heading and its thickening";
        EXPECT_EQ(standin::log().texts[0].text.rfind(planets[level - 1], 0), 0u);
        EXPECT_GE(textsIn(app::Assets.font20), 7u) << "the lines about the planet";
        EXPECT_LE(textsIn(app::Assets.font20), 8u);
    }
    standin::log() = standin::Log{};
    for (int level : {-1, 0, 9, 1000}) {
        play::planetInfo(level);
    }
    EXPECT_TRUE(standin::log().texts.empty());
}

TEST_F(PlanetScreens, TheFinalScreenShowsTheScoreAndZoomsInWithItsSound) {
    for (int score : {48250, 0}) {
        SCOPED_TRACE(score);
        standin::log() = standin::Log{};
        GameState.score = score;
        play::finalScreen();
        const auto line = "w grze zdobyłeś  " + std::to_string(score) + "  punktów";
        EXPECT_EQ(standin::textsWith(line).size(), 2u) << "shadow and light";
        EXPECT_EQ(standin::textsWith("i to już wszystko").size(), 2u);
        EXPECT_EQ(standin::playsOf("sam/str_use_6.wav").size(), 1u);
        // 44 flips covering the game screen, then 200 zooming in the text layer.
        EXPECT_EQ(standin::log().flips, 44 + 200);
    }
}

} // namespace
