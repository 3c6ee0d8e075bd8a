#include "cli/plugin_run.h"

#include <cstdlib>

#include "extension/holdsync.h"
#include "host/lowmem.h"

const char* const FindingCaption = "Missing Fermata";

namespace {

// Reads a decimal number at `at`, moving past it; false when there is none.
bool ReadNumber(const std::string& text, size_t& at, int& value) {
    size_t end = at;
    if (end < text.size() && text[end] == '-') ++end;
    const size_t digits = end;
    while (end < text.size() && end - digits < 9 && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == digits) return false;
    value = atoi(text.substr(at, end - at).c_str());
    at = end;
    return true;
}

bool Expect(const std::string& text, size_t& at, const std::string& literal) {
    if (text.compare(at, literal.size(), literal) != 0) return false;
    at += literal.size();
    return true;
}

}  // namespace

std::optional<Finding> ReadFinding(const std::string& text) {
    // "This measure has no fermata:\nMeasure %d\n(Measure number: %s)\n\nStaff %d: %s"
    Finding finding;
    size_t at = 0;
    if (!Expect(text, at, "This measure has no fermata:\nMeasure ") ||
        !ReadNumber(text, at, finding.measure) || !Expect(text, at, "\n(Measure number: "))
        return std::nullopt;
    // The number text ends at the first ")\n\nStaff N: " that follows it.
    for (size_t close = text.find(")\n\nStaff ", at); close != std::string::npos;
         close = text.find(")\n\nStaff ", close + 1)) {
        size_t after = close + 9;
        int staff = 0;
        if (ReadNumber(text, after, staff) && Expect(text, after, ": ")) {
            finding.measureNumber = text.substr(at, close - at);
            finding.staff = staff;
            finding.staffName = text.substr(after);
            return finding;
        }
    }
    return std::nullopt;
}

// One runner checks many documents: frame memory is kept for reuse between them.
PluginRunner::PluginRunner() : _host(_idle) {
    SetLowMemoryReuse(true);
    _host.Install();
}

CommandRun PluginRunner::Run(HostDocument& document, const EREGION* selection) {
    CommandRun run;
    _host.SetDocument(document);
    _host.messageBoxes.clear();
    _host.alerts.clear();
    _host.faults.clear();
    _host.ClearCalls();
    document.selection = selection ? *selection : EREGION{};
    EREGION region = document.selection;

    FinaleExtensionVersion(SIMULATED_HOST_VERSION);
    FinaleExtensionInit(0, 0);
    uint8_t menuItem[MENU_RECORD_SIZE] = {};
    if (FinaleExtensionEnumerate(0, 0, menuItem)) {
        FinaleExtensionInvoke(_host.window, 0, selection ? &region : nullptr, 0);
    } else {
        run.errors.push_back("the plug-in offers no menu item");
    }
    FinaleExtensionTerminate(0);

    run.boxes = std::move(_host.messageBoxes);
    for (const MessageBoxCall& box : run.boxes) {
        if (box.caption != FindingCaption) continue;
        if (std::optional<Finding> finding = ReadFinding(box.text))
            run.findings.push_back(*finding);
        else
            run.errors.push_back("the plug-in showed a message of unknown form: " + box.text);
    }
    for (const std::string& alert : _host.alerts) run.warnings.push_back("the plug-in alerted: " + alert);
    for (const std::string& fault : _host.faults)
        run.errors.push_back("the plug-in misused the host: " + fault);
    _host.messageBoxes.clear();
    _host.ClearCalls();
    _host.SetDocument(_idle);
    return run;
}
