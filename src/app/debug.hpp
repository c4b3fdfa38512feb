#pragma once

namespace app {

// True when the environment variable ORBELIUM_DEBUG is set to anything but "" or "0":
// developer read-outs are drawn then, never for players.
bool debugReadout();

} // namespace app
