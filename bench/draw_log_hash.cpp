// Whole autoplayed games reduced to one number each: everything the Allegro stand-in logged
// (every bitmap, text and shape drawn, every sound played, every present with its frame and
// time) folded into a 64-bit FNV-1a hash. Equal hashes before and after a change to the
// game's code show that the change left every picture, sound and step of a game as it was.
//   orbelium_draw_hash [--seeds S1,S2,...]
// Plays each seed relaxed and timed (seeds 1012, 1013 and 1014 by default) and prints one
// line per game and a last line that folds them all.

#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "support/allegro_standin.hpp"
#include "support/autoplay.hpp"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

class Hash {
  public:
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value_ = (value_ ^ p[i]) * 0x100000001b3ull;
        }
    }
    template <typename T> void add(const T& v) { bytes(&v, sizeof v); }
    void add(const std::string& s) {
        add(s.size());
        bytes(s.data(), s.size());
    }
    void add(const ALLEGRO_COLOR& c) {
        add(c.r);
        add(c.g);
        add(c.b);
        add(c.a);
    }
    std::uint64_t value() const { return value_; }

  private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

// A bitmap by what it is, not where it happens to live in memory: the asset it is, or the
// file it came from and its size.
void addBitmap(Hash& h, const ALLEGRO_BITMAP* b) {
    const app::AssetsRecord& a = app::Assets;
    const ALLEGRO_BITMAP* named[] = {a.canvas,     a.screen,  a.scratch, a.strip,
                                     a.background, a.planets, a.sheet,   a.title};
    for (int i = 0; i < static_cast<int>(std::size(named)); ++i) {
        if (b == named[i]) {
            h.add(i);
            return;
        }
    }
    h.add(-1);
    if (b == nullptr) {
        return;
    }
    h.add(b->name);
    h.add(b->w);
    h.add(b->h);
    h.add(b->flags);
}

void addFont(Hash& h, const ALLEGRO_FONT* f) {
    h.add(f == nullptr ? -1 : f->size);
}

// What was drawn and played since the previous flip; the bot empties these after each flip.
void addDraws(Hash& h) {
    const standin::Log& log = standin::log();
    for (const standin::BitmapDraw& d : log.bitmaps) {
        h.add('B');
        addBitmap(h, d.bitmap);
        addBitmap(h, d.target);
        for (float f : {d.sx, d.sy, d.sw, d.sh, d.dx, d.dy, d.dw, d.dh}) {
            h.add(f);
        }
        h.add(d.tint);
        h.add(d.tinted);
        h.add(d.frame);
    }
    for (const standin::TextDraw& t : log.texts) {
        h.add('T');
        addFont(h, t.font);
        addBitmap(h, t.target);
        h.add(t.colour);
        h.add(t.x);
        h.add(t.y);
        h.add(t.text);
        h.add(t.frame);
    }
    for (const standin::ShapeDraw& s : log.shapes) {
        h.add('S');
        h.add(static_cast<int>(s.shape));
        for (float f : {s.x1, s.y1, s.x2, s.y2}) {
            h.add(f);
        }
        h.add(s.colour);
    }
    for (const standin::SamplePlay& p : log.plays) {
        h.add('P');
        h.add(p.path);
        h.add(p.gain);
        h.add(static_cast<int>(p.mode));
        h.add(p.time);
        h.add(p.frame);
    }
}

void addPresents(Hash& h) {
    for (const standin::Presented& p : standin::log().presented) {
        h.add('F');
        addBitmap(h, p.bitmap);
        for (float f : {p.dx, p.dy, p.dw, p.dh}) {
            h.add(f);
        }
        h.add(p.backbufferW);
        h.add(p.backbufferH);
        h.add(p.cleared);
        h.add(p.frame);
        h.add(p.time);
    }
}

std::vector<unsigned> parseSeeds(int argc, char** argv) {
    std::vector<unsigned> seeds{1012, 1013, 1014};
    if (argc == 3 && std::string_view(argv[1]) == "--seeds") {
        seeds.clear();
        for (const char* p = argv[2]; *p != '\0';) {
            char* end = nullptr;
            seeds.push_back(static_cast<unsigned>(std::strtoul(p, &end, 10)));
            if (end == p) {
                return {};
            }
            p = *end == ',' ? end + 1 : end;
        }
    } else if (argc != 1) {
        return {};
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<unsigned> seeds = parseSeeds(argc, argv);
    if (seeds.empty()) {
        std::fprintf(stderr, "usage: %s [--seeds S1,S2,...]\n", argv[0]);
        return 2;
    }
    Hash all;
    int status = 0;
    for (unsigned seed : seeds) {
        for (int mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
            Hash h;
            support::AutoplaySettings s;
            s.seed = seed;
            s.mode = mode;
            s.eachFlip = [&h](int flips) {
                h.add(flips);
                addDraws(h);
            };
            const support::AutoplayResult r = support::autoplay(s);
            addDraws(h);
            addPresents(h);
            const standin::Log& log = standin::log();
            h.add(log.flips);
            h.add(log.presents);
            h.add(log.stopSamplesCalls);
            h.add(log.clock);
            h.add(r.score);
            std::printf("seed %u %-7s %016" PRIx64 "  (%d flips, score %d, %s)\n", seed,
                        mode == board::GameMode::Timed ? "timed" : "relaxed", h.value(), r.flips,
                        r.score, r.fault.empty() ? "ok" : r.fault.c_str());
            status = r.fault.empty() ? status : 1;
            all.add(h.value());
        }
    }
    std::printf("all %016" PRIx64 "\n", all.value());
    return status;
}
