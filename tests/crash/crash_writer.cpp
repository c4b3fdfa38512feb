// Kills the game's writes of player files again and again, and after every kill looks at
// what the next start would find. The writes are the game's own, made as its screens make
// them: the options screen's (writeScreenFile, writeOptionsFile), the save dialog storing a
// game under a new password (the stored game, then "zg.txt"), and the name entry after a
// resumed timed game ran out (the decoded copy, the list, the stored game's removal and
// "zg.txt", and the list once more on leaving the list screen). Each write runs headless in
// a child process, which is killed either at a chosen call (crash_points.h: every open,
// write, fsync, close, rename and removal in turn, a write cut in half) or at a random
// moment. After each kill:
//   - every file is either as it was before the write or as the same write leaves it when
//     nothing stops it (done in a copy of the folder first); only the temporary name and
//     the decoded list copy may be left over;
//   - "zg.txt" counts no more stored games than there are files;
//   - a start reads exactly what it reads once the leftovers are gone, and the next write
//     succeeds with them in place.
// Every unstopped write is also checked to sync each file before its rename and the folder
// after each rename and removal, which a kill cannot show but a power cut would.
//
// Usage: orbelium_crash_writer [--kind options|stored|list|all] [--kills N] [--seconds S]
//                              [--seed S] [--folder DIR]
// Half of the kills go through the crash points in order, half land at random moments.
// With --seconds, each kind goes on until its time is up (at least --kills kills).

#include "crash/crash_points.h"

#include "app/paths.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "files/player_files.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "records/options.hpp"
#include "records/texts.hpp"
#include "saves/save_dialog.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"
#include "saves/texts.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using board::GameState;
using Clock = std::chrono::steady_clock;
// A folder's regular files by name.
using Files = std::map<std::string, std::string>;

enum class Kind { Options, Stored, List };
constexpr Kind kKinds[] = {Kind::Options, Kind::Stored, Kind::List};

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Options:
        return "options";
    case Kind::Stored:
        return "stored game";
    case Kind::List:
        return "list";
    }
    return "";
}

// Each run of a kind starts in an empty folder again after this many kills, so that the
// stored games left by kills do not pile up.
constexpr int kKillsPerFolder = 16;

// What a child reports back through memory shared with the parent.
struct ChildReport {
    int ok;                 // every write reported success
    int counted;            // the crash-point calls the write made
    long long microseconds; // how long the write took
};
ChildReport* report = nullptr;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool isLeftover(const std::string& name) {
    const std::string suffix = files::replacementName("");
    return name == app::paths::kDecodedList ||
           (name.size() > suffix.size() && name.ends_with(suffix));
}

Files snapshot(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename()] = read(entry.path());
        }
    }
    return files;
}

// A copy of `folder` at `to`, without the leftovers unless asked for.
void copyFolder(const fs::path& folder, const fs::path& to, bool leftovers) {
    fs::remove_all(to);
    fs::create_directory(to);
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (leftovers || !isLeftover(entry.path().filename())) {
            fs::copy(entry.path(), to / entry.path().filename());
        }
    }
}

// --- the writes, as the screens make them; `generation` makes each one's content its own

// The screens run against the stand-in: a fresh start reads the player files as the game
// does when it starts.
void startInFolder() {
    support::startHeadless();
    standin::log() = standin::Log{};
}

bool writeOptions(int generation) {
    // The full-screen switch stores its choice at once; leaving the screen stores the rest.
    app::Settings.fullScreen = generation / 2 % 2 == 1;
    bool ok = records::writeScreenFile();
    app::Settings.musicVolume = static_cast<float>(generation % 151) / 100.0f;
    app::Settings.effectsVolume = static_cast<float>(generation / 151 % 151) / 100.0f;
    GameState.mode = generation % 2;
    ok = records::writeOptionsFile() && ok;
    return ok;
}

std::string password(int generation) {
    return std::string("gra").append(std::to_string(generation));
}

// The save dialog answered yes, and the game stored under a new password.
bool storeGame(int generation) {
    for (int cell = 1; cell <= board::kCells; ++cell) {
        GameState.cellKind[cell] = 1 + (cell + generation) % 5;
    }
    board::rebuildGridFromCells();
    GameState.level = 1 + generation % 8;
    GameState.score = 10 * generation;
    GameState.mode = board::GameMode::Timed;
    GameState.clockBar = generation % 300;
    driver::Steps steps;
    // The question takes answers once its strip has opened (20 flips).
    steps.whenShown(saves::texts::kStoreQuestion, 25, [] { standin::setMouse(390, 570, 1); })
        .whenShown(saves::texts::kNewPasswordPrompt, 45,
                   [generation] { driver::press(driver::typedThenEnter(password(generation))); })
        .install();
    saves::saveDialog(saves::EscapeInQuestion::Ignored);
    return standin::textsWith(saves::texts::kStoreFailed).empty();
}

