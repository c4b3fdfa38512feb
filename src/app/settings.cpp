#include "app/settings.hpp"

namespace app {

SettingsRecord Settings;
SettingsFiles settingsFiles;

} // namespace app
