#include "app/launcher.hpp"
#include "app/main_menu.hpp"
#include "app/startup.hpp"

int main(int argc, char** argv) {
    app::answerArguments(argc, argv);
    app::chooseFolders();
    app::startUp();
    app::titleSequence();
    app::mainMenu();
    app::shutDown();
    return 0;
}
