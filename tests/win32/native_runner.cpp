// The native counterpart of the Windows test host: runs the same scenarios on the plug-in
// linked into this program, the simulated host installed under a module name of choice.
//   holdsync_scenario [--module NAME] list | SCENARIO
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/win32/scenario_run.h"

int main(int argc, char** argv) {
    const char* moduleName = "FINALE.EXE";
    int arg = 1;
    if (arg + 1 < argc && strcmp(argv[arg], "--module") == 0) {
        moduleName = argv[arg + 1];
        arg += 2;
    }
    if (arg + 1 != argc) {
        fprintf(stderr, "usage: %s [--module NAME] list | SCENARIO\n", argv[0]);
        return 2;
    }
    const std::string command = argv[arg];
    if (command == "list") {
        fputs(ScenarioList().c_str(), stdout);
        return 0;
    }
    const PluginExports plugin{FinaleExtensionVersion,       FinaleExtensionInit,   FinaleExtensionEnumerate,
                               FinaleExtensionGetMenuStatus, FinaleExtensionInvoke, FinaleExtensionTerminate};
    std::string out;
    const bool ran = RunScenario(plugin, command, moduleName, out);
    fputs(out.c_str(), ran ? stdout : stderr);
    return ran ? 0 : 2;
}
