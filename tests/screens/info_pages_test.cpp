#include "app/assets.hpp"
#include "screens/bonus_screen.hpp"
#include "screens/info_screen.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <map>

namespace {

using standin::Rgba;

constexpr int kLoopStart = 173; // after the fade-out and the fade-in
constexpr int frame(int n) {
    return kLoopStart + n;
}

constexpr Rgba kPointRows{160, 160, 160, 255};
constexpr Rgba kHeadings{60, 80, 100, 255};

class InfoPages : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        standin::log() = standin::Log{};
    }

    static void run(void (*screen)(), support::FrameScript script, int leave) {
        script.mouseAt(frame(leave), 400, 490, 1);
        driver::giveUpAfter(script).install();
        screen();
    }

    static standin::TextDraw onlyText(const std::string& text) {
        const auto found = standin::textsWith(text);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? standin::TextDraw{} : found[0];
    }

    // The tint of the star drawn at (x, y) on the display, by loop frame counter value.
    static std::map<int, float> starAlphas(int x, int y) {
        std::map<int, float> alphas;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.tinted && d.target == standin::backbuffer() && d.dx == x && d.dy == y) {
                alphas[d.frame - kLoopStart + 1] = d.tint.a;
            }
        }
        return alphas;
    }

    // Tinted button bands drawn on the display, by loop frame.
    static int buttonHighlights() {
        int n = 0;
        for (const auto& d : standin::drawsOf(app::Assets.screen)) {
            n += d.tinted && d.target == standin::backbuffer() && d.sx == 347 && d.sy == 482;
        }
        return n;
    }
};

TEST_F(InfoPages, TheBonusTableShowsItsPointRowsAndNotesOverAMirroredBackground) {
    run(screens::bonusScreen, {}, 3);
    const auto first = onlyText(". . . . . . . . . . . . . . . . . . . . 10 pkt");
    EXPECT_EQ(first.y, 110);
    EXPECT_EQ(first.flags, ALLEGRO_ALIGN_RIGHT);
    EXPECT_EQ(standin::rgba(first.colour), kPointRows);
    EXPECT_EQ(onlyText(" . . . . . . . . . 500 pkt + 5% wyniku").y, 270);
    EXPECT_EQ(onlyText(". . . .  za  każdą . . . 500 pkt").y, 306);
    EXPECT_EQ(standin::rgba(onlyText("za każdą po").colour), kHeadings);
    EXPECT_EQ(onlyText(" . . . . . . . . . . . . . .1000 pkt").y, 362);
    EXPECT_EQ(standin::rgba(onlyText("punktacji i bonusów, procentowe bez zmian.").colour),
              kHeadings);
    int onScreen = 0;
    for (const auto& t : standin::log().texts) {
        onScreen += t.target == app::Assets.screen && t.font == app::Assets.fontBold16;
    }
    EXPECT_EQ(onScreen, 15);
    const auto backgrounds = standin::drawsOf(app::Assets.background);
    ASSERT_EQ(backgrounds.size(), 2u); // the table's, then the menu's
    EXPECT_EQ(backgrounds[0].flags, ALLEGRO_FLIP_HORIZONTAL);
}

TEST_F(InfoPages, TheBonusStarsChangeTintAfter75FramesAndBackAfter151) {
    run(screens::bonusScreen, {}, 160);
    const auto upper = starAlphas(220, 30);
    const auto lower = starAlphas(130, 400);
    EXPECT_FLOAT_EQ(upper.at(1), 0.6f);
    EXPECT_FLOAT_EQ(upper.at(74), 0.6f);
    EXPECT_EQ(upper.count(75), 0u);
    EXPECT_FLOAT_EQ(upper.at(76), 0.5f);
    EXPECT_FLOAT_EQ(upper.at(150), 0.5f);
    EXPECT_FLOAT_EQ(upper.at(151), 0.6f);
    EXPECT_FLOAT_EQ(lower.at(1), 0.6f);
    EXPECT_FLOAT_EQ(lower.at(76), 0.7f);
}

