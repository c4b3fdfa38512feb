/* Makes every al_flip_display of an Allegro program last until the next 1/60 s, as on a
 * display that waits for its 60 Hz refresh, on any machine (Xvfb has no refresh to wait
 * for). After the real flip it sleeps until the next whole 1/60 s of the monotonic clock.
 *
 * Build: cc -O2 -shared -fPIC -o vsync60_shim.so bench/vsync60_shim.c -ldl
 * Use:   LD_PRELOAD=/absolute/path/vsync60_shim.so ./orbelium
 *
 * Preloaded together with another library that wraps al_flip_display, the one listed
 * first in LD_PRELOAD is called first and reaches this one through RTLD_NEXT. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <time.h>

#define REFRESH_HZ 60
#define NANOSECONDS 1000000000LL

void al_flip_display(void) {
    static void (*real_flip)(void);
    if (real_flip == NULL) {
        /* Copied through an object pointer, as POSIX has dlsym's result used. */
        *(void**)&real_flip = dlsym(RTLD_NEXT, "al_flip_display");
    }
    real_flip();

    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    /* The refresh after now: refresh k starts at k / 60 s, rounded up to a nanosecond. */
    const long long refresh = now.tv_sec * REFRESH_HZ + now.tv_nsec * REFRESH_HZ / NANOSECONDS + 1;
    const struct timespec until = {
        .tv_sec = refresh / REFRESH_HZ,
        .tv_nsec = (refresh % REFRESH_HZ * NANOSECONDS + REFRESH_HZ - 1) / REFRESH_HZ};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, NULL) == EINTR) {
    }
}
