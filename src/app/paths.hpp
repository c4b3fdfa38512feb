#pragma once

// Every file the game reads or writes, relative to its working directory. The assets
// (the first group) are read through app::assetPath, which finds them where an installed
// game keeps them.
namespace app::paths {

inline constexpr const char* kBackground = "gr/tlo2.jpg";
inline constexpr const char* kPlanets = "gr/planety.png";
inline constexpr const char* kSheet = "gr/elementy.png";
inline constexpr const char* kTitle = "gr/tytul.png";
inline constexpr const char* kFontBold = "arialbd.ttf";
inline constexpr const char* kFontRegular = "arial.ttf";
inline constexpr const char* kMusic = "sam/muzyczka.ogg";

inline constexpr const char* kOptions = "opc.txt";
// Whether the game runs full screen; kept apart so "opc.txt" stays as other copies of the
// game read it.
inline constexpr const char* kScreen = "ekran.txt";
// The language the player chose ("pl" or "en"); none follows the desktop's.
inline constexpr const char* kLanguage = "jezyk.txt";
inline constexpr const char* kSaveCount = "zg.txt";
// The result lists of the relaxed and the timed game, and the decoded copy a list is
// read through.
inline constexpr const char* kRelaxedList = "lir.txt";
inline constexpr const char* kTimedList = "lic.txt";
inline constexpr const char* kDecodedList = "xh.txt";

} // namespace app::paths
