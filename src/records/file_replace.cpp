#include "records/file_replace.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace records {

std::string replacementName(const std::string& path) {
    return path + ".~new";
}

bool replaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = replacementName(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool written = true;
    std::size_t done = 0;
    while (written && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            written = errno == EINTR;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    written = written && ::fsync(fd) == 0;
    written = (::close(fd) == 0) && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace records
