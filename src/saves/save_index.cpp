#include "saves/save_index.hpp"

namespace saves {

SaveIndexRecord SaveIndex;
std::string currentSaveName;

} // namespace saves
