#include "app/debug.hpp"

#include <cstdlib>
#include <cstring>

namespace app {

bool debugReadout() {
    const char* value = std::getenv("ORBELIUM_DEBUG");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

} // namespace app
