#pragma once

#include <string>

namespace records {

// Replaces the file `path` with exactly `content`. The bytes are written beside it
// under a name no player file can take (a stored game's password never holds a "."
// nor a "~"), flushed to the disk and then renamed over the old file, so a crash or a
// full disk leaves either the old file or the new one, never half of it. Returns false
// when the file could not be replaced; the old file is then untouched.
bool replaceFile(const std::string& path, const std::string& content);

// The name the new content is written under before it replaces `path`.
std::string replacementName(const std::string& path);

} // namespace records
