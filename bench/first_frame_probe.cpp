// Preloaded into the game by the start-up benchmark: notes the monotonic time of the
// first presented frame (the first al_flip_display) in the file named by
// ORBELIUM_PROBE_FILE, then passes every flip on to Allegro. The steady clock is the
// same CLOCK_MONOTONIC that the benchmark's time.monotonic() reads.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

extern "C" void al_flip_display() {
    using Flip = void (*)();
    static Flip realFlip = reinterpret_cast<Flip>(dlsym(RTLD_NEXT, "al_flip_display"));
    static bool seen = false;
    realFlip();
    if (seen) {
        return;
    }
    seen = true;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const double seconds = std::chrono::duration<double>(now).count();
    const char* path = std::getenv("ORBELIUM_PROBE_FILE");
    if (std::FILE* out = path ? std::fopen(path, "w") : nullptr) {
        std::fprintf(out, "%.9f\n", seconds);
        std::fclose(out);
    }
}
