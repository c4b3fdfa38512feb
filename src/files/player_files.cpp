#include "files/player_files.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    // Closes now; false when the close reported an error (a delayed write failure).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// O_NONBLOCK: opening a named pipe must not wait for a writer; O_NOFOLLOW: a link is
// refused rather than followed.
constexpr int kSafeOpen = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

bool isRegular(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool writeAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno != EINTR) {
                return false;
            }
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    return true;
}

// A rename or a removal changes the folder, not the file: until the folder itself is
// synced, a power cut may bring back the old entry. Some file systems cannot sync a
// folder; the change then stands as the system keeps it.
void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
}

} // namespace

FileRead readPlayerFile(const std::string& path, std::size_t limit, std::string& content) {
    content.clear();
    Descriptor file(::open(path.c_str(), O_RDONLY | kSafeOpen));
    if (file.get() < 0) {
        return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    }
    if (!isRegular(file.get())) {
        return FileRead::Unreadable;
    }
    char buffer[4096];
    while (content.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - content.size());
        const ssize_t n = ::read(file.get(), buffer, want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            content.clear();
            return FileRead::Unreadable;
        }
        if (n == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return FileRead::Read;
}

bool isWritableRegularFile(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_RDWR | kSafeOpen));
    return file.get() >= 0 && isRegular(file.get());
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool writeNewFile(const std::string& path, const std::string& content, bool scratch) {
    // A leftover of an interrupted run, or a link planted under the name: unlink removes
    // the link itself, never its target, and a directory stays (the create then fails).
    ::unlink(path.c_str());
    Descriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (file.get() < 0) {
        return false;
    }
    bool written = writeAll(file.get(), content) && (scratch || ::fsync(file.get()) == 0);
    written = file.close() && written;
    if (!written) {
        ::unlink(path.c_str());
    }
    return written;
}

std::string replacementName(const std::string& path) {
    return path + ".~new";
}

bool replaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = replacementName(path);
    if (!writeNewFile(temporary, content)) {
        return false;
    }
    // rename swaps the directory entry: a link under `path` is replaced, not followed,
    // and a directory there makes it fail.
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

bool removePlayerFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        return false;
    }
    syncFolderOf(path);
    return true;
}

} // namespace files
