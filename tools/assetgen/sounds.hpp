// The fourteen cue sounds and the music loop.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

// File names under "sam/", in the order the game loads them.
const std::vector<std::string>& cueFiles();

// Writes every cue into `folder` as a 16-bit mono WAV at 44.1 kHz.
void writeCues(const std::string& folder);
// Writes "muzyczka.ogg" into `folder`: a calm stereo loop of kMusicSeconds.
void writeMusic(const std::string& folder);
constexpr double kMusicSeconds = 32.0;

} // namespace assetgen
