#include "app/launcher.hpp"

#include "app/texts.hpp"
#include "app/window.hpp"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#ifndef ORBELIUM_VERSION
#define ORBELIUM_VERSION "0"
#endif
// The installed assets relative to the installed binary's folder (set by the build from
// the install layout).
#ifndef ORBELIUM_DATA_FROM_BIN
#define ORBELIUM_DATA_FROM_BIN "../share/orbelium"
#endif

namespace app {

namespace {
std::string assetFolder; // "" or a folder ending in '/'

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
} // namespace

std::string executablePath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

Arguments answerArguments(int argc, char** argv) {
    Arguments told;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") {
            std::printf("orbelium %s\n", ORBELIUM_VERSION);
            std::exit(0);
        }
        if (arg == "--help") {
            std::printf(_(texts::kUsage), ORBELIUM_VERSION);
            std::exit(0);
        }
        if (arg == "--new-player-folder") {
            told.newPlayerFolder = true;
        }
    }
    return told;
}

std::string installedAssetFolder(const std::string& executable) {
    const std::size_t slash = executable.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    const std::string folder = executable.substr(0, slash + 1) + ORBELIUM_DATA_FROM_BIN + "/";
    return isFolder(folder) ? folder : std::string();
}

std::string playerFolder(const char* orbeliumHome, const char* xdgDataHome, const char* home) {
    if (orbeliumHome != nullptr && *orbeliumHome != '\0') {
        return orbeliumHome;
    }
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
        return std::string(xdgDataHome) + "/orbelium";
    }
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/orbelium";
    }
    return {};
}

bool makeFolder(const std::string& folder) {
    for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            break;
        }
        if (at == std::string::npos) {
            break;
        }
    }
    return isFolder(folder);
}

bool chooseFolders() {
    assetFolder = installedAssetFolder(executablePath());
    if (assetFolder.empty()) {
        return false;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = getpwuid(getuid());
        home = entry != nullptr ? entry->pw_dir : nullptr;
    }
    const std::string folder =
        playerFolder(std::getenv("ORBELIUM_HOME"), std::getenv("XDG_DATA_HOME"), home);
    if (folder.empty()) {
        failStartUp(texts::kNoPlayerFolder, "~/.local/share/orbelium");
    }
    const bool existed = isFolder(folder);
    if (!makeFolder(folder) || chdir(folder.c_str()) != 0) {
        failStartUp(texts::kNoPlayerFolder, folder.c_str());
    }
    return !existed;
}

std::string assetPath(const char* name) {
    return assetFolder + name;
}

void resetAssetFolder() {
    assetFolder.clear();
}

} // namespace app
