#include "host/simulated_host.h"

#include <cstring>

#include "host/hostfunctions.h"

namespace {

SimulatedHost* gCurrent = nullptr;

#ifndef _WIN32
void* Resolve(const char* procName) {
    if (!gCurrent || !procName) return nullptr;
    gCurrent->lookups.push_back(procName);
    if (!gCurrent->Exports(procName)) return nullptr;
    return HostFunctionAddress(procName);
}

int RecordMessageBox(void* window, const char* text, const char* caption, unsigned int type) {
    if (gCurrent) gCurrent->messageBoxes.push_back({window, text ? text : "", caption ? caption : "", type});
    return IDOK;
}
#endif

}  // namespace

void* HostFunctionAddress(const char* name) {
    struct Export {
        const char* name;
        void* address;
    };
#define HOST_EXPORT(Name) {#Name, reinterpret_cast<void*>(&Host##Name)},
    static const Export kExports[] = {HOST_FUNCTIONS(HOST_EXPORT)};
#undef HOST_EXPORT
    for (const Export& entry : kExports)
        if (strcmp(entry.name, name) == 0) return entry.address;
    return nullptr;
}

SimulatedHost::SimulatedHost(HostDocument& document) : _document(&document), _previous(gCurrent) {
    gCurrent = this;
#ifndef _WIN32
    PlatformSetMessageBox(RecordMessageBox);
#endif
}

SimulatedHost::~SimulatedHost() {
    Uninstall();
    gCurrent = _previous;
}

SimulatedHost* SimulatedHost::Current() { return gCurrent; }

// On Windows the host's functions are the test host executable's own exports, found by
// the system's loader under the executable's name, and its message boxes are caught by the
// test host: there is nothing to register.
void SimulatedHost::Install(const char* moduleName) {
    _moduleName = moduleName;
#ifndef _WIN32
    PlatformRegisterModule(moduleName, Resolve);
#endif
}

void SimulatedHost::Uninstall() {
    if (_moduleName.empty()) return;
#ifndef _WIN32
    PlatformRegisterModule(_moduleName.c_str(), nullptr);
#endif
    _moduleName.clear();
}

bool SimulatedHost::Exports(const std::string& function) const {
    return !_missing.count(function) && HostFunctionAddress(function.c_str()) != nullptr;
}

std::vector<HostCall> SimulatedHost::CallsTo(const std::string& name) const {
    std::vector<HostCall> calls;
    for (const HostCall& call : _calls)
        if (call.name == name) calls.push_back(call);
    return calls;
}

int SimulatedHost::CallCount(const std::string& name) const {
    int count = 0;
    for (const HostCall& call : _calls) count += call.name == name;
    return count;
}

int64_t SimulatedHost::LogValue(RecordKey* key) {
    if (!key) return 0;
    int64_t value;
    memcpy(&value, key->bytes, sizeof value);
    return value;
}
