/* See crash_points.h. Build for preloading:
 *   cc -O2 -shared -fPIC -o crash_points.so tests/crash/crash_points.c -ldl */
#define _GNU_SOURCE
#include "crash_points.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

#define TRACKED_FDS 4096
#define NAMES_LENGTH 1024

static atomic_int counted;
static atomic_int crash_at;
static char crash_call[128];     /* "call name" of the crash point, when it is named so */
static char names[NAMES_LENGTH]; /* ",a,b," or empty for every plain name */
static int log_fd = -1;
/* The descriptors of player files open for writing (1): their writes, fsyncs and close
 * count; and of the folder (2): its fsyncs count. */
static atomic_char tracked[TRACKED_FDS];

/* The next definition of `name` after this one: the C library's, or a sanitizer's. */
static void* next(const char* name) {
    void* found = dlsym(RTLD_NEXT, name);
    if (found == NULL) {
        abort();
    }
    return found;
}

#define REAL(name)                                                                                 \
    static __typeof__(&name) real_##name;                                                          \
    if (real_##name == NULL) {                                                                     \
        *(void**)&real_##name = next(#name);                                                       \
    }

static void set_names(const char* list) {
    names[0] = '\0';
    if (list != NULL && list[0] != '\0' && strlen(list) + 3 < NAMES_LENGTH) {
        snprintf(names, NAMES_LENGTH, ",%s,", list);
    }
}

__attribute__((constructor)) static void configure(void) {
    const char* at = getenv("ORBELIUM_CRASH_AT");
    if (at != NULL && at[0] != '\0' && (at[0] < '0' || at[0] > '9')) {
        snprintf(crash_call, sizeof crash_call, "%s", at);
    } else {
        atomic_store(&crash_at, at != NULL ? atoi(at) : 0);
    }
    set_names(getenv("ORBELIUM_CRASH_NAMES"));
    const char* log = getenv("ORBELIUM_CRASH_LOG");
    if (log != NULL && log[0] != '\0') {
        log_fd = open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    }
}

void crash_points_arm(int at, const char* list, int fd) {
    set_names(list);
    crash_call[0] = '\0';
    log_fd = fd;
    atomic_store(&counted, 0);
    atomic_store(&crash_at, at);
}

int crash_points_counted(void) {
    return atomic_load(&counted);
}

/* Whether calls on `path` count: a plain name, and one of the listed names or a name
 * made from one by a "." and more (its temporary name). */
static int counts(const char* path) {
    if (path == NULL || path[0] == '\0' || strchr(path, '/') != NULL) {
        return 0;
    }
    if (names[0] == '\0') {
        return 1;
    }
    for (const char* entry = names + 1; *entry != '\0';) {
        const char* end = strchr(entry, ',');
        const size_t length = (size_t)(end - entry);
        if (length > 0 && strncmp(path, entry, length) == 0 &&
            (path[length] == '\0' || path[length] == '.')) {
            return 1;
        }
        entry = end + 1;
    }
    return 0;
}

static int is_tracked(int fd) {
    return fd >= 0 && fd < TRACKED_FDS && atomic_load(&tracked[fd]);
}

/* Counts one call; true when it is the crash point, which the caller then reaches. */
static int count(const char* call, const char* name, long bytes) {
    const int n = atomic_fetch_add(&counted, 1) + 1;
    char described[sizeof crash_call];
    snprintf(described, sizeof described, "%s %s", call, name);
    const int crash = n == atomic_load(&crash_at) ||
                      (crash_call[0] != '\0' && strcmp(described, crash_call) == 0);
    if (crash) {
        crash_call[0] = '\0'; /* the first such call only */
    }
    if (log_fd >= 0) {
        REAL(write);
        char line[512];
        const int length = snprintf(line, sizeof line, "%d %s %s %ld%s\n", n, call, name, bytes,
                                    crash ? " KILL" : "");
        if (length > 0) {
            real_write(log_fd, line, (size_t)length < sizeof line ? (size_t)length : sizeof line);
        }
    }
    return crash;
}

