#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/events.hpp"
#include "app/input.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/press_rules.hpp"
#include "app/sheet.hpp"
#include "app/startup.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using app::Letterbox;
using app::Settings;

TEST(Letterbox, CornersAndBarsMapIntoAndOutOfThePictureAtEverySize) {
    struct Case {
        int w, h;
        Letterbox box;
        // Window pixels and the picture pixels they must show.
        std::vector<std::tuple<int, int, int, int>> points;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600}, {{0, 0, 0, 0}, {799, 599, 799, 599}, {-3, 650, -3, 650}}},
        {1920,
         1080,
         {240, 0, 1440, 1080},
         {{240, 0, 0, 0},
          {1679, 1079, 799, 599},
          {960, 540, 400, 300},
          {239, 500, -1, 278},
          {1680, 500, 800, 278}}},
        {1600,
         1200,
         {0, 0, 1600, 1200},
         {{1, 1, 0, 0}, {1599, 1199, 799, 599}, {800, 601, 400, 300}}},
        {640, 480, {0, 0, 640, 480}, {{0, 0, 0, 0}, {639, 479, 799, 599}, {320, 240, 400, 300}}},
        {1001,
         1001,
         {0, 125, 1001, 751},
         {{0, 125, 0, 0}, {1000, 875, 799, 599}, {500, 124, 400, -1}, {500, 876, 400, 600}}},
        {0, 0, {0, 0, 1, 1}, {{0, 0, 400, 300}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        const Letterbox box = app::fitPicture(c.w, c.h);
        EXPECT_EQ(box, c.box);
        for (const auto& [x, y, px, py] : c.points) {
            const app::Point p = app::toPicture(box, x, y);
            EXPECT_EQ(std::tuple(p.x, p.y), std::tuple(px, py)) << "window " << x << ", " << y;
        }
    }
}