TEST_F(InfoPages, OnlyALeftClickOnTheBackButtonLeavesWithOneClickSound) {
    for (auto screen : {screens::bonusScreen, screens::infoScreen}) {
        SetUp();
        support::FrameScript script;
        script
            .mouseAt(frame(2), 347, 490, 1) // left of the button
            .mouseAt(frame(6), 400, 490, 2)
            .mouseAt(frame(10), 400, 490, 3)
            .at(frame(14),
                [] { EXPECT_EQ(standin::log().stopSamplesCalls, 1) << "left too early"; });
        run(screen, script, 16);
        EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
        EXPECT_EQ(standin::textsWith("Opcje").size(), 1u) << "the menu was composed again";
    }
}

TEST_F(InfoPages, TheBackButtonLightsFromItsCornerInward) {
    support::FrameScript script;
    script.mouseAt(frame(2), 347, 483, 0)
        .mouseAt(frame(6), 400, 482, 0)
        .at(frame(10), [] { EXPECT_EQ(buttonHighlights(), 0); })
        .mouseAt(frame(10), 348, 483, 0)
        .at(frame(14), [] { EXPECT_GT(buttonHighlights(), 0); });
    run(screens::infoScreen, script, 16);
}

TEST_F(InfoPages, TheInformationShowsTwelveRulesAndFourCentredCredits) {
    run(screens::infoScreen, {}, 3);
    std::vector<standin::TextDraw> lines;
    for (const auto& t : standin::log().texts) {
        if (t.target == app::Assets.screen && t.font == app::Assets.fontBold16) {
            lines.push_back(t);
        }
    }
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0].text, "Zasada gry jest bardzo prosta - należy zamienić sąsiednie pola tak");
    EXPECT_EQ(lines[5].text, "Układy, które same się ułożą znikają także. ");
    EXPECT_EQ(lines[11].text, "Koniec gry to: odkrycie wszystkich planet lub brak czasu.");
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(lines[i].x, 150);
        EXPECT_EQ(lines[i].y, 120 + 20 * i);
        EXPECT_EQ(standin::rgba(lines[i].colour), i < 11 ? kPointRows : (Rgba{60, 180, 60, 255}));
    }
    for (int i = 12; i < 16; ++i) {
        EXPECT_EQ(lines[i].x, 400);
        EXPECT_EQ(lines[i].y, 380 + 20 * (i - 12));
        EXPECT_EQ(lines[i].flags, ALLEGRO_ALIGN_CENTRE);
        EXPECT_EQ(standin::rgba(lines[i].colour), (Rgba{100, 110, 120, 255}));
    }
    EXPECT_EQ(lines[13].text, "Obrazki tła i planet oraz niektóre sample zapożyczone z internetu.");
    EXPECT_NE(lines[12].text.find("Allegro 5"), std::string::npos);
    EXPECT_NE(lines[14].text.find("zespół ORBELIUM"), std::string::npos);
    EXPECT_NE(lines[15].text.find("2026"), std::string::npos);
    const auto backgrounds = standin::drawsOf(app::Assets.background);
    EXPECT_EQ(backgrounds[0].dx, -420);
    EXPECT_EQ(backgrounds[0].flags, 0);
}

TEST_F(InfoPages, TheLeftInformationStarIsBrighterFirstThenTheRightOne) {
    run(screens::infoScreen, {}, 205);
    const auto left = starAlphas(150, 450);
    const auto right = starAlphas(610, 450);
    EXPECT_FLOAT_EQ(left.at(1), 0.3f);
    EXPECT_FLOAT_EQ(right.at(1), 0.2f);
    EXPECT_FLOAT_EQ(left.at(99), 0.3f);
    EXPECT_EQ(left.count(100), 0u);
    EXPECT_FLOAT_EQ(left.at(101), 0.2f);
    EXPECT_FLOAT_EQ(right.at(200), 0.3f);
    EXPECT_FLOAT_EQ(left.at(201), 0.3f);
}

} // namespace