static void die(void) {
    kill(getpid(), SIGKILL);
    for (;;) {
        pause();
    }
}

static char fd_names[TRACKED_FDS][64];

static int opened(int fd, const char* path) {
    if (fd >= 0 && fd < TRACKED_FDS) {
        snprintf(fd_names[fd], sizeof fd_names[fd], "%s", path);
        atomic_store(&tracked[fd], 1);
    }
    return fd;
}

static int open_common(const char* call, int dirfd, const char* path, int flags, mode_t mode) {
    REAL(openat);
    const int writing = (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
    /* The player's folder, opened to sync it after a rename or a removal: its fsync counts
     * when every plain name does (a list of names leaves it out). */
    if ((flags & O_DIRECTORY) != 0 && names[0] == '\0' && counts(path)) {
        const int fd = real_openat(dirfd, path, flags, mode);
        if (opened(fd, path) >= 0 && fd < TRACKED_FDS) {
            atomic_store(&tracked[fd], 2);
        }
        return fd;
    }
    if (writing && counts(path)) {
        if (count(call, path, 0)) {
            die();
        }
        return opened(real_openat(dirfd, path, flags, mode), path);
    }
    return real_openat(dirfd, path, flags, mode);
}

#define MODE_ARGUMENT(flags, last)                                                                 \
    mode_t mode = 0;                                                                               \
    if ((flags) & (O_CREAT | O_TMPFILE)) {                                                         \
        va_list arguments;                                                                         \
        va_start(arguments, last);                                                                 \
        mode = va_arg(arguments, mode_t);                                                          \
        va_end(arguments);                                                                         \
    }

int open(const char* path, int flags, ...) {
    MODE_ARGUMENT(flags, flags);
    return open_common("open", AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    MODE_ARGUMENT(flags, flags);
    return open_common("open", AT_FDCWD, path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
    MODE_ARGUMENT(flags, flags);
    return open_common("open", dirfd, path, flags, mode);
}

ssize_t write(int fd, const void* buffer, size_t size) {
    REAL(write);
    if (is_tracked(fd) && count("write", fd_names[fd], (long)size)) {
        /* Half of the bytes reach the file before the end: a half-written file. */
        real_write(fd, buffer, size / 2);
        die();
    }
    return real_write(fd, buffer, size);
}

int fsync(int fd) {
    REAL(fsync);
    if (is_tracked(fd) && count("fsync", fd_names[fd], 0)) {
        die();
    }
    return real_fsync(fd);
}

int fdatasync(int fd) {
    REAL(fdatasync);
    if (is_tracked(fd) && count("fdatasync", fd_names[fd], 0)) {
        die();
    }
    return real_fdatasync(fd);
}

int close(int fd) {
    REAL(close);
    if (is_tracked(fd)) {
        /* Closing the folder changes nothing. */
        if (atomic_load(&tracked[fd]) == 1 && count("close", fd_names[fd], 0)) {
            die();
        }
        atomic_store(&tracked[fd], 0);
    }
    return real_close(fd);
}

int rename(const char* from, const char* to) {
    REAL(rename);
    if ((counts(from) || counts(to)) && count("rename", to, 0)) {
        die();
    }
    return real_rename(from, to);
}

int renameat(int fromdir, const char* from, int todir, const char* to) {
    REAL(renameat);
    if ((counts(from) || counts(to)) && count("rename", to, 0)) {
        die();
    }
    return real_renameat(fromdir, from, todir, to);
}

int unlink(const char* path) {
    REAL(unlink);
    if (counts(path) && count("unlink", path, 0)) {
        die();
    }
    return real_unlink(path);
}

int unlinkat(int dirfd, const char* path, int flags) {
    REAL(unlinkat);
    if (counts(path) && count("unlink", path, 0)) {
        die();
    }
    return real_unlinkat(dirfd, path, flags);
}

/* The C library's remove calls its own unlink, which no preloaded unlink sees. */
int remove(const char* path) {
    REAL(remove);
    if (counts(path) && count("remove", path, 0)) {
        die();
    }
    return real_remove(path);
}
