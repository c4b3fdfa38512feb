#include "app/launcher.hpp"
#include "app/startup.hpp"
#include "game/main_menu.hpp"
#include "game/settings_files.hpp"

int main(int argc, char** argv) {
    app::answerArguments(argc, argv);
    app::chooseFolders();
    game::installSettingsFiles();
    app::startUp();
    app::titleSequence();
    game::mainMenu();
    app::shutDown();
    return 0;
}
