#pragma once

#include <cstddef>
#include <string>

// How every file in the player's folder is read and written. The folder is the player's,
// but what lies in it may not be what the game wrote: a symbolic link planted under a
// player file's name, a directory, a named pipe, a file the player cannot read. None of
// these is ever followed, blocked on or written through.
namespace files {

enum class FileRead {
    Missing,    // nothing of that name: the format's empty value applies
    Read,       // a regular file, read (at most the given number of bytes)
    Unreadable, // something is there but cannot be read as a file: keep it untouched
};

// Reads at most `limit` bytes of the regular file `path` into `content` (emptied first).
// A link, a directory, a pipe or a device under that name is Unreadable and is never
// opened for reading nor waited on.
FileRead readPlayerFile(const std::string& path, std::size_t limit, std::string& content);

// True when `path` names a regular file (not a link) that can be opened for reading and
// writing, without blocking on whatever is there.
bool isWritableRegularFile(const std::string& path);

// True when `path` names a regular file (not a link), whatever its permissions.
bool isRegularFile(const std::string& path);

// Creates `path` afresh with exactly `content`, flushed to the disk unless it is only
// scratch (a copy removed again at once). A file or link left under that name is removed
// first, and the file is created exclusively, so nothing planted there is ever written
// through. Returns false when it could not be written; nothing is then left under that
// name.
bool writeNewFile(const std::string& path, const std::string& content, bool scratch = false);

// Replaces the file `path` with exactly `content`. The bytes are written beside it
// under a name no player file can take (a stored game's password never holds a "."
// nor a "~"), flushed to the disk and then renamed over the old file, so a crash or a
// full disk leaves either the old file or the new one, never half of it; the folder is
// synced after the rename, so that a power cut keeps the new one. A link under `path` is
// replaced, never written through. Returns false when the file could not be
// replaced; the old file is then untouched.
bool replaceFile(const std::string& path, const std::string& content);

// Removes the player file `path` (a link itself, never what it points to) and syncs the
// folder, so that the removal survives a power cut. False when it could not be removed.
bool removePlayerFile(const std::string& path);

// The name the new content is written under before it replaces `path`.
std::string replacementName(const std::string& path);

} // namespace files
