// Preloaded into the game (and into the benchmark's empty window) by the start-up
// benchmark. It notes the monotonic time of the first presented frame (the first
// al_flip_display) in the file named by ORBELIUM_PROBE_FILE, and counts every flip in
// the eight bytes of the file named by ORBELIUM_FLIP_COUNT_FILE, shared with the
// benchmark, which reads the count twice to know the frames per second; with
// ORBELIUM_FLIP_TIMES_FILE set it also appends each flip's time to that file, one a line,
// for the pace of pictures while something moves. Every flip is
// passed on to the next al_flip_display (Allegro's, or a preloaded pacing shim's). The
// steady clock is the same CLOCK_MONOTONIC that the benchmark's time.monotonic() reads.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<std::uint64_t>* mapCounter() {
    const char* path = std::getenv("ORBELIUM_FLIP_COUNT_FILE");
    if (path == nullptr) {
        return nullptr;
    }
    const int fd = open(path, O_RDWR | O_CREAT, 0644);
    if (fd < 0) {
        return nullptr;
    }
    void* shared = MAP_FAILED;
    if (ftruncate(fd, sizeof(std::uint64_t)) == 0) {
        shared = mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    close(fd);
    return shared == MAP_FAILED ? nullptr : static_cast<std::atomic<std::uint64_t>*>(shared);
}

double now() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceStart).count();
}

void noteFirstFrame() {
    const char* path = std::getenv("ORBELIUM_PROBE_FILE");
    if (std::FILE* out = path ? std::fopen(path, "w") : nullptr) {
        std::fprintf(out, "%.9f\n", now());
        std::fclose(out);
    }
}

// Appended to unbuffered, so the benchmark reads every flip up to the moment it reads.
int openTimes() {
    const char* path = std::getenv("ORBELIUM_FLIP_TIMES_FILE");
    return path == nullptr ? -1 : open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
}

void noteFlip(int times) {
    char line[32];
    const int n = std::snprintf(line, sizeof line, "%.6f\n", now());
    if (n > 0 && write(times, line, static_cast<std::size_t>(n)) < 0) {
        return; // a lost line only thins the record
    }
}

} // namespace

extern "C" void al_flip_display() {
    using Flip = void (*)();
    static Flip realFlip = reinterpret_cast<Flip>(dlsym(RTLD_NEXT, "al_flip_display"));
    static std::atomic<std::uint64_t>* counter = mapCounter();
    static const int times = openTimes();
    static bool seen = false;
    realFlip();
    if (counter != nullptr) {
        counter->fetch_add(1, std::memory_order_relaxed);
    }
    if (times >= 0) {
        noteFlip(times);
    }
    if (!seen) {
        seen = true;
        noteFirstFrame();
    }
}
