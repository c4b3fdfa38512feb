// Whole games, one after another, played headless by the autoplay bot against the Allegro
// stand-in on its virtual clock, with the board's invariants checked after every flip.
//   orbelium_soak --games N --seed S [--mode relaxed|timed|both]
// Game i plays with seed S+i; "both" (the default) alternates relaxed and timed games,
// starting with a relaxed one. The first fault stops the soak with exit status 1 and the
// command line that plays that game again alone: each game starts from a reset world, so
// its seed alone decides it.

#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "support/allegro_standin.hpp"
#include "support/autoplay.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <string>
#include <string_view>

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

namespace GameMode = board::GameMode;

constexpr int kPlanets = 8;
// A won game has dropped one star from each column on each planet.
constexpr int kStarsPerGame = kPlanets * board::kSide;

enum class Modes { Relaxed, Timed, Both };

struct Options {
    long games = 0;
    unsigned long seed = 0;
    Modes modes = Modes::Both;
};

const char* modeName(int mode) {
    return mode == GameMode::Timed ? "timed" : "relaxed";
}

// The game being played, for a report that has to be written from a sanitizer's exit.
const char* program = "orbelium_soak";
support::AutoplaySettings playing;

void reportFault(int planet, const std::string& at, const std::string& what) {
    std::printf("FAULT seed %u, %s, planet %d, %s: %s\n"
                "again: %s --games 1 --seed %u --mode %s\n",
                playing.seed, modeName(playing.mode), planet, at.c_str(), what.c_str(), program,
                playing.seed, modeName(playing.mode));
    std::fflush(stdout);
}

int planetNow() {
    return std::clamp(board::GameState.level, 1, kPlanets);
}

#if defined(__SANITIZE_ADDRESS__)
// A sanitizer ends the process at its first report; the game it stopped is named after it.
void sanitizerStopped() {
    reportFault(planetNow(), "flip " + std::to_string(standin::log().flips),
                "the sanitizer's report above");
}

void nameTheGameOnSanitizerExit() {
    __sanitizer_set_death_callback(sanitizerStopped);
    // GCC's undefined-behaviour checks live in a runtime of their own, with their own exit.
    if (void* ubsan = dlopen("libubsan.so.1", RTLD_LAZY | RTLD_NOLOAD)) {
        using Setter = void (*)(void (*)());
        if (auto set = reinterpret_cast<Setter>(dlsym(ubsan, "__sanitizer_set_death_callback"))) {
            set(sanitizerStopped);
        }
    }
}
#endif

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

bool parseNumber(const char* text, unsigned long max, unsigned long& out) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (*text < '0' || *text > '9' || *end != '\0' || value > max) {
        return false;
    }
    out = value;
    return true;
}

