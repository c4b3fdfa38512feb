#pragma once

#include "app/geometry.hpp"
#include "support/allegro_standin.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

// What a glow laid by tinted copies shows on the picture, replayed from the stand-in's
// record of the draws: the stand-in keeps no pixels, so a pixel is followed through the
// copies as Allegro blends them (premultiplied: the tinted texel plus (1 - alpha) of what
// lay beneath, clamped).
namespace support {

struct GlowLook {
    int layers = 0;    // tinted copies laid since the place was last repaired
    float blue = 0;    // the blue the place shows, from a texel and a picture beneath
    float settled = 0; // the blue the copies settle at, however many are laid
};

// The look of the place where `glow` (a region of `from`, tinted) is laid, as the picture
// stood at flip `frame`, every pass before counted: a draw from `repairedFrom` whose source
// starts at `repair` empties it. Only copies laid at `at` count when it is given (one
// piece of art lit in two places). Texel and picture beneath are taken grey at `texel`.
inline GlowLook glowShown(int frame, const ALLEGRO_BITMAP* from, app::Point glow,
                          const ALLEGRO_BITMAP* repairedFrom, app::Point repair,
                          app::Point at = {-1, -1}, float texel = 0.3f) {
    GlowLook look;
    look.blue = texel;
    for (const standin::BitmapDraw& d : standin::log().bitmaps) {
        if (d.frame > frame) {
            break;
        }
        if (d.bitmap == repairedFrom && static_cast<int>(d.sx) == repair.x &&
            static_cast<int>(d.sy) == repair.y) {
            look = GlowLook{};
            look.blue = texel;
        } else if (d.bitmap == from && d.tinted && static_cast<int>(d.sx) == glow.x &&
                   static_cast<int>(d.sy) == glow.y &&
                   (at.x < 0 ||
                    (static_cast<int>(d.dx) == at.x && static_cast<int>(d.dy) == at.y))) {
            ++look.layers;
            look.blue = std::min(1.0f, d.tint.b * texel + (1 - d.tint.a) * look.blue);
            look.settled = std::min(1.0f, d.tint.b * texel / d.tint.a);
        }
    }
    return look;
}

// Whether the look is the settled one to within half an 8-bit step.
inline bool settledLook(const GlowLook& look) {
    return look.layers > 0 && std::abs(look.blue - look.settled) * 255 < 0.5f;
}

// The frames (flips before them) of every present so far.
inline std::vector<int> presentedFrames() {
    std::vector<int> frames;
    for (const standin::Presented& p : standin::log().presented) {
        frames.push_back(p.frame);
    }
    return frames;
}

} // namespace support
