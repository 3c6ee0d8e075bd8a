#include "tests/win32/scenario_run.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "host/hostfunctions.h"
#include "host/scenarios.h"
#include "host/simulated_host.h"

namespace {

std::string Format(const char* format, auto... args) {
    char line[128];
    snprintf(line, sizeof line, format, args...);
    return line;
}

// A text with every byte outside printable ASCII written as \xNN, one output line per
// line of the text, each behind a bar.
std::string Quoted(const std::string& text) {
    std::string out = "  | ";
    for (unsigned char c : text) {
        if (c == '\n')
            out += "\n  | ";
        else if (c >= 0x20 && c < 0x7F && c != '\\')
            out += static_cast<char>(c);
        else
            out += Format("\\x%02x", c);
    }
    return out + "\n";
}

// What the plug-in's own binding finds: the module it looks up (FINALE.EXE, else
// FINDEMO.EXE) and, in it, each host function under its plain name at the host's address.
std::string HostModuleLine() {
    const char* names[] = {"FINALE.EXE", "FINDEMO.EXE"};
    for (const char* name : names) {
        HMODULE module = GetModuleHandleA(name);
        if (!module) continue;
        int found = 0, total = 0;
#define HOST_FIND(Name)                                                                      \
    ++total;                                                                                 \
    found += reinterpret_cast<void*>(GetProcAddress(module, #Name)) == HostFunctionAddress(#Name);
        HOST_FUNCTIONS(HOST_FIND)
#undef HOST_FIND
        return Format("host module: %s, %d of %d host functions found\n", name, found, total);
    }
    return "host module: none\n";
}

// The host functions the plug-in called, in order of first call, with their counts.
std::string CallsLine(const SimulatedHost& host) {
    std::vector<std::string> order;
    std::map<std::string, int> counts;
    for (const HostCall& call : host.Calls())
        if (counts[call.name]++ == 0) order.push_back(call.name);
    std::string line = "host calls:";
    if (order.empty()) line += " none";
    for (const std::string& name : order) line += " " + name + Format("*%d", counts[name]);
    return line + "\n";
}

std::string MenuRecordLines(const uint8_t* record, int size) {
    std::string out;
    for (int row = 0; row < size; row += 32) {
        out += Format("  %03d:", row);
        for (int i = row; i < row + 32 && i < size; ++i) out += Format(" %02x", record[i]);
        out += "\n";
    }
    return out;
}

}  // namespace

std::string ScenarioList() {
    std::string out;
    for (const std::string& name : ScenarioNames()) out += name + "\n";
    return out;
}

bool RunScenario(const PluginExports& plugin, const std::string& scenario, const char* moduleName,
                 std::string& out) {
    if (!plugin.version || !plugin.init || !plugin.enumerate || !plugin.getMenuStatus || !plugin.invoke ||
        !plugin.terminate) {
        out += "the plug-in lacks an entry point\n";
        return false;
    }
    HostDocument document;
    if (!BuildScenario(scenario, document)) {
        out += "no scenario named " + scenario + "\n";
        return false;
    }
    SimulatedHost host(document);
    host.Install(moduleName);
    out += "scenario: " + scenario + "\n";
    out += HostModuleLine();
    out += Format("version: 0x%08x\n", static_cast<unsigned>(plugin.version(SIMULATED_HOST_VERSION)));
    out += Format("init: %u\n", static_cast<unsigned>(plugin.init(0, 0)));

    // A record longer than the plug-in's fields, filled with a pattern, shows what it wrote.
    uint8_t record[256];
    memset(record, 0xAB, sizeof record);
    out += Format("enumerate 0: %u\n", static_cast<unsigned>(plugin.enumerate(0, 0, record)));
    const char* text = reinterpret_cast<const char*>(record);
    out += "menu text: " + std::string(text, strnlen(text, MENU_TEXT_WIDTH)) + "\n";
    out += "menu record:\n" + MenuRecordLines(record, sizeof record);
    memset(record, 0xAB, sizeof record);
    const unsigned second = plugin.enumerate(0, 1, record);
    uint8_t pattern[sizeof record];
    memset(pattern, 0xAB, sizeof pattern);
    out += Format("enumerate 1: %u, record %s\n", second,
                  memcmp(record, pattern, sizeof record) == 0 ? "untouched" : "changed");
    out += Format("menu status: %u\n", static_cast<unsigned>(plugin.getMenuStatus(0)));

    host.ClearCalls();
    out += Format("invoke: %u\n", static_cast<unsigned>(plugin.invoke(host.window, 0, nullptr, 0)));
    out += Format("message boxes: %d\n", static_cast<int>(host.messageBoxes.size()));
    int index = 0;
    for (const MessageBoxCall& box : host.messageBoxes) {
        const bool hostWindow = box.window == reinterpret_cast<void*>(host.window);
        out += Format("box %d: owner %s, type %u\n", ++index, hostWindow ? "host window" : "other", box.type);
        out += "  caption:\n" + Quoted(box.caption) + "  text:\n" + Quoted(box.text);
    }
    out += Format("alerts: %d\n", static_cast<int>(host.alerts.size()));
    for (const std::string& alert : host.alerts) out += Quoted(alert);
    out += CallsLine(host);
    out += Format("faults: %d\n", static_cast<int>(host.faults.size()));
    out += Format("frames left: %d\n", static_cast<int>(host.liveFrames.size()));
    plugin.terminate(0);
    out += "terminate\n";
    return true;
}