bool parseOptions(int argc, char** argv, Options& o) {
    bool gamesGiven = false;
    bool seedGiven = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const char* value = argv[i + 1];
        unsigned long n = 0;
        if (name == "--games" && parseNumber(value, 1'000'000, n) && n > 0) {
            o.games = static_cast<long>(n);
            gamesGiven = true;
        } else if (name == "--seed" && parseNumber(value, 0xFFFFFFFFul, n)) {
            o.seed = n;
            seedGiven = true;
        } else if (name == "--mode" && std::string_view(value) == "relaxed") {
            o.modes = Modes::Relaxed;
        } else if (name == "--mode" && std::string_view(value) == "timed") {
            o.modes = Modes::Timed;
        } else if (name == "--mode" && std::string_view(value) == "both") {
            o.modes = Modes::Both;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && gamesGiven && seedGiven;
}

// What a game must show besides a sound board at every flip: every drag answered, the result in the
// list under the bot's name, the main menu back, and a won game's stars all dropped.
std::string flowFault(const support::AutoplayResult& r, const support::AutoplaySettings& s,
                      int planet) {
    if (!r.fault.empty()) {
        return r.fault;
    }
    if (r.refused != 0) {
        return std::to_string(r.refused) + " swaps that make a line were taken back";
    }
    if (!r.nameEntered || !r.backInMenu) {
        return r.nameEntered ? "the main menu did not come back" : "no name was asked for";
    }
    const records::HighScoreEntry& first = records::HighScoreList.entry[1];
    if (first.name != s.name || first.level != planet || first.score != r.score) {
        return "the list's first entry is " + first.name + ", planet " +
               std::to_string(first.level) + ", " + std::to_string(first.score) + " points";
    }
    if (r.finalScreen && (r.levelsCompleted != kPlanets || r.starsDropped != kStarsPerGame)) {
        return "the final screen after " + std::to_string(r.levelsCompleted) + " planets and " +
               std::to_string(r.starsDropped) + " stars";
    }
    return "";
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s --games N --seed S [--mode relaxed|timed|both]\n", argv[0]);
        return 2;
    }
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    long games = 0, timedGames = 0, timeOuts = 0, finals = 0;
    long long flips = 0, loopFrames = 0;
    long reached[kPlanets + 1] = {}, completed[kPlanets + 1] = {};
    int status = 0;

    program = argv[0];
#if defined(__SANITIZE_ADDRESS__)
    nameTheGameOnSanitizerExit();
#endif
    for (long i = 0; i < o.games; ++i) {
        support::AutoplaySettings& s = playing;
        s.seed = static_cast<unsigned>(o.seed + static_cast<unsigned long>(i));
        s.mode = o.modes == Modes::Timed || (o.modes == Modes::Both && i % 2 == 1)
                     ? GameMode::Timed
                     : GameMode::Relaxed;
        const double cpuBefore = cpuSeconds();
        support::AutoplayResult r;
        try {
            r = support::autoplay(s);
        } catch (const std::exception& e) {
            r.fault = std::string("the game threw ") + e.what();
            r.flips = standin::log().flips;
        }
        // A stopped game leaves the world as it stood; a finished one is back at planet 1,
        // having played one planet past those it completed.
        const int planet =
            r.fault.empty() ? std::min(r.levelsCompleted + 1, kPlanets) : planetNow();
        if (const std::string fault = flowFault(r, s, planet); !fault.empty()) {
            reportFault(planet,
                        "flip " + std::to_string(r.flips) + " (loop frame " +
                            std::to_string(r.loopFrames) + ")",
                        fault);
            status = 1;
            break;
        }
        ++games;
        timedGames += s.mode == GameMode::Timed ? 1 : 0;
        timeOuts += r.timeUp ? 1 : 0;
        finals += r.finalScreen ? 1 : 0;
        flips += r.flips;
        loopFrames += r.loopFrames;
        for (int p = 1; p <= planet; ++p) {
            ++reached[p];
            completed[p] += p <= r.levelsCompleted ? 1 : 0;
        }
        std::printf("game %ld seed %u %-7s  %-13s planet %d  score %9d  flips %7d  "
                    "loop frames %5d  %.2f s\n",
                    i + 1, s.seed, modeName(s.mode), r.timeUp ? "time-out" : "final screen", planet,
                    r.score, r.flips, r.loopFrames, cpuSeconds() - cpuBefore);
        std::fflush(stdout);
    }

    const double cpu = cpuSeconds() - cpuStart;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    long levels = 0;
    for (int p = 1; p <= kPlanets; ++p) {
        levels += completed[p];
    }
    std::printf("\ngames played          %ld (%ld relaxed, %ld timed)\n", games, games - timedGames,
                timedGames);
    std::printf("final screen reached  %ld\n", finals);
    std::printf("timed, ended by clock %ld of %ld\n", timeOuts, timedGames);
    std::printf("planets completed     %ld\n", levels);
    std::printf("planet               ");
    for (int p = 1; p <= kPlanets; ++p) {
        std::printf(" %6d", p);
    }
    std::printf("\n  games reaching it  ");
    for (int p = 1; p <= kPlanets; ++p) {
        std::printf(" %6ld", reached[p]);
    }
    std::printf("\n  games completing it");
    for (int p = 1; p <= kPlanets; ++p) {
        std::printf(" %6ld", completed[p]);
    }
    std::printf("\nframes (flips)        %lld, of which game-loop frames %lld\n", flips,
                loopFrames);
    std::printf("frames per CPU second %.0f (CPU %.1f s)\n", cpu > 0 ? flips / cpu : 0.0, cpu);
    std::printf("wall time             %.1f s\n", wall);
    std::printf("%s\n", status == 0 ? "no finding" : "FINDING: see the FAULT line above");
    return status;
}