// The stored game of this generation, resumed, ran out of time with a result for the
// timed list; the name is typed and the list screen left at once.
bool recordResult(int generation) {
    GameState.mode = board::GameMode::Timed;
    GameState.resumedGame = 1;
    GameState.nameEntryDue = 1;
    GameState.level = 1 + generation % 8;
    GameState.score = 10 * generation;
    saves::currentSaveName = password(generation);
    driver::keepClicking(400, 540); // leaves the list screen once it shows
    support::FrameScript script;
    const std::string name = std::string("g").append(std::to_string(generation));
    script.at(1, [name] { driver::press(driver::typedThenEnter(name)); });
    driver::giveUpAfter(script).install();
    records::nameEntry(saves::discardStoredGame);
    return standin::textsWith(records::texts::kResultNotStored).empty();
}

bool writeOnce(Kind kind, int generation) {
    switch (kind) {
    case Kind::Options:
        return writeOptions(generation);
    case Kind::Stored:
        return storeGame(generation);
    case Kind::List:
        return recordResult(generation);
    }
    return false;
}

// The file each write of the kind changes every time.
std::string changedFile(Kind kind, int generation) {
    switch (kind) {
    case Kind::Options:
        return app::paths::kOptions;
    case Kind::Stored:
        return password(generation);
    case Kind::List:
        return app::paths::kTimedList;
    }
    return "";
}

// A power cut, unlike a kill, loses what the disk was not told to keep: the new content
// of a file is synced before the rename that puts it in place, and the folder after every
// rename and removal of a player file, before the write ends. `calls` is the log of one
// unstopped write, a line "N call name bytes" per call.
void checkSynced(const std::string& calls) {
    std::istringstream lines(calls);
    std::set<std::string> synced; // files synced since they were last opened
    std::string unsyncedChange; // the last rename or removal not yet followed by the folder's sync
    for (std::string line; std::getline(lines, line);) {
        const std::size_t callAt = line.find(' ') + 1;
        const std::size_t nameAt = line.find(' ', callAt) + 1;
        const std::string call = line.substr(callAt, nameAt - callAt - 1);
        const std::string name = line.substr(nameAt, line.rfind(' ') - nameAt);
        if (call == "open") {
            synced.erase(name);
        } else if (call == "fsync" && name == ".") {
            unsyncedChange.clear();
        } else if (call == "fsync") {
            synced.insert(name);
        } else if (call == "rename") {
            if (synced.count(files::replacementName(name)) == 0) {
                fail("the new " + name + " was renamed into place before it was synced");
            }
            unsyncedChange = line;
        } else if ((call == "unlink" || call == "remove") && !isLeftover(name)) {
            unsyncedChange = line;
        }
    }
    if (!unsyncedChange.empty()) {
        fail("the folder was not synced after \"" + unsyncedChange + "\"");
    }
}

// --- children

struct Child {
    pid_t pid;
    int status = 0;
    bool ended = false;

    void wait() {
        while (!ended) {
            if (waitpid(pid, &status, 0) == pid) {
                ended = true;
            } else if (errno != EINTR) {
                fail("lost a child");
            }
        }
    }
    bool killed() const { return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL; }
};

// Starts the write in `folder` in a child; it dies at the crash point `at` (0: none) and
// logs the counted calls to `logFd` when given. Once its start-up is done and the write
// begins, it writes a byte to `ready` when given.
pid_t startWrite(Kind kind, int generation, const fs::path& folder, int at, int logFd,
                 int ready = -1) {
    *report = ChildReport{};
    const pid_t pid = fork();
    if (pid < 0) {
        fail("fork failed");
    }
    if (pid == 0) {
        int code = 0;
        try {
            fs::current_path(folder);
            startInFolder();
            crash_points_arm(at, nullptr, logFd);
            if (ready >= 0 && ::write(ready, "r", 1) != 1) {
                fail("cannot tell the start of the write");
            }
            const auto began = Clock::now();
            report->ok = writeOnce(kind, generation);
            report->microseconds =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - began).count();
            report->counted = crash_points_counted();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "the write stopped: %s\n", e.what());
            code = 2;
        }
        std::fflush(stderr);
        _exit(code);
    }
    return pid;
}

// --- what the next start finds

