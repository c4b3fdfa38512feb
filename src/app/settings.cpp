#include "app/settings.hpp"

namespace app {

SettingsRecord Settings;

} // namespace app
