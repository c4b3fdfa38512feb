#include "rules_fixture.hpp"

#include "board/lines.hpp"

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace boardtest;

class Lines : public RulesTest {
  protected:
    static std::set<int> kindsDrawn(int level, int refillCount, bool horizontal, int n = 1) {
        GameState.level = level;
        GameState.refillCount = refillCount;
        std::set<int> kinds;
        for (int i = 0; i < 3000; ++i) {
            kinds.insert(horizontal ? board::horizontalEntryKind() : board::verticalEntryKind(n));
        }
        return kinds;
    }
};

TEST_F(Lines, EnteringKindsFollowLevelAndRefillCount) {
    const std::set<int> k1to4{1, 2, 3, 4}, k1to5{1, 2, 3, 4, 5}, k1to4Star{1, 2, 3, 4, 6};
    const std::set<int> k1to6{1, 2, 3, 4, 5, 6}, k1to7{1, 2, 3, 4, 5, 6, 7};
    std::srand(1234);
    for (int rc = 0; rc <= 10; ++rc) {
        SCOPED_TRACE("refillCount " + std::to_string(rc));
        const bool third = rc % 3 == 0;
        const bool star = third || rc % 5 == 0;
        for (int level = 1; level <= 2; ++level) {
            EXPECT_EQ(kindsDrawn(level, rc, true), third ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 1), third ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 2), third ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 3), k1to4);
        }
        for (int level = 3; level <= 5; ++level) {
            EXPECT_EQ(kindsDrawn(level, rc, true), star ? k1to6 : k1to5);
            EXPECT_EQ(kindsDrawn(level, rc, false, 2), third ? k1to6 : k1to5);
            EXPECT_EQ(kindsDrawn(level, rc, false, 4), k1to5);
        }
        for (int level = 6; level <= 8; ++level) {
            const std::set<int> special = rc % 9 == 0 ? k1to7 : star ? k1to6 : k1to5;
            EXPECT_EQ(kindsDrawn(level, rc, true), special);
            EXPECT_EQ(kindsDrawn(level, rc, false, 1), special);
            EXPECT_EQ(kindsDrawn(level, rc, false, 3), k1to5);
        }
    }
}

// The screen shows a line between the steps of the rules: what each hook is told and in
// what order, for a row's line and a column's, refilled from the top.
std::vector<std::string> steps;

void note(const char* step, const board::Line& line, int n = -1) {
    std::ostringstream out;
    out << step << (line.vertical ? " v" : " h") << line.column << line.row << line.length;
    if (n >= 0) {
        out << ' ' << n;
    }
    steps.push_back(out.str());
}

TEST_F(Lines, EachStepIsShownInTheOrderTheRulesTakeIt) {
    board::BoardHooksRecord& h = board::BoardHooks;
    h.cue = [](board::SoundCue) { steps.push_back("cue"); };
    h.scoreChanged = [] { steps.push_back("score " + std::to_string(GameState.score)); };
    h.lineVanishes = [](const board::Line& l) { note("vanish", l); };
    h.entryWaits = [](const board::Line& l, int n, int) { note("wait", l, n); };
    h.lineFalls = [](const board::Line& l, int n) { note("fall", l, n); };
    h.lineFell = [](const board::Line& l, int n) { note("fell", l, n); };
    h.kindBarAdvanced = [](int kind) { steps.push_back("bar " + std::to_string(kind)); };
    h.lineRefilled = [](const board::Line& l) { note("refilled", l); };

    steps.clear();
    givenBoard(with({62, 63, 64}, 5));
    board::resolveLines();
    EXPECT_EQ(steps, (std::vector<std::string>{"cue", "score 10", "vanish h683", "wait h683 0",
                                               "wait h683 1", "wait h683 2", "fall h683 0",
                                               "fell h683 0", "bar 5", "refilled h683"}));
    steps.clear();
    givenBoard(with({44, 52, 60}, 5));
    board::resolveLines();
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "cue", "score 20", "vanish v463", "wait v463 0", "fall v463 0",
                         "fell v463 0", "wait v463 1", "fall v463 1", "fell v463 1", "wait v463 2",
                         "fall v463 2", "fell v463 2", "bar 5", "refilled v463"}));
    expectSoundBoard();
}

} // namespace