// What a start reads from `folder`: the settings, the count, both lists and every stored
// game, written out as text to compare.
std::string reading(const fs::path& folder) {
    fs::current_path(folder);
    startInFolder();
    std::ostringstream out;
    out << records::optionsFileText() << records::screenFileText() << saves::SaveIndex.count
        << '\n';
    for (int mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        GameState.mode = mode;
        records::readList();
        if (!records::listReadable) {
            fail("a list could not be read at the next start");
        }
        out << records::listPlainText() << '\n';
    }
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename());
    }
    for (const std::string& name : names) {
        if (saves::storedGameExists(name)) {
            GameState = board::GameStateRecord{};
            saves::readStoredGame(name);
            out << name << ": " << saves::storedGameText() << '\n';
        }
    }
    return out.str();
}

int storedGames(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.is_regular_file() && saves::isPasswordName(entry.path().filename());
    }
    return count;
}

int countOnDisk(const fs::path& folder) {
    fs::current_path(folder);
    saves::SaveIndex = saves::SaveIndexRecord{};
    saves::readSaveIndex();
    return saves::SaveIndex.count;
}

struct Tally {
    int kills = 0;
    int atPoints = 0;
    int atRandom = 0;
    int old = 0;
    int fresh = 0;
    int between = 0;
    int leftovers = 0;
    int points = 0; // crash points of one write
};

class Run {
  public:
    Run(Kind kind, fs::path root, unsigned seed)
        : kind_(kind), root_(std::move(root)), random_(seed) {}

    // One write killed, and what it left checked.
    void killOne(Tally& tally) {
        if (tally.kills % kKillsPerFolder == 0) {
            copyFolder(root_ / "empty", folder(), false);
        }
        ++generation_;
        if (kind_ == Kind::List) {
            prepareStoredGame();
        }
        const Files before = snapshot(folder());

        // The same write, not stopped, in a copy with the leftovers of the last kill: it
        // must succeed, and shows what the write leaves.
        copyFolder(folder(), shadow(), true);
        const std::string log = (root_ / "calls.txt").string();
        const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Child dry{startWrite(kind_, generation_, shadow(), 0, logFd)};
        dry.wait();
        ::close(logFd);
        if (dry.status != 0 || !report->ok) {
            fail("the write failed in a copy of the folder as the last kill left it");
        }
        checkSynced(read(log));
        const long long took = report->microseconds;
        tally.points = report->counted;
        const Files after = snapshot(shadow());
        const std::string changed = changedFile(kind_, generation_);
        if (after.count(changed) == 0 ||
            (before.count(changed) && before.at(changed) == after.at(changed))) {
            fail("the write did not change " + changed);
        }

        // The write itself, killed at the next crash point or at a random moment.
        const bool atPoint = tally.kills % 2 == 0;
        const int point = atPoint ? tally.atPoints % tally.points + 1 : 0;
        int ready[2];
        if (pipe2(ready, O_CLOEXEC) != 0) {
            fail("no pipe");
        }
        Child child{startWrite(kind_, generation_, folder(), point, -1, atPoint ? -1 : ready[1])};
        ::close(ready[1]);
        char started = 0;
        // A byte when the write begins; nothing when the child ended before.
        if (!atPoint && ::read(ready[0], &started, 1) == 1) {
            std::uniform_int_distribution<long long> moment(0, took);
            std::this_thread::sleep_for(std::chrono::microseconds(moment(random_)));
            ::kill(child.pid, SIGKILL);
        }
        ::close(ready[0]);
        child.wait();
        if (!child.killed()) {
            if (atPoint) {
                fail("the write ended before its crash point " + std::to_string(point));
            }
            return; // the write was done before the kill came: not a kill
        }
        ++tally.kills;
        ++(atPoint ? tally.atPoints : tally.atRandom);
        try {
            check(before, after, tally);
        } catch (const std::exception& e) {
            std::string where =
                atPoint ? "at crash point " + std::to_string(point) + ": " + callAt(log, point)
                        : "at a random moment";
            fail(std::string(kindName(kind_)) + " write " + std::to_string(generation_) +
                 " killed " + where + ": " + e.what());
        }
    }

  private:
    fs::path folder() const { return root_ / "player"; }
    fs::path shadow() const { return root_ / "unstopped"; }

    // The game the next result comes from, stored through the save dialog beforehand.
    void prepareStoredGame() {
        Child child{startWrite(Kind::Stored, generation_, folder(), 0, -1)};
        child.wait();
        if (child.status != 0 || !report->ok) {
            fail("the game the result comes from could not be stored");
        }
    }

