// Named documents that the plug-in's command is run on from end to end: the demo score
// and one small score per behaviour of the fermata scan. Every run of the command outside
// the unit tests (the native runner, the Windows test host) builds its document here, so
// that runs in different loaders can be compared case by case.
#pragma once

#include <string>
#include <vector>

#include "host/document.h"

// The names of every scenario, in a fixed order.
const std::vector<std::string>& ScenarioNames();
// Builds the named scenario into an empty document; false (document untouched) when no
// scenario has that name.
bool BuildScenario(const std::string& name, HostDocument& document);
