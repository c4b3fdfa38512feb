#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "play/planet_screens.hpp"
#include "play_fixture.hpp"

#include <string>

namespace {

using board::GameState;

class PlanetScreens : public playtest::PlayTest {
  protected:
    // Texts drawn in `font`, top to bottom.
    static std::vector<standin::TextDraw> textsIn(const ALLEGRO_FONT* font) {
        std::vector<standin::TextDraw> out;
        for (const auto& t : standin::log().texts) {
            if (t.font == font) {
                out.push_back(t);
            }
        }
        return out;
    }
};

TEST_F(PlanetScreens, EachPlanetShowsItsHeadingAndLinesAsSpelled) {
    struct Planet {
        const char* heading;
        std::size_t lines;
        std::size_t index;
        const char* line; // with its trailing blank, if any
    };
    const Planet planets[] = {
        {"MERKURY - ", 8, 4, "Rok na Merkuym to tylko 88 dni"},
        {"WENUS - ", 7, 6, "Gorąca planeta, ponad +450°C"},
        {"ZIEMIA - planeta ludzi", 7, 6, "Temperatura od -60 od +60°C"},
        {"MARS - ", 7, 0, "czwarta w/g oddalenia od Słońca"},
        {"JOWISZ - ", 8, 7, "Jest stale pokryty chmurami"},
        {"SATURN - ", 8, 2, "Gazowy olbrzym drugi po Jowiszu "},
        {"URAN - ", 8, 7, "Ma bardzo dużo satelit"},
        {"NEPTUN - ", 8, 1, "i najdalsza planeta Układu "},
    };
    for (int level = 1; level <= 8; ++level) {
        const Planet& p = planets[level - 1];
        SCOPED_TRACE(p.heading);
        standin::log() = standin::Log{};
        play::planetInfo(level);
        auto heads = textsIn(app::Assets.font24);
        ASSERT_EQ(heads.size(), 2u) << "the heading and its thickening";
        EXPECT_EQ(heads[0].text, p.heading);
        auto body = textsIn(app::Assets.font20);
        ASSERT_EQ(body.size(), p.lines);
        EXPECT_EQ(body[p.index].text, p.line);
        EXPECT_EQ(body[p.index].y, 420 + 20 * static_cast<int>(p.index));
    }
    // Only the planet's name of Earth's heading is thickened.
    standin::log() = standin::Log{};
    play::planetInfo(3);
    EXPECT_EQ(textsIn(app::Assets.font24)[1].text, "ZIEMIA - ");
}

TEST_F(PlanetScreens, ALevelWithoutAPlanetDrawsNothing) {
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
        EXPECT_EQ(standin::textsWith("poznałeś najdalsze zakątki Układu Słonecznego").size(), 2u);
        EXPECT_EQ(standin::playsOf("sam/str_use_6.wav").size(), 1u);
        // 44 flips covering the game screen, then 200 zooming in the text layer.
        EXPECT_EQ(standin::log().flips, 44 + 200);
        EXPECT_EQ(standin::rgba(standin::drawsOf(app::Assets.scratch).back().tint).a, 199);
    }
}

} // namespace
