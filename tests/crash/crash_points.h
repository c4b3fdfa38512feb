/* Crash points in the game's writes of player files: every call that changes a file in
 * the player's folder (an open for writing, a write, an fsync, a close of such a file, a
 * rename, an unlink or remove, and, when every plain name counts, an fsync of the folder
 * itself) is counted, and the process kills itself with SIGKILL just
 * before the armed one, as a power cut or a killed process would stop it there. A write
 * chosen as the crash point first puts half of its bytes into the file, so that half
 * files are met too.
 *
 * Only plain names count (no "/"): the game reaches its player files by plain names in its
 * working directory, and nothing else the process does is ever a crash point.
 *
 * Linked into a program it is armed through the functions below; preloaded into the real
 * game (LD_PRELOAD) it is armed from the environment:
 *   ORBELIUM_CRASH_AT=N          the N-th counted call (from 1) is the crash point;
 *                                "call name", such as "rename opc.txt", names the first
 *                                such call instead
 *   ORBELIUM_CRASH_NAMES=a,b     count only the calls on these names and on their
 *                                temporary names (the name followed by a "."); all plain
 *                                names when unset
 *   ORBELIUM_CRASH_LOG=/path     every counted call is appended there as a line
 *                                "N call name [bytes]", the crash point ending in "KILL" */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Counts from 0 again; the `at`-th call from now is the crash point (0: none). Only the
 * names in the comma-separated list `names` count (NULL: all plain names). Each counted
 * call is written to `log_fd` as a line (-1: nowhere). */
void crash_points_arm(int at, const char* names, int log_fd);

/* The calls counted since the last arming. */
int crash_points_counted(void);

#ifdef __cplusplus
}
#endif
