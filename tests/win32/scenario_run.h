// One run of the plug-in as the host runs it (version exchange, Init, Enumerate, status,
// Invoke on the whole document, Terminate) on a named scenario, printed in a stable text
// form. The native runner calls the plug-in linked in; the Windows test host calls the
// DLL's exports found through the loader. Both print through this code, so that their
// outputs can be compared line for line.
#pragma once

#include <cstdint>
#include <string>

#include "extension/holdsync.h"

struct PluginExports {
    uint32_t(WINAPI* version)(uint32_t);
    uint32_t(WINAPI* init)(uint32_t, uint32_t);
    uint32_t(WINAPI* enumerate)(uint32_t, uint32_t, void*);
    uint32_t(WINAPI* getMenuStatus)(uint32_t);
    uint32_t(WINAPI* invoke)(HWND, uint32_t, EREGION*, uint32_t);
    void(WINAPI* terminate)(uint32_t);
};

// Runs the plug-in on the scenario inside a simulated host installed under the module name
// (outside Windows; on Windows the host is the executable itself) and appends the record
// of the run to `out`; false (with a reason in `out`) when the scenario is unknown or an
// export is missing.
bool RunScenario(const PluginExports& plugin, const std::string& scenario, const char* moduleName,
                 std::string& out);

// The usage text and the `list` command shared by both runners: scenario names, one a line.
std::string ScenarioList();
