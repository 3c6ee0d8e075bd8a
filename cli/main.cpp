// holdsync: checks scores with the plug-in's command, as the host runs it.
#include <unistd.h>

#include <iostream>

#include "cli/holdsync_app.h"

int main(int argc, char** argv) {
    return RunHoldsync(argc, argv, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
