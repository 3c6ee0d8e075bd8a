// Runs the plug-in's command on documents, as the host runs it: version exchange,
// enumeration of the menu item, invoke, terminate. The host's message boxes are the result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/simulated_host.h"

// One staff of one measure that lacks a fermata, read back from the plug-in's message.
struct Finding {
    int measure = 0;
    std::string measureNumber;
    int staff = 0;
    std::string staffName;
};

// The caption of the plug-in's message for a finding.
extern const char* const FindingCaption;

// Reads a finding from the text of a "Missing Fermata" box; nothing when the text does not
// have the message's form.
std::optional<Finding> ReadFinding(const std::string& text);

// What one run of the command showed, and what went wrong around it.
struct CommandRun {
    std::vector<MessageBoxCall> boxes;
    std::vector<Finding> findings;
    std::vector<std::string> warnings;  // the plug-in's alerts to the developer
    std::vector<std::string> errors;    // the command could not run, or misused the host
};

// One simulated host for the whole process: the plug-in binds the host's functions once,
// so every document is checked through the same host with its document swapped in.
class PluginRunner {
public:
    PluginRunner();
    PluginRunner(const PluginRunner&) = delete;
    PluginRunner& operator=(const PluginRunner&) = delete;

    // Runs the command on the document, over the selection or (null) the whole document.
    CommandRun Run(HostDocument& document, const EREGION* selection);

private:
    HostDocument _idle;
    SimulatedHost _host;
};
