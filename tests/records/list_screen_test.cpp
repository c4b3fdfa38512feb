#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "game/menu_actions.hpp"
#include "records/fixture.hpp"
#include "records/high_scores.hpp"
#include "records/list_screen.hpp"

namespace {

using board::GameState;

class ListScreen : public fixture::Screen {
  protected:
    // Opens the screen from the menu; a click on its return button at flip `click` leaves.
    static void run(support::FrameScript script = {}, int click = 200) {
        script.mouseAt(click, 400, 540, 1);
        driver::giveUpAfter(script).install();
        records::listScreen();
        game::returnToMenu();
    }

    // Texts of list row `row` in the screen buffer.
    static std::vector<std::string> row(int row) {
        std::vector<std::string> out;
        for (const auto& t : standin::log().texts) {
            if (t.target == app::Assets.screen && t.y == 110 + 20 * (row - 1)) {
                out.push_back(t.text);
            }
        }
        return out;
    }
};

TEST_F(ListScreen, EachRowShowsItsPlaceAndWhatItsEntryHolds) {
    using Row = std::vector<std::string>;
    folder.write("lir.txt", records::encodeListText("Żaneta 4 1250 ... 2 30 Bez 0 20 Minus 1 -5 "));
    run();
    EXPECT_EQ(row(1), (Row{"1.", "Żaneta", "4", "1250"}));
    EXPECT_EQ(row(2), (Row{"2.", "2", "30"}));    // "..." shows no name
    EXPECT_EQ(row(3), (Row{"3.", "Bez", "20"}));  // level 0 shows no level
    EXPECT_EQ(row(4), (Row{"4.", "Minus", "1"})); // a negative score shows nothing
    for (int r = 5; r <= 20; ++r) {
        EXPECT_EQ(row(r), (Row{std::to_string(r) + ".", "0"}));
    }
}

TEST_F(ListScreen, EachModeShowsItsTitleAndItsListAndAnyOtherModeNeither) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    for (int mode : {0, 1, 7}) {
        SCOPED_TRACE(mode);
        SetUp();
        GameState.mode = mode;
        run();
        EXPECT_EQ(standin::textsWith("gra dla relaksu").size() +
                      standin::textsWith("Relaks").size(),
                  mode == 0 ? 2u : 0u);
        EXPECT_EQ(standin::textsWith("gra na czas").size() + standin::textsWith("Czas").size(),
                  mode == 1 ? 2u : 0u);
    }
}

TEST_F(ListScreen, FromTheMenuOnlyALeftClickOnTheButtonReturnsToTheMenu) {
    support::FrameScript script;
    script
        .mouseAt(200, 347, 540, 1) // left of the button
        .mouseAt(210, 400, 532, 1) // on its top edge
        .mouseAt(220, 400, 540, 2) // the right button
        .mouseAt(230, 400, 540, 3) // both buttons
        .at(260, [] { EXPECT_EQ(standin::log().stopSamplesCalls, 1) << "left too early"; });
    run(script, 270);
    EXPECT_EQ(standin::log().stopSamplesCalls, 2); // the fade-outs in and out
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u);
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
    EXPECT_FALSE(folder.exists("lir.txt")) << "only a recorded game stores the list";
}

} // namespace
