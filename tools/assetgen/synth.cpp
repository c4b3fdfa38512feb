#include "synth.hpp"

#include "paint.hpp"

#include <sndfile.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTableSize = 8192;

const std::array<double, kTableSize + 1>& sineTable() {
    static const auto table = [] {
        std::array<double, kTableSize + 1> t{};
        for (int i = 0; i <= kTableSize; ++i) {
            t[static_cast<std::size_t>(i)] = std::sin(2 * kPi * i / kTableSize);
        }
        return t;
    }();
    return table;
}

// Sine of a phase given in cycles.
double sine(double phase) {
    phase -= std::floor(phase);
    double pos = phase * kTableSize;
    auto i = static_cast<std::size_t>(pos);
    double f = pos - static_cast<double>(i);
    const auto& t = sineTable();
    return t[i] + (t[i + 1] - t[i]) * f;
}

double ramp(double x) {
    return 0.5 - 0.5 * std::cos(kPi * std::clamp(x, 0.0, 1.0));
}

long sampleAt(double seconds) {
    return std::lround(seconds * kRate);
}

} // namespace

Track Track::seconds(double length, bool wrapped) {
    Track t;
    t.s.assign(static_cast<std::size_t>(sampleAt(length)), 0.0);
    t.wrapped = wrapped;
    return t;
}

void Track::add(long i, double v) {
    auto n = static_cast<long>(s.size());
    if (wrapped) {
        i = ((i % n) + n) % n;
    } else if (i < 0 || i >= n) {
        return;
    }
    s[static_cast<std::size_t>(i)] += v;
}

double note(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

void addTone(Track& t, double start, double duration, double freq, double amp, double attack,
             double release, Timbre timbre, double detune) {
    long first = sampleAt(start);
    long count = sampleAt(duration + release);
    double f = freq * (1 + detune);
    for (long k = 0; k < count; ++k) {
        double time = static_cast<double>(k) / kRate;
        double env = ramp(time / attack);
        if (time > duration)
            env *= 1 - ramp((time - duration) / release);
        double phase = f * time;
        double v = 0;
        switch (timbre) {
        case Timbre::Sine:
            v = sine(phase);
            break;
        case Timbre::Soft:
            v = sine(phase) + 0.25 * sine(2 * phase + 0.1) + 0.1 * sine(3 * phase + 0.3);
            break;
        case Timbre::Brass: {
            // Brighter while loud: upper harmonics follow the envelope more steeply.
            for (int h = 1; h <= 8; ++h) {
                v += std::pow(env, (h - 1) * 0.35) * sine(h * phase) / h;
            }
            v *= 0.7;
            break;
        }
        case Timbre::Wood: {
            double knock = std::exp(-time / 0.012);
            v = (sine(phase) + 0.5 * sine(2.7 * phase)) * knock;
            break;
        }
        }
        t.add(first + k, amp * env * v);
    }
}

void addBell(Track& t, double start, double freq, double amp, double decay) {
    // Partials of a small bell, relative frequency, level and decay.
    const double partials[5][3] = {
        {1.0, 1.0, 1.0}, {2.0, 0.45, 0.6}, {2.76, 0.3, 0.45}, {4.07, 0.15, 0.3}, {5.4, 0.08, 0.2}};
    long first = sampleAt(start);
    long count = sampleAt(decay * 6);
    for (long k = 0; k < count; ++k) {
        double time = static_cast<double>(k) / kRate;
        double strike = ramp(time / 0.004);
        double v = 0;
        for (const auto& p : partials) {
            v += p[1] * std::exp(-time / (decay * p[2])) * sine(freq * p[0] * time);
        }
        t.add(first + k, amp * strike * v);
    }
}

void addGlide(Track& t, double start, double duration, double f0, double f1, double amp) {
    long first = sampleAt(start);
    long count = sampleAt(duration);
    double phase = 0;
    for (long k = 0; k < count; ++k) {
        double x = static_cast<double>(k) / static_cast<double>(count);
        double f = f0 * std::pow(f1 / f0, x);
        phase += f / kRate;
        double env = ramp(x / 0.08) * (1 - ramp((x - 0.4) / 0.6));
        double v = sine(phase) + 0.3 * sine(2 * phase) + 0.12 * sine(3 * phase);
        t.add(first + k, amp * env * v);
    }
}

void addNoise(Track& t, double start, double duration, double amp, double smoothing,
              unsigned seed) {
    Random rnd(seed);
    long first = sampleAt(start);
    long count = sampleAt(duration);
    double y = 0;
    for (long k = 0; k < count; ++k) {
        double x = static_cast<double>(k) / static_cast<double>(count);
        y += (rnd.range(-1, 1) - y) * smoothing;
        double env = ramp(x / 0.2) * (1 - ramp((x - 0.3) / 0.7));
        t.add(first + k, amp * env * y);
    }
}

void echo(Track& t, double delay, double feedback, double mix) {
    auto n = static_cast<long>(t.s.size());
    long d = sampleAt(delay);
    std::vector<double> wet(t.s.size(), 0.0);
    // Feedback runs through the track twice when it wraps, so echoes of the end
    // also sound at the start.
    int passes = t.wrapped ? 3 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (long i = 0; i < n; ++i) {
            long j = i - d;
            double prev = 0;
            if (j >= 0)
                prev =
                    t.s[static_cast<std::size_t>(j)] + feedback * wet[static_cast<std::size_t>(j)];
            else if (t.wrapped)
                prev = t.s[static_cast<std::size_t>(j + n)] +
                       feedback * wet[static_cast<std::size_t>(j + n)];
            wet[static_cast<std::size_t>(i)] = prev;
        }
    }
    for (long i = 0; i < n; ++i) {
        t.s[static_cast<std::size_t>(i)] += mix * wet[static_cast<std::size_t>(i)];
    }
}

