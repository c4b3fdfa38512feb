#include "saves/stored_game.hpp"

#include "board/game_state.hpp"
#include "records/file_replace.hpp"
#include "records/options.hpp"
#include "records/text_entry.hpp"

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace saves {

namespace {

using board::GameState;
using records::Options;

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kFirstKind = 1;
constexpr int kLastStoredKind = 7; // ordinary kinds, the star element and the bonus element
constexpr int kOrdinaryKinds = 5;
constexpr int kFullBar = 100;
constexpr int kLevels = 8;
constexpr int kMaxStars = 8;

// Extracts values in file order until one fails to parse or to fit its range.
class StoredGameReader {
  public:
    explicit StoredGameReader(std::istream& in) : in_(in) {}

    bool read(int& field, int lo, int hi) {
        int value = 0;
        if (!ok_ || !(in_ >> value) || value < lo || value > hi) {
            ok_ = false;
            return false;
        }
        field = value;
        return true;
    }

    bool read(float& field) {
        float value = 0;
        if (!ok_ || !(in_ >> value) || !std::isfinite(value) || value < records::kMinVolume ||
            value > records::kMaxVolume) {
            ok_ = false;
            return false;
        }
        field = value;
        return true;
    }

  private:
    std::istream& in_;
    bool ok_ = true;
};

void readFields(std::istream& in) {
    StoredGameReader r(in);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        r.read(GameState.cellKind[cell], kFirstKind, kLastStoredKind);
    }
    for (int column = 1; column <= board::kSide; ++column) {
        r.read(GameState.columnStar[column], 0, 1);
    }
    for (int kind = 1; kind <= kOrdinaryKinds; ++kind) {
        r.read(GameState.kindProgress[kind], 0, kFullBar);
    }
    r.read(GameState.level, 1, kLevels);
    r.read(GameState.stars, 0, kMaxStars);
    r.read(GameState.score, kIntMin, kIntMax);
    r.read(GameState.record, kIntMin, kIntMax);
    r.read(GameState.clockBar, 0, kIntMax);
    r.read(Options.musicVolume);
    r.read(Options.effectsVolume);
    r.read(GameState.mode, board::GameMode::Relaxed, board::GameMode::Timed);
}

} // namespace

bool isPasswordName(const std::string& name) {
    return records::typedWith(name, records::Charset::Word);
}

std::string storedGameText() {
    std::ostringstream out;
    for (int cell = 1; cell <= board::kCells; ++cell) {
        out << GameState.cellKind[cell] << ' ';
        if (cell % board::kSide == 0) {
            out << '\n';
        }
    }
    out << '\n';
    for (int column = 1; column <= board::kSide; ++column) {
        out << GameState.columnStar[column] << ' ';
    }
    out << '\n';
    for (int kind = 1; kind <= kOrdinaryKinds; ++kind) {
        out << GameState.kindProgress[kind] << ' ';
    }
    out << '\n';
    out << GameState.level << ' ' << GameState.stars << ' ' << GameState.score << ' '
        << GameState.record << ' ' << GameState.clockBar << ' '
        << static_cast<double>(Options.musicVolume) << ' '
        << static_cast<double>(Options.effectsVolume) << ' ' << GameState.mode << ' ';
    return out.str();
}

bool writeStoredGame(const std::string& name) {
    return isPasswordName(name) && records::replaceFile(name, storedGameText());
}

bool storedGameExists(const std::string& name) {
    struct stat info {};
    if (!isPasswordName(name) || ::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::fstream file(name, std::ios::in | std::ios::out);
    return file.is_open();
}

void readStoredGame(const std::string& name) {
    if (!isPasswordName(name)) {
        return;
    }
    std::ifstream in(name);
    if (in.is_open()) {
        readFields(in);
    }
}

} // namespace saves
