// The tool's output: findings as diagnostics (text), as JSON, or as the plug-in's message
// boxes; warnings and errors per file; one summary line; the exit status.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/plugin_run.h"

enum class OutputFormat { Text, Json, Boxes };

// Everything known about one checked file (or the demo score).
struct FileOutcome {
    std::string file;  // "" for the demo score
    std::vector<MessageBoxCall> boxes;
    std::vector<Finding> findings;
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};

class Report {
public:
    Report(OutputFormat format, std::ostream& out);

    // Prints the file's lines at once (text, boxes) or keeps them for the end (JSON).
    void Add(const FileOutcome& outcome);
    // Prints the summary line, or the whole JSON document.
    void Finish();
    // 0 when no file has a finding, 1 when any has, 2 when any could not be checked.
    int ExitStatus() const;

private:
    void AddText(const FileOutcome& outcome);
    void AddBoxes(const FileOutcome& outcome);
    std::string Summary() const;

    OutputFormat _format;
    std::ostream& _out;
    nlohmann::json _files = nlohmann::json::array();
    int _checked = 0;
    int _failed = 0;
    int _findings = 0;
    int _filesWithFindings = 0;
    bool _demo = false;
};

// The one-line form of a finding, after the file name.
std::string DescribeFinding(const Finding& finding);