    static std::string callAt(const std::string& log, int point) {
        std::istringstream lines(read(log));
        std::string line;
        for (int n = 1; std::getline(lines, line); ++n) {
            if (n == point) {
                return line;
            }
        }
        return "?";
    }

    void check(const Files& before, const Files& unstopped, Tally& tally) {
        const Files now = snapshot(folder());
        std::map<std::string, bool> names;
        for (const Files* files : {&before, &unstopped, &now}) {
            for (const auto& [name, content] : *files) {
                names[name] = true;
            }
        }
        bool anyOld = false;
        bool anyNew = false;
        bool leftover = false;
        for (const auto& [name, unused] : names) {
            if (isLeftover(name)) {
                leftover = leftover || now.count(name) > 0;
                continue;
            }
            auto version = [&name](const Files& files) {
                const auto found = files.find(name);
                return found == files.end() ? std::optional<std::string>{} : found->second;
            };
            const auto was = version(before);
            const auto would = version(unstopped);
            const auto is = version(now);
            if (is != was && is != would) {
                fail(name + (is ? " is neither its old nor its new version: \"" + *is + "\""
                                : " is gone"));
            }
            anyOld = anyOld || (was != would && is == was);
            anyNew = anyNew || (was != would && is == would);
        }
        const int count = countOnDisk(folder());
        const int games = storedGames(folder());
        if (count > games) {
            fail("zg.txt counts " + std::to_string(count) + " stored games, " +
                 std::to_string(games) + " are there");
        }
        copyFolder(folder(), root_ / "as-left", true);
        copyFolder(folder(), root_ / "cleaned", false);
        if (reading(root_ / "as-left") != reading(root_ / "cleaned")) {
            fail("the files left over change what the next start reads");
        }
        ++(anyOld && anyNew ? tally.between : anyNew ? tally.fresh : tally.old);
        tally.leftovers += leftover;
    }

    Kind kind_;
    fs::path root_;
    std::mt19937 random_;
    int generation_ = 0;
};

struct Settings {
    std::vector<Kind> kinds{std::begin(kKinds), std::end(kKinds)};
    int kills = 200;
    double seconds = 0;
    unsigned seed = 1;
    fs::path folder;
};

Settings parse(int argc, char** argv) {
    Settings s;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--kind" && value != "all") {
            s.kinds.clear();
            for (Kind kind : kKinds) {
                if (value == kindName(kind) || (value == "stored" && kind == Kind::Stored)) {
                    s.kinds.push_back(kind);
                }
            }
        } else if (option == "--kills") {
            s.kills = std::stoi(value);
        } else if (option == "--seconds") {
            s.seconds = std::stod(value);
        } else if (option == "--seed") {
            s.seed = static_cast<unsigned>(std::stoul(value));
        } else if (option == "--folder") {
            s.folder = fs::absolute(value);
        } else if (option != "--kind") {
            fail("unknown option " + option);
        }
    }
    if (s.kinds.empty()) {
        fail("no such kind of write");
    }
    if (s.folder.empty()) {
        // Memory, where there is such a folder: a kill leaves the files as the page cache
        // holds them whatever lies below, and thousands of fsyncs would only wear a disk.
        s.folder = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    fs::path root;
    try {
        const Settings settings = parse(argc, argv);
        std::string pattern = (settings.folder / "orbelium-crash-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            fail("cannot make a folder in " + settings.folder.string());
        }
        root = pattern;
        fs::create_directory(root / "empty");
        void* shared = mmap(nullptr, sizeof(ChildReport), PROT_READ | PROT_WRITE,
                            MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (shared == MAP_FAILED) {
            fail("no shared memory");
        }
        report = static_cast<ChildReport*>(shared);
        for (Kind kind : settings.kinds) {
            Run run(kind, root, settings.seed);
            Tally tally;
            const auto began = Clock::now();
            auto elapsed = [&began] {
                return std::chrono::duration<double>(Clock::now() - began).count();
            };
            while (tally.kills < settings.kills || elapsed() < settings.seconds) {
                run.killOne(tally);
            }
            std::printf("%s: %d kills survived in %.1f s (%d at its %d crash points in turn, "
                        "%d at random moments): old %d, new %d, between %d; temporary "
                        "files left by %d\n",
                        kindName(kind), tally.kills, elapsed(), tally.atPoints, tally.points,
                        tally.atRandom, tally.old, tally.fresh, tally.between, tally.leftovers);
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::printf("FAILED: %s\n", e.what());
        std::error_code ignored;
        fs::current_path("/", ignored);
        std::printf("the folders are kept in %s\n", root.c_str());
        return 1;
    }
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(root, ignored);
    return 0;
}
