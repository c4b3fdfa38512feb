#pragma once

#include <cstdlib>
#include <string>

// How the game finds its two folders before anything else starts. Run from a build (or
// through ./play.sh), its working directory holds both the assets and the player's files.
// Installed, the binary lies in <prefix>/bin with its assets in <prefix>/share/orbelium,
// and may be started from anywhere: the assets are then read from there and the player's
// folder becomes the working directory, so every player file keeps its plain name.
namespace app {

// What the command line tells a game that goes on.
struct Arguments {
    // --new-player-folder: the script that started the game has just made the folder it
    // runs in (the game itself makes it only when installed, see chooseFolders).
    bool newPlayerFolder = false;
};

// The command line: --version and --help print and end the program with 0;
// --new-player-folder is told back; anything else is ignored, as the game has always done.
Arguments answerArguments(int argc, char** argv);

// The running binary's own path ("" when the system does not tell).
std::string executablePath();

// The assets beside an installed binary at `executable` (the folder itself, ending in
// '/'), or "" when there are none and the working directory holds them.
std::string installedAssetFolder(const std::string& executable);

// The player's folder: $ORBELIUM_HOME when set, or orbelium in $XDG_DATA_HOME (an absolute
// path), else in ~/.local/share; "" when not even the home folder is known.
std::string playerFolder(const char* orbeliumHome, const char* xdgDataHome, const char* home);

// Creates `folder` and its missing parents (only the player may enter the new ones, as
// desktops expect of data folders); false when it is not a folder afterwards.
bool makeFolder(const std::string& folder);

// For an installed binary: notes where the assets are, creates the player's folder when
// missing and makes it the working directory. Fails the start-up with one message when
// it cannot. Nothing changes for a binary that is not installed. True when it created
// the player's folder.
bool chooseFolders();

// Where to read the asset of that plain name ("gr/elementy.png").
std::string assetPath(const char* name);

// The assets in the working directory again (game::resetProcessState).
void resetAssetFolder();

} // namespace app
