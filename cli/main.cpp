// holdsync: runs the plug-in's command on a document, as the host runs it.
#include <cstdio>
#include <cstring>

#include "extension/holdsync.h"
#include "host/simulated_host.h"

int main() {
    HostDocument document;
    SimulatedHost host(document);
    host.Install();
    FinaleExtensionVersion(SIMULATED_HOST_VERSION);
    FinaleExtensionInit(0, 0);
    uint8_t menuItem[MENU_RECORD_SIZE] = {};
    if (!FinaleExtensionEnumerate(0, 0, menuItem)) return 2;
    char text[MENU_TEXT_WIDTH + 1] = {};
    memcpy(text, menuItem + MENU_TEXT_OFFSET, MENU_TEXT_WIDTH);
    printf("Menu item: %s\n", text);
    FinaleExtensionTerminate(0);
    return 0;
}
