#pragma once

#include "support/allegro_standin.hpp"
#include "support/invariants.hpp"

#include <filesystem>
#include <string>

namespace support {

// Puts every process-wide record of the game back to its start-of-program value and
// forgets everything the stand-in recorded.
void resetWorld();

// resetWorld, then the real start-up against the stand-in: window, assets, settings.
void startHeadless();

// A fresh temporary folder made the working directory for one test; the old one is
// restored and the folder removed afterwards.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

} // namespace support
