#include "support/headless.hpp"

#include "app/language.hpp"
#include "app/startup.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "game/process_state.hpp"
#include "game/settings_files.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace support {

void resetWorld() {
    standin::reset();
    game::resetProcessState();
    app::startLanguage(ORBELIUM_TEST_CATALOGUE_DIR, app::Language::Polish);
    game::installSettingsFiles();
}

void startHeadless() {
    resetWorld();
    app::startUp();
}

ScratchFolder::ScratchFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orbelium-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
    std::filesystem::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::write(const std::string& name, const std::string& content) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << content;
}

std::string ScratchFolder::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool ScratchFolder::exists(const std::string& name) const {
    return std::filesystem::exists(path_ / name);
}

} // namespace support