void lowPass(Track& t, double cutoff) {
    double a = 1 - std::exp(-2 * kPi * cutoff / kRate);
    double y = 0;
    if (t.wrapped) {
        // Settle the filter on the track's end so the start follows on from it.
        for (double v : t.s)
            y += (v - y) * a;
    }
    for (double& v : t.s) {
        y += (v - y) * a;
        v = y;
    }
}

void normalise(Track& t, double peak) {
    double m = 0;
    for (double v : t.s)
        m = std::max(m, std::abs(v));
    if (m > 0) {
        for (double& v : t.s)
            v *= peak / m;
    }
}

void fadeEdges(Track& t, double fadeIn, double fadeOut) {
    auto n = static_cast<long>(t.s.size());
    long in = sampleAt(fadeIn);
    long out = sampleAt(fadeOut);
    for (long i = 0; i < n; ++i) {
        double g = 1;
        if (i < in)
            g *= ramp(static_cast<double>(i) / static_cast<double>(in));
        if (i >= n - out)
            g *= ramp(static_cast<double>(n - 1 - i) / static_cast<double>(out));
        t.s[static_cast<std::size_t>(i)] *= g;
    }
}

void writeWav(const std::vector<Track>& channels, const std::string& path) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = static_cast<int>(channels.size());
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (f == nullptr) {
        throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    }
    std::size_t frames = channels[0].s.size();
    std::vector<short> pcm(frames * channels.size());
    for (std::size_t i = 0; i < frames; ++i) {
        for (std::size_t c = 0; c < channels.size(); ++c) {
            double v = std::clamp(channels[c].s[i], -1.0, 1.0);
            pcm[i * channels.size() + c] = static_cast<short>(std::lround(v * 32767));
        }
    }
    sf_writef_short(f, pcm.data(), static_cast<sf_count_t>(frames));
    sf_close(f);
}

void writeOggVorbis(const std::vector<Track>& channels, double quality, const std::string& path) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, static_cast<long>(channels.size()), kRate,
                               static_cast<float>(quality)) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("vorbis encoder refused its settings");
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("cannot write " + path);
    }
    auto writePage = [out](const ogg_page& page) {
        std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), out);
        std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), out);
    };
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "ORBELIUM");
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    // A fixed serial number keeps the file the same from one build to the next.
    ogg_stream_state os;
    ogg_stream_init(&os, 0x4F524245);
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0)
        writePage(page);

    const std::size_t frames = channels[0].s.size();
    const std::size_t chunk = 1024;
    bool done = false;
    std::size_t pos = 0;
    while (!done) {
        if (pos < frames) {
            std::size_t n = std::min(chunk, frames - pos);
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (std::size_t c = 0; c < channels.size(); ++c) {
                for (std::size_t i = 0; i < n; ++i) {
                    buffer[c][i] = static_cast<float>(channels[c].s[pos + i]);
                }
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet) != 0) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    writePage(page);
                    if (ogg_page_eos(&page) != 0)
                        done = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    std::fclose(out);
}

} // namespace assetgen