// Along a whole row and column of the window: the bars map outside the picture, the
// picture's pixels in order, and a picture shown larger than it is reaches every one of
// its pixels.
TEST(Letterbox, EveryPicturePixelIsReachedAndNoBarPixelHitsThePicture) {
    for (const auto& [w, h] : {std::pair{1920, 1080}, {1366, 768}, {1005, 1333}, {3840, 2160}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const Letterbox box = app::fitPicture(w, h);
        for (const bool across : {true, false}) {
            const int length = across ? w : h;
            const int from = across ? box.x : box.y;
            const int size = across ? box.w : box.h;
            const int full = across ? app::kPictureWidth : app::kPictureHeight;
            std::set<int> reached;
            int previous = std::numeric_limits<int>::min();
            for (int i = 0; i < length; ++i) {
                const app::Point p = across ? app::toPicture(box, i, 0) : app::toPicture(box, 0, i);
                const int v = across ? p.x : p.y;
                const bool onPicture = i >= from && i < from + size;
                ASSERT_EQ(v >= 0 && v < full, onPicture) << "window pixel " << i;
                ASSERT_GE(v, previous);
                previous = v;
                reached.insert(v);
            }
            EXPECT_TRUE(reached.count(0) && reached.count(full - 1));
            if (size >= full) {
                EXPECT_EQ(std::count_if(reached.begin(), reached.end(),
                                        [full](int v) { return v >= 0 && v < full; }),
                          full);
            }
        }
    }
}

// A canvas a pixel larger than its box is resampled whole on every present: a soft picture.
TEST(Letterbox, TheCanvasIsExactlyItsBoxAtEveryWindowSize) {
    constexpr int kNoLimit = 1 << 15;
    int mismatches = 0;
    for (int w = 640; w <= 3840; ++w) {
        for (int h = 480; h <= 2160; ++h) {
            const Letterbox box = app::fitPicture(w, h);
            const int width = app::canvasWidthFor(box, kNoLimit);
            const int canvasW = app::picturePixels(app::kPictureWidth, width);
            const int canvasH = app::picturePixels(app::kPictureHeight, width);
            if (canvasW != box.w || canvasH != box.h) {
                ADD_FAILURE_AT(__FILE__, __LINE__)
                    << w << " x " << h << ": canvas " << canvasW << " x " << canvasH << ", box "
                    << box.w << " x " << box.h;
                if (++mismatches > 5) {
                    return;
                }
            }
        }
    }
    // Larger than a bitmap may be: the largest canvas of the picture's shape that can be.
    const Letterbox huge = app::fitPicture(20000, 15000);
    EXPECT_EQ(app::canvasWidthFor(huge, 8192), 8192);
    EXPECT_EQ(app::picturePixels(app::kPictureHeight, 8192), 6144);
}

TEST(Letterbox, TheWindowOpensAtTheLargestWholeSizeThatLeavesRoomOnTheMonitor) {
    const std::tuple<int, int, int> cases[] = {{1024, 768, 1},  {1920, 1080, 1}, {1920, 1200, 1},
                                               {2560, 1440, 2}, {3840, 2160, 3}, {0, 0, 1}};
    for (const auto& [w, h, scale] : cases) {
        EXPECT_EQ(app::windowScale(w, h), scale) << w << " x " << h;
    }
}

class Window : public ::testing::Test {
  protected:
    support::ScratchFolder folder;

    void SetUp() override { support::resetWorld(); }

    static const standin::Presented& lastPresent() { return standin::log().presented.back(); }
};

TEST_F(Window, OpensResizableAtItsScaleOrFullScreenAsLeftAndPresentsTheCanvasLetterboxed) {
    for (const char* screenFile : {"0\n", "1\n"}) {
        SCOPED_TRACE(screenFile);
        support::resetWorld();
        standin::config().monitorWidth = 2560;
        standin::config().monitorHeight = 1440;
        folder.write("ekran.txt", screenFile);
        app::startUp();
        const bool full = screenFile[0] == '1';
        // Uncovered parts are told, so a screen that waits shows them again.
        EXPECT_EQ(standin::log().displayFlagsAtCreation,
                  ALLEGRO_RESIZABLE | ALLEGRO_GENERATE_EXPOSE_EVENTS |
                      (full ? ALLEGRO_FULLSCREEN_WINDOW : 0));
        EXPECT_EQ(std::pair(standin::log().createdW, standin::log().createdH),
                  std::pair(1600, 1200));
        app::presentNow();
        const standin::Presented& shown = lastPresent();
        EXPECT_EQ(shown.bitmap, app::Assets.canvas);
        EXPECT_TRUE(shown.cleared) << "the bars are black";
        const Letterbox expected =
            full ? Letterbox{320, 0, 1920, 1440} : Letterbox{0, 0, 1600, 1200};
        EXPECT_EQ((Letterbox{int(shown.dx), int(shown.dy), int(shown.dw), int(shown.dh)}),
                  expected);
        EXPECT_EQ(al_get_target_bitmap(), app::Assets.canvas);
        // Twice the size is shown pixel for pixel, 2.4 times filtered smoothly.
        const int smooth = ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR;
        EXPECT_EQ(app::Assets.canvas->flags & smooth, full ? smooth : 0);
        EXPECT_EQ(app::Assets.screen->flags & smooth, 0) << "only the canvas is scaled";
    }
}

// A resize is acknowledged by the next present, with the back buffer as the target (the
// stand-in aborts otherwise), and the pointer is read at the new size from then on.
TEST_F(Window, AResizedWindowShowsThePictureAtItsNewSizeAndTheMouseFollows) {
    app::startUp();
    standin::resizeWindow(1000, 600);
    standin::setMouse(100, 0, 0);
    app::pollInput();
    EXPECT_EQ(std::pair(app::InputState.x, app::InputState.y), std::pair(100, 0))
        << "the picture has not moved yet";
    app::presentNow();
    EXPECT_EQ(std::pair(lastPresent().backbufferW, lastPresent().backbufferH),
              std::pair(1000, 600));
    EXPECT_EQ(lastPresent().dx, 100);
    app::pollInput();
    EXPECT_EQ(std::pair(app::InputState.x, app::InputState.y), std::pair(0, 0));
    EXPECT_FALSE(app::Assets.canvas->flags & ALLEGRO_MAG_LINEAR) << "at its own size, unfiltered";
}

// Every bitmap a screen draws into has the shown size and draws in 800 x 600 units through
// its own transform; a new scale remakes them, and the fonts, before the present, and the
// screen that runs composes itself onto the new ones.
TEST_F(Window, APictureBitmapHasTheShownSizeAndANewScaleRemakesItAndTheFontsBeforeThePresent) {
    standin::config().monitorWidth = 1920;
    standin::config().monitorHeight = 1440; // opens at 1600 x 1200
    app::startUp();
    const auto expectAtScale = [](float scale, int w, int h) {
        for (ALLEGRO_BITMAP* b : {app::Assets.canvas, app::Assets.screen, app::Assets.scratch}) {
            EXPECT_EQ(std::tuple(b->w, b->h, b->transform.m[0][0], b->transform.m[1][1]),
                      std::tuple(w, h, scale, scale));
        }
        EXPECT_EQ(app::Assets.strip->h, static_cast<int>(std::ceil(50 * scale)));
    };
    expectAtScale(2, 1600, 1200);
    EXPECT_EQ(app::Assets.font24->size, 48);
    const ALLEGRO_BITMAP* oldCanvas = app::Assets.canvas;
    int recomposed = 0;
    app::OnRescale recompose([&] {
        ++recomposed;
        app::showScreenBuffer();
    });
    standin::resizeWindow(1920, 1080);
    app::presentNow();
    expectAtScale(1.8f, 1440, 1080);
    EXPECT_NE(app::Assets.canvas, oldCanvas);
    EXPECT_EQ(app::Assets.font24->size, 43);
    EXPECT_EQ(recomposed, 1);
    const standin::Presented& shown = lastPresent();
    EXPECT_EQ(shown.bitmap, app::Assets.canvas);
    EXPECT_EQ(std::tuple(shown.dx, shown.dw, shown.dh), std::tuple(240, 1440, 1080))
        << "copied pixel for pixel";
    EXPECT_EQ(al_get_target_bitmap(), app::Assets.canvas);
    app::presentNow();
    EXPECT_EQ(recomposed, 1) << "the same scale remakes nothing";
}

// A dialog over a screen has the screen beneath compose itself first and then draws
// itself over it; once the dialog is gone the screen alone composes itself again.
TEST_F(Window, ADialogOverAScreenIsDrawnAgainOverItAndTheScreenAloneOnceItIsGone) {
    app::startUp();
    std::string order;
    app::OnRescale screen([&] { order += 's'; });
    {
        app::OnRescale dialog([&] { order += 'd'; }, true);
        standin::resizeWindow(1600, 1200);
        app::presentNow();
    }
    standin::resizeWindow(800, 600);
    app::presentNow();
    EXPECT_EQ(order, "sds");
}

// At 1.8 times a repair copies whole pixels, the region's rounded outwards, without the
// transform (which would scale it twice); text is drawn at its pixel, from a font of the
// shown size, never through the transform.
TEST_F(Window, AtAFractionalScaleRepairsAndTextAreDrawnInWholePixelsWithoutTheTransform) {
    app::startUp();
    standin::resizeWindow(1920, 1080);
    app::presentNow();
    app::setTargetCanvas();
    app::restoreFromScreen({10, 11, 21, 13});
    const standin::BitmapDraw repair = standin::drawsOf(app::Assets.screen).back();
    EXPECT_EQ(std::tuple(repair.sx, repair.sy, repair.sw, repair.sh, repair.dx, repair.dy),
              std::tuple(18, 19, 38, 25, 18, 19))
        << "18..56 covers 18 to 55.8, 19..44 covers 19.8 to 43.2";
    EXPECT_EQ(repair.scale, 1);
    app::drawText(app::Assets.font20, app::palette::kBlack, 100.3f, 50.5f, 0, "Tekst");
    const standin::TextDraw text = standin::textsWith("Tekst").back();
    EXPECT_EQ(std::tuple(text.x, text.y, text.scale, text.font->size), std::tuple(181, 91, 1, 36));
    EXPECT_EQ(app::Assets.canvas->transform.m[0][0], 1.8f) << "the units again after";
}

// Art ends on whole pixels at any scale, its size snapped with its place: pieces that meet
// in units meet in pixels, and a repair of a piece's rectangle covers all of it, so a
// repaired piece shows what a fresh composition shows.
TEST_F(Window, AtEveryScaleArtEndsOnWholePixelsInsideTheRepairOfItsRectangle) {
    app::startUp();
    // S = 1.25, 1.28, 1.8 and 2.7.
    for (const auto& [w, h] : {std::pair{1000, 750}, {1024, 768}, {1440, 1080}, {2160, 1620}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        standin::resizeWindow(w, h);
        app::presentNow();
        app::setTargetCanvas();
        constexpr app::Rect cell = app::sheet::kElementPieces[2];
        float previousEnd = -1;
        for (int i = 0; i < 8; ++i) {
            const app::Point at{157 + cell.w * i, 83 + i};
            app::drawSheet(cell, at);
            const standin::BitmapDraw art = standin::drawsOf(app::Assets.sheet).back();
            app::restoreFromScreen({at.x, at.y, cell.w, cell.h});
            const standin::BitmapDraw repair = standin::drawsOf(app::Assets.screen).back();
            ASSERT_EQ(art.scale, 1) << "drawn in the canvas's own pixels";
            for (const float edge : {art.dx, art.dy, art.dw, art.dh}) {
                EXPECT_EQ(edge, std::round(edge)) << "piece " << i;
            }
            EXPECT_TRUE(art.dx >= repair.dx && art.dy >= repair.dy &&
                        art.dx + art.dw <= repair.dx + repair.sw &&
                        art.dy + art.dh <= repair.dy + repair.sh)
                << "piece " << i << " reaches beyond its repair";
            if (previousEnd >= 0) {
                EXPECT_EQ(art.dx, previousEnd) << "pieces side by side neither overlap nor part";
            }
            previousEnd = art.dx + art.dw;
        }
    }
}

// At twice the size the 2x art set is drawn by the 1x rectangles doubled, at its own size
// in the canvas's pixels, unfiltered; without it the 1x set stands in, smoothed.
TEST_F(Window, TheArtSetAboveTheScaleIsDrawnByItsOneTimesRectanglesAndA1xSetStandsIn) {
    for (const bool finer : {true, false}) {
        SCOPED_TRACE(finer);
        support::resetWorld();
        standin::config().monitorWidth = 1920;
        standin::config().monitorHeight = 1440; // opens at 1600 x 1200
        standin::config().finerArt = finer;
        app::startUp();
        EXPECT_EQ(app::Assets.sheet->name.ends_with("gr/2x/elementy.png"), finer);
        EXPECT_EQ(app::Assets.sheet->maskedBlack, true);
        app::setTargetCanvas();
        constexpr app::Rect p = app::sheet::kMenuPlate;
        app::drawSheet(p, {5, 7});
        const standin::BitmapDraw d = standin::drawsOf(app::Assets.sheet).back();
        const int k = finer ? 2 : 1;
        EXPECT_EQ(std::tuple(d.sx, d.sy, d.sw, d.sh, d.dx, d.dy, d.dw, d.dh, d.scale),
                  std::tuple(p.x * k, p.y * k, p.w * k, p.h * k, 10, 14, 2 * p.w, 2 * p.h, 1));
        EXPECT_EQ((app::Assets.sheet->flags & ALLEGRO_MAG_LINEAR) != 0, !finer);
        EXPECT_EQ(app::Assets.sheet->conversions, 0) << "loaded with its filtering";
    }
}

// A click over between two polls (slow presents, a quick hand) is reported held once,
// where it was pressed, and let go at the poll after. One made while the board moved is
// no one's, while a press still held when the board settles counts from where it went
// down: a drag begun while the board moved starts on the cell pressed.
TEST_F(Window, AClickQuickerThanAPassIsNotLostAndOneOnAMovingBoardIsDropped) {
    app::startUp();
    standin::resizeWindow(1600, 1200);
    app::presentNow();
    const auto polled = [] {
        app::pollInput();
        return std::tuple(app::InputState.x, app::InputState.y, app::InputState.buttons);
    };
    standin::quickClick(1000, 600, app::kLeftButton);
    standin::setMouse(40, 40, 0); // and the hand moves on
    EXPECT_EQ(polled(), std::tuple(500, 300, app::kLeftButton));
    EXPECT_EQ(polled(), std::tuple(20, 20, 0));
    int x = 0;
    int y = 0;
    {
        app::During moving(app::Moment::Animating);
        standin::quickClick(1000, 600, app::kLeftButton);
        app::takeEvents();
    }
    EXPECT_EQ(polled(), std::tuple(500, 300, 0));
    EXPECT_TRUE(app::takeDroppedClick(x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(500, 300));
    EXPECT_FALSE(app::takeDroppedClick(x, y)) << "told once";
    {
        app::During moving(app::Moment::Animating);
        standin::setMouse(1000, 600, app::kLeftButton);
        app::takeEvents();
    }
    standin::setMouse(1100, 600, app::kLeftButton);
    EXPECT_EQ(polled(), std::tuple(500, 300, app::kLeftButton));
    EXPECT_EQ(polled(), std::tuple(550, 300, app::kLeftButton)) << "then the drag follows";
    EXPECT_FALSE(app::takeDroppedClick(x, y));
}

// A waiting screen sleeps on an unchanged picture; a window resized or uncovered has lost
// it, so the screen presents once more.
TEST_F(Window, AWaitingScreenPresentsAgainAfterAResizeOrAnUncoveredWindow) {
    app::startUp();
    app::presentNow(); // the window's first picture: the pointer is read in it from now on
    app::WaitingScreen waiting;
    app::pollInput();
    ASSERT_TRUE(waiting.present());
    for (auto change :
         {+[] { standin::resizeWindow(900, 700); }, +[] { standin::exposeWindow(); }}) {
        app::pollInput();
        EXPECT_FALSE(waiting.present()) << "nothing changed";
        change();
        app::pollInput();
        EXPECT_TRUE(waiting.present());
        // The pointer, which stood still, is read in the picture's new place from now on.
        app::pollInput();
        waiting.present();
    }
    EXPECT_EQ(lastPresent().backbufferW, 900);
}

TEST_F(Window, F11SwitchesFullScreenFromAnyPollAndTheChoiceIsKeptInItsOwnFile) {
    standin::config().monitorWidth = 1920;
    standin::config().monitorHeight = 1080;
    folder.write("opc.txt", "0.25\n0.5\n1\n");
    app::startUp();
    const auto press = [] { standin::pressKey(ALLEGRO_KEY_F11, 0); };
    press();
    app::pollInput();
    EXPECT_TRUE(al_get_display_flags(app::Assets.display) & ALLEGRO_FULLSCREEN_WINDOW);
    EXPECT_TRUE(Settings.fullScreen);
    EXPECT_EQ(folder.read("ekran.txt"), "1\n");
    EXPECT_EQ(al_get_target_bitmap(), app::Assets.canvas);
    app::presentNow();
    EXPECT_EQ(lastPresent().dw, 1440);

    press();
    press(); // twice before a poll: no switch at all
    app::pollInput();
    EXPECT_TRUE(Settings.fullScreen);
    press();
    app::pollInput();
    EXPECT_FALSE(al_get_display_flags(app::Assets.display) & ALLEGRO_FULLSCREEN_WINDOW);
    EXPECT_EQ(al_get_display_width(app::Assets.display), 800) << "back to the window's size";
    EXPECT_EQ(folder.read("ekran.txt"), "0\n");
    EXPECT_EQ(folder.read("opc.txt"), "0.25\n0.5\n1\n") << "the settings file stays as it was";
}

TEST_F(Window, TheScreenFileReadsOnlyOneAsFullScreenAndAFailedWriteKeepsWhatWasThere) {
    const std::pair<const char*, bool> cases[] = {
        {"1\n", true},  {" 1", true},        {"0\n", false},
        {"", false},    {"2", false},        {"-1", false},
        {"tak", false}, {"\xff\x01", false}, {"99999999999", false},
    };
    for (const auto& [text, full] : cases) {
        SCOPED_TRACE(text);
        folder.write("ekran.txt", text);
        Settings.fullScreen = !full;
        records::readScreenFile();
        EXPECT_EQ(Settings.fullScreen, full);
    }
    std::filesystem::remove(folder.path() / "ekran.txt");
    Settings.fullScreen = true;
    records::readScreenFile();
    EXPECT_FALSE(Settings.fullScreen) << "no file: the window";

    Settings.fullScreen = true;
    ASSERT_TRUE(records::writeScreenFile());
    Settings.fullScreen = false;
    records::readScreenFile();
    EXPECT_TRUE(Settings.fullScreen);

    // A folder where the file should be can be neither read nor replaced: both leave it.
    std::filesystem::remove(folder.path() / "ekran.txt");
    std::filesystem::create_directory(folder.path() / "ekran.txt");
    folder.write("ekran.txt/keep", "x");
    records::readScreenFile();
    EXPECT_FALSE(Settings.fullScreen);
    Settings.fullScreen = true;
    EXPECT_FALSE(records::writeScreenFile());
    EXPECT_EQ(folder.read("ekran.txt/keep"), "x");
}

} // namespace
