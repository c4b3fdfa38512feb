/* Stands in for a display with a refresh of its own, on any machine (Xvfb has no refresh
 * to wait for). The refresh rate is read from ORBELIUM_DISPLAY_HZ (60 when unset or not a
 * positive number) at the first call, and al_get_display_refresh_rate answers it, so a
 * program that paces itself to its display paces itself to this one. How flips behave is
 * read from ORBELIUM_DISPLAY_FLIPS:
 *   held (the default)  every al_flip_display lasts until the next refresh, as on a
 *                       display that waits for vertical sync: after the real flip it
 *                       sleeps until the next whole 1/hz s of the monotonic clock;
 *   fast                flips return at once, as on a card whose flips cost nothing, and
 *                       reach the real display at most once a refresh: the first flip of
 *                       a refresh goes through, later ones in the same refresh are only
 *                       noted, and the last such picture is shown at the next refresh by
 *                       whichever al_rest or al_wait_for_event_timed of the flipping
 *                       thread is sleeping then (the back buffer still holds it), or by
 *                       the next flip.
 *
 * Build: cc -O2 -shared -fPIC -o display_shim.so bench/display_shim.c -ldl
 * Use:   ORBELIUM_DISPLAY_HZ=144 ORBELIUM_DISPLAY_FLIPS=fast \
 *            LD_PRELOAD=/absolute/path/display_shim.so ./orbelium
 *
 * Preloaded together with another library that wraps al_flip_display, the one listed
 * first in LD_PRELOAD is called first and reaches this one through RTLD_NEXT. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#include <stdbool.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#define NANOSECONDS 1000000000LL
#define DEFAULT_HZ 60

/* Only the types' names are needed: the calls are passed on untouched. */
typedef struct ALLEGRO_DISPLAY ALLEGRO_DISPLAY;
typedef struct ALLEGRO_EVENT_QUEUE ALLEGRO_EVENT_QUEUE;
typedef union ALLEGRO_EVENT ALLEGRO_EVENT;

static pthread_once_t once = PTHREAD_ONCE_INIT;
static long long hz = DEFAULT_HZ;
static bool fast = false;
static void (*real_flip)(void);
static void (*real_rest)(double);
static bool (*real_wait_timed)(ALLEGRO_EVENT_QUEUE*, ALLEGRO_EVENT*, float);

/* Fast flips: the refresh the last real flip fell in, and whether a later picture waits
 * for the next one. Touched only by the thread that flips (the one holding the display). */
static long long shown_refresh = -1;
static bool picture_waiting = false;
static pthread_t flipping_thread;

static void* next_symbol(const char* name) {
    return dlsym(RTLD_NEXT, name);
}

static void set_up(void) {
    const char* rate = getenv("ORBELIUM_DISPLAY_HZ");
    if (rate != NULL && atoll(rate) > 0) {
        hz = atoll(rate);
    }
    const char* flips = getenv("ORBELIUM_DISPLAY_FLIPS");
    fast = flips != NULL && strcmp(flips, "fast") == 0;
    /* Copied through an object pointer, as POSIX has dlsym's result used. */
    *(void**)&real_flip = next_symbol("al_flip_display");
    *(void**)&real_rest = next_symbol("al_rest");
    *(void**)&real_wait_timed = next_symbol("al_wait_for_event_timed");
}

static long long now_ns(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * NANOSECONDS + now.tv_nsec;
}

/* Refresh k spans [k / hz, (k + 1) / hz) of the monotonic clock. */
static long long refresh_at(long long ns) {
    return ns / NANOSECONDS * hz + ns % NANOSECONDS * hz / NANOSECONDS;
}

/* When refresh k begins, rounded up to a nanosecond. */
static long long refresh_start(long long k) {
    return k / hz * NANOSECONDS + (k % hz * NANOSECONDS + hz - 1) / hz;
}

static void sleep_until(long long ns) {
    const struct timespec until = {.tv_sec = ns / NANOSECONDS, .tv_nsec = ns % NANOSECONDS};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, NULL) == EINTR) {
    }
}

static void real_flip_now(void) {
    shown_refresh = refresh_at(now_ns());
    picture_waiting = false;
    real_flip();
}

/* Whether this thread holds a picture that a refresh passed since, or before `deadline`
 * (ns), will show; then `*at` is when that refresh begins. */
static bool picture_due_before(long long deadline, long long* at) {
    if (!fast || !picture_waiting || !pthread_equal(pthread_self(), flipping_thread)) {
        return false;
    }
    *at = refresh_start(shown_refresh + 1);
    return *at < deadline;
}

void al_flip_display(void) {
    pthread_once(&once, set_up);
    if (fast) {
        flipping_thread = pthread_self();
        if (refresh_at(now_ns()) > shown_refresh) {
            real_flip_now();
        } else {
            picture_waiting = true;
        }
        return;
    }
    real_flip();
    sleep_until(refresh_start(refresh_at(now_ns()) + 1));
}

int al_get_display_refresh_rate(ALLEGRO_DISPLAY* display) {
    (void)display;
    pthread_once(&once, set_up);
    return (int)hz;
}

void al_rest(double seconds) {
    pthread_once(&once, set_up);
    const long long deadline = now_ns() + (long long)(seconds * NANOSECONDS);
    long long at;
    if (picture_due_before(deadline, &at)) {
        sleep_until(at);
        real_flip_now();
        const long long left = deadline - now_ns();
        seconds = left > 0 ? (double)left / NANOSECONDS : 0.0;
    }
    real_rest(seconds);
}

bool al_wait_for_event_timed(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event, float seconds) {
    pthread_once(&once, set_up);
    const long long deadline = now_ns() + (long long)((double)seconds * NANOSECONDS);
    long long at;
    if (picture_due_before(deadline, &at)) {
        const long long first = at - now_ns();
        if (real_wait_timed(queue, event, first > 0 ? (float)first / NANOSECONDS : 0.0f)) {
            return true; /* the picture waits on for the next sleep or flip */
        }
        real_flip_now();
        const long long left = deadline - now_ns();
        seconds = left > 0 ? (float)left / NANOSECONDS : 0.0f;
    }
    return real_wait_timed(queue, event, seconds);
}
