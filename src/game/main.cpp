#include "app/language.hpp"
#include "app/launcher.hpp"
#include "app/startup.hpp"
#include "game/main_menu.hpp"
#include "game/settings_files.hpp"

int main(int argc, char** argv) {
    // Before --help, which answers in the desktop's language; a stored choice is read
    // with the other settings.
    app::startLanguage(app::catalogueFolder(), app::desktopLanguage());
    const bool madeByScript = app::answerArguments(argc, argv).newPlayerFolder;
    if (app::chooseFolders() || madeByScript) {
        game::writeShippedSettings();
    }
    game::installSettingsFiles();
    app::startUp();
    app::titleSequence();
    game::mainMenu();
    app::shutDown();
    return 0;
}
