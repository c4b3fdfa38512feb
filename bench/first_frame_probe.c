/* Preloaded into the game by the start-up benchmark: notes the monotonic time of the
 * first presented frame (the first al_flip_display) in the file named by
 * ORBELIUM_PROBE_FILE, then passes every flip on to Allegro. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void al_flip_display(void) {
    static void (*real_flip)(void);
    static int seen;
    if (!real_flip) {
        real_flip = (void (*)(void))dlsym(RTLD_NEXT, "al_flip_display");
    }
    real_flip();
    if (!seen) {
        seen = 1;
        const char *path = getenv("ORBELIUM_PROBE_FILE");
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        FILE *out = path ? fopen(path, "w") : NULL;
        if (out) {
            fprintf(out, "%ld.%09ld\n", (long)now.tv_sec, now.tv_nsec);
            fclose(out);
        }
    }
}
