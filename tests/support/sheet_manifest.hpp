#pragma once

#include "support/allegro_standin.hpp"

#include <string>
#include <vector>

namespace support {

// Every region drawn from the element sheet in this process that lies inside no piece of
// the manifest the asset generator draws the sheet from, described for a failure message.
std::vector<std::string> sheetRegionsOutsideManifest();

} // namespace support
