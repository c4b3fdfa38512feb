#include "records/high_scores.hpp"

#include "app/paths.hpp"
#include "board/game_state.hpp"
#include "files/player_files.hpp"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <sstream>

namespace records {

HighScoreListRecord HighScoreList;
int newEntryIndex = 0;
bool listReadable = true;

namespace {

constexpr unsigned char kShift = 7;
// A real list is under a kilobyte; a hostile file is not read beyond this.
constexpr std::size_t kLongestLine = 64 * 1024;

// Names drawn on the list screen must fit its column: a name read from a file is cut
// to the longest name the entry admits, without splitting a two-byte letter.
std::string fittedName(std::string name) {
    if (name.size() <= static_cast<std::size_t>(kNameBytes)) {
        return name;
    }
    std::size_t cut = kNameBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    name.resize(cut);
    return name;
}

// The first line of a list file (at most kLongestLine bytes of it).
files::FileRead readFirstLine(const char* path, std::string& line) {
    const files::FileRead read = files::readPlayerFile(path, kLongestLine, line);
    line.resize(std::min(line.find('\n'), line.size()));
    return read;
}

void readEntries(std::istream& in) {
    for (int i = 1; i <= kListLength; ++i) {
        HighScoreEntry read;
        if (!(in >> read.name)) {
            return;
        }
        HighScoreList.entry[i].name = fittedName(read.name);
        if (!(in >> read.level)) {
            return;
        }
        HighScoreList.entry[i].level = read.level;
        if (!(in >> read.score)) {
            return;
        }
        HighScoreList.entry[i].score = read.score;
    }
}

} // namespace

const char* listFileName(int mode) {
    switch (mode) {
    case board::GameMode::Relaxed:
        return app::paths::kRelaxedList;
    case board::GameMode::Timed:
        return app::paths::kTimedList;
    default:
        return nullptr;
    }
}

std::string encodeListText(const std::string& plain) {
    std::string stored = plain;
    for (char& c : stored) {
        c = static_cast<char>(static_cast<unsigned char>(c) - kShift);
    }
    return stored;
}

std::string decodeListText(const std::string& stored) {
    std::string plain = stored;
    for (char& c : plain) {
        c = static_cast<char>(static_cast<unsigned char>(c) + kShift);
    }
    return plain;
}

std::string listPlainText() {
    std::string plain;
    for (int i = 1; i <= kListSlots; ++i) {
        HighScoreEntry& e = HighScoreList.entry[i];
        if (e.name.size() <= 1) {
            e.name = kNoName;
        }
        plain += e.name + " " + std::to_string(e.level) + " " + std::to_string(e.score) + " ";
    }
    return plain;
}

void clearListInMemory() {
    for (int i = 1; i <= kListLength; ++i) {
        HighScoreList.entry[i] = HighScoreEntry{};
    }
}

void readList() {
    clearListInMemory();
    listReadable = true;
    const char* path = listFileName(board::GameState.mode);
    std::string stored;
    if (path != nullptr && readFirstLine(path, stored) == files::FileRead::Unreadable) {
        listReadable = false;
        return;
    }
    // The decoded copy is made afresh, never through whatever lay under its name. Where it
    // cannot be made (a full disk, a read-only folder, a directory of that name) the list
    // is read from the decoded text itself: the player's results are never shown as gone.
    std::string plain = decodeListText(stored);
    if (files::writeNewFile(app::paths::kDecodedList, plain, true)) {
        std::string copy;
        if (files::readPlayerFile(app::paths::kDecodedList, kLongestLine, copy) ==
            files::FileRead::Read) {
            plain = std::move(copy);
        }
    }
    std::istringstream copy(plain);
    readEntries(copy);
    std::remove(app::paths::kDecodedList);
}

bool writeList() {
    const std::string plain = listPlainText(); // also gives short names their "..." in memory
    const char* path = listFileName(board::GameState.mode);
    if (!listReadable || path == nullptr || !files::replaceFile(path, encodeListText(plain))) {
        return false;
    }
    return true;
}

void insertResult(const std::string& name, int level, int score) {
    int place = 1;
    while (place <= kListLength && HighScoreList.entry[place].score >= score &&
           HighScoreList.entry[place].score != 0) {
        ++place;
    }
    if (place > kListLength) {
        return;
    }
    for (int j = kListLength - 1; j >= place; --j) {
        HighScoreList.entry[j + 1] = HighScoreList.entry[j];
    }
    HighScoreList.entry[place] = HighScoreEntry{name, level, score};
    newEntryIndex = place;
}

void loadRecordForMode() {
    readList();
    board::GameState.record = HighScoreList.entry[1].score;
}

int lastPlaceScore() {
    return HighScoreList.entry[kListLength].score;
}

} // namespace records
