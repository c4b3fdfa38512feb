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
    EXPECT_EQ(heads[0].y, 390);
    EXPECT_EQ(heads[1].text, "ZIEMIA - ");
    EXPECT_EQ(heads[1].x, 21);
    EXPECT_EQ(heads[1].y, 390);
    for (const auto& h : heads) {
        EXPECT_EQ(standin::rgba(h.colour), (standin::Rgba{160, 200, 20, 255}));
        EXPECT_EQ(h.flags, 0);
    }
}

TEST_F(PlanetScreens, VenusEarthAndMarsHaveSevenBodyLinesTheOthersEight) {
    const int expected[] = {0, 8, 7, 7, 7, 8, 8, 8, 8};
    for (int level = 1; level <= 8; ++level) {
        standin::log() = standin::Log{};
        play::planetInfo(level);
        auto lines = bodyLines();
        ASSERT_EQ(static_cast<int>(lines.size()), expected[level]) << "level " << level;
        for (int j = 1; j <= expected[level]; ++j) {
            EXPECT_EQ(lines[j - 1].x, 20);
            EXPECT_EQ(lines[j - 1].y, 400 + 20 * j);
            EXPECT_EQ(standin::rgba(lines[j - 1].colour), (standin::Rgba{120, 140, 160, 255}));
            EXPECT_FALSE(lines[j - 1].text.empty());
        }
    }
}

TEST_F(PlanetScreens, BodyLinesKeepTheirExactSpellingAndTrailingBlanks) {
    play::planetInfo(1);
    auto mercury = bodyLines();
    ASSERT_EQ(mercury.size(), 8u);
    EXPECT_EQ(mercury[0].text, "najmniejsza i najbliższa Słońcu");
    EXPECT_EQ(mercury[4].text, "Rok na Merkuym to tylko 88 dni");
    EXPECT_EQ(mercury[5].text, "Temperatura od -210 do 420°C,");
    EXPECT_EQ(mercury[7].text, "najgorętszą planetą Układu Sł.");

    standin::log() = standin::Log{};
    play::planetInfo(6);
    auto saturn = bodyLines();
    ASSERT_EQ(saturn.size(), 8u);
    EXPECT_EQ(saturn[2].text, "Gazowy olbrzym drugi po Jowiszu ");
    EXPECT_EQ(saturn[7].text, "Znane są już 62 satelity Saturna");

    standin::log() = standin::Log{};
    play::planetInfo(8);
    auto neptune = bodyLines();
    ASSERT_EQ(neptune.size(), 8u);
    EXPECT_EQ(neptune[1].text, "i najdalsza planeta Układu ");
    EXPECT_EQ(neptune[7].text, "a tacza je amoniak i metan");

    standin::log() = standin::Log{};
    play::planetInfo(3);
    auto earth = bodyLines();
    ASSERT_EQ(earth.size(), 7u);
    EXPECT_EQ(earth[6].text, "Temperatura od -60 od +60°C");
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
    GameState.score = 48250;
    play::finalScreen();
    auto lines = scoreLines(48250);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(standin::rgba(lines[0].colour), (standin::Rgba{0, 0, 20, 255}));
    EXPECT_EQ(lines[0].x, 401);
    EXPECT_EQ(lines[0].y, 351);
    EXPECT_EQ(standin::rgba(lines[1].colour), (standin::Rgba{250, 250, 50, 255}));
    EXPECT_EQ(lines[1].x, 400);
    EXPECT_EQ(lines[1].y, 350);
    for (const auto& l : lines) {
        EXPECT_EQ(l.target, app::Assets.scratch);
        EXPECT_EQ(l.flags, ALLEGRO_ALIGN_CENTRE);
        EXPECT_EQ(l.font, app::Assets.font24);
    }
    auto title = standin::textsWith("i to już wszystko");
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0].y, 251);
    EXPECT_EQ(title[1].y, 250);
    auto subtitle = standin::textsWith("poznałeś najdalsze zakątki Układu Słonecznego");
    ASSERT_EQ(subtitle.size(), 2u);
    EXPECT_EQ(subtitle[0].font, app::Assets.font20);
    EXPECT_EQ(subtitle[1].y, 300);
}

TEST_F(FinalScreen, AScoreOfZeroIsWrittenAsTheDigit) {
    GameState.score = 0;
    play::finalScreen();
    EXPECT_EQ(scoreLines(0).size(), 2u);
}

TEST_F(FinalScreen, ComposesTheTextLayerThenCoversAndZoomsWithItsSound) {
    play::finalScreen();
    // The text layer starts transparent.
    ASSERT_FALSE(standin::log().shapes.empty());
    const auto& clear = standin::log().shapes.front();
    EXPECT_EQ(clear.shape, standin::Shape::Clear);
    EXPECT_EQ(clear.target, app::Assets.scratch);
    EXPECT_EQ(standin::rgba(clear.colour), (standin::Rgba{0, 0, 0, 0}));
    EXPECT_EQ(sheetPieces(0, 785, 360, 40).size(), 1u);
    ASSERT_EQ(standin::playsOf("sam/str_use_6.wav").size(), 1u);

    EXPECT_EQ(standin::log().flips, 44 + 200);
    int covers = 0;
    for (const auto& d : standin::drawsOf(app::Assets.background)) {
        if (d.target == app::Assets.screen && d.sy == 80) {
            EXPECT_EQ(d.sw, 800);
            EXPECT_EQ(d.sh, 520);
            EXPECT_EQ(standin::rgba(d.tint).a, covers);
            ++covers;
        }
    }
    EXPECT_EQ(covers, 44);

    std::vector<standin::BitmapDraw> zooms;
    for (const auto& d : standin::drawsOf(app::Assets.background)) {
        if (d.target == standin::backbuffer()) {
            zooms.push_back(d);
        }
    }
    ASSERT_EQ(zooms.size(), 200u);
    EXPECT_EQ(zooms.back().dx, -199);
    EXPECT_EQ(zooms.back().dy, -199);
    EXPECT_FLOAT_EQ(zooms.back().dw, 1297.5f);
    EXPECT_FLOAT_EQ(zooms.back().dh, 998.0f);
    auto layers = standin::drawsOf(app::Assets.scratch);
    ASSERT_EQ(layers.size(), 200u);
    EXPECT_EQ(standin::rgba(layers.back().tint).a, 199);
    EXPECT_NEAR(standin::log().clock, 2.44, 1e-9);
}

} // namespace
