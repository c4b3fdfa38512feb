#include "app/main_menu.hpp"
#include "app/startup.hpp"

// Command-line arguments are ignored: the game reads everything from its folder.
int main() {
    app::startUp();
    app::titleSequence();
    app::mainMenu();
    app::shutDown();
    return 0;
}
