#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "play/planet_screens.hpp"
#include "play_fixture.hpp"

#include <string>

namespace {

using board::GameState;

class PlanetScreens : public playtest::PlayTest {
  protected:
    // Texts drawn in the body font, top to bottom.
    static std::vector<standin::TextDraw> bodyLines() {
        std::vector<standin::TextDraw> out;
        for (const auto& t : standin::log().texts) {
            if (t.font == app::Assets.font20) {
                out.push_back(t);
            }
        }
        return out;
    }
    static std::vector<standin::TextDraw> headings() {
        std::vector<standin::TextDraw> out;
        for (const auto& t : standin::log().texts) {
            if (t.font == app::Assets.font24) {
                out.push_back(t);
            }
        }
        return out;
    }
};

TEST_F(PlanetScreens, EarthHasItsOwnHeadingWithOnlyThePlanetThickened) {
    play::planetInfo(3);
    auto heads = headings();
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].text, "ZIEMIA - planeta ludzi");
    EXPECT_EQ(heads[0].x, 20);
    EXPECT_EQ(heads[1].text, "ZIEMIA - ");
    EXPECT_EQ(heads[1].x, 21);
    EXPECT_EQ(heads[1].y, heads[0].y);
}

TEST_F(PlanetScreens, BodyLinesKeepTheirCountExactSpellingAndTrailingBlanks) {
    struct Line {
        int level;
        std::size_t count;
        std::size_t index;
        const char* text;
    };
    const Line lines[] = {
        {1, 8, 0, "najmniejsza i najbliższa Słońcu"},
        {1, 8, 4, "Rok na Merkuym to tylko 88 dni"},
        {1, 8, 5, "Temperatura od -210 do 420°C,"},
        {2, 7, 0, nullptr},
        {3, 7, 6, "Temperatura od -60 od +60°C"},
        {4, 7, 0, nullptr},
        {5, 8, 0, nullptr},
        {6, 8, 2, "Gazowy olbrzym drugi po Jowiszu "},
        {6, 8, 7, "Znane są już 62 satelity Saturna"},
        {7, 8, 0, nullptr},
        {8, 8, 1, "i najdalsza planeta Układu "},
        {8, 8, 7, "a tacza je amoniak i metan"},
    };
    for (const Line& l : lines) {
        SCOPED_TRACE("level " + std::to_string(l.level));
        standin::log() = standin::Log{};
        play::planetInfo(l.level);
        auto body = bodyLines();
        ASSERT_EQ(body.size(), l.count);
        for (std::size_t j = 0; j < body.size(); ++j) {
            EXPECT_EQ(body[j].y, 420 + 20 * static_cast<int>(j));
            EXPECT_FALSE(body[j].text.empty());
        }
        if (l.text != nullptr) {
            EXPECT_EQ(body[l.index].text, l.text);
        }
    }
}

TEST_F(PlanetScreens, ALevelWithoutAPlanetDrawsNothing) {
    for (int level : {-1, 0, 9, 1000}) {
        play::planetInfo(level);
    }
    EXPECT_TRUE(standin::log().texts.empty());
}

class FinalScreen : public playtest::PlayTest {
  protected:
    static std::vector<standin::TextDraw> scoreLines(int score) {
        return standin::textsWith("w grze zdobyłeś  " + std::to_string(score) + "  punktów");
    }
};

TEST_F(FinalScreen, WritesTheScoreBetweenTwoBlanksInShadowThenLight) {
    for (int score : {48250, 0}) {
        SCOPED_TRACE(score);
        standin::log() = standin::Log{};
        GameState.score = score;
        play::finalScreen();
        auto lines = scoreLines(score);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(standin::rgba(lines[0].colour), (standin::Rgba{0, 0, 20, 255}));
        EXPECT_EQ(lines[0].x, 401);
        EXPECT_EQ(standin::rgba(lines[1].colour), (standin::Rgba{250, 250, 50, 255}));
        EXPECT_EQ(lines[1].x, 400);
        EXPECT_EQ(lines[1].target, app::Assets.scratch);
        EXPECT_EQ(standin::textsWith("i to już wszystko").size(), 2u);
        EXPECT_EQ(standin::textsWith("poznałeś najdalsze zakątki Układu Słonecznego").size(), 2u);
    }
}

TEST_F(FinalScreen, CoversTheScreenThenZoomsInWithItsSound) {
    play::finalScreen();
    ASSERT_EQ(standin::playsOf("sam/str_use_6.wav").size(), 1u);
    EXPECT_EQ(standin::log().flips, 44 + 200);
    int covers = 0;
    std::vector<standin::BitmapDraw> zooms;
    for (const auto& d : standin::drawsOf(app::Assets.background)) {
        if (d.target == app::Assets.screen && d.sy == 80) {
            EXPECT_EQ(standin::rgba(d.tint).a, covers++);
        } else if (d.target == standin::backbuffer()) {
            zooms.push_back(d);
        }
    }
    EXPECT_EQ(covers, 44);
    ASSERT_EQ(zooms.size(), 200u);
    EXPECT_EQ(zooms.back().dx, -199);
    EXPECT_FLOAT_EQ(zooms.back().dw, 1297.5f);
    EXPECT_FLOAT_EQ(zooms.back().dh, 998.0f);
    EXPECT_EQ(standin::rgba(standin::drawsOf(app::Assets.scratch).back().tint).a, 199);
}

} // namespace
