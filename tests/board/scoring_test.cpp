#include "rules_fixture.hpp"

#include "board/scoring.hpp"

namespace {

using namespace boardtest;

class Scoring : public RulesTest {};

// A stored game can bring in any score up to the highest kept; no award carries it past
// that, nor overflows on the way (the sanitizer build checks the arithmetic).
TEST_F(Scoring, TheScoreStopsAtTheHighestKeptWhateverItStartsFrom) {
    for (const int kind : {1, 6, 7}) {
        SCOPED_TRACE(kind);
        awardFor(kind, 2, 8, board::kMaxScore - 5);
        EXPECT_EQ(GameState.score, board::kMaxScore);
        EXPECT_GT(GameState.awardPoints, 5);
    }
}

} // namespace
