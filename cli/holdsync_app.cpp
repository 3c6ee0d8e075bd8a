#include "cli/holdsync_app.h"

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/inputs.h"
#include "cli/plugin_run.h"
#include "cli/report.h"
#include "host/demo.h"
#include "host/musicxml/musicxml.h"

namespace {

constexpr int kLargestIndex = 32767;  // measures and slots are 16-bit in the host

struct Range {
    int first = 0;
    int last = 0;
};

// "A-B" or "A", both from 1, A not after B; nothing when the text is not such a range.
std::optional<Range> ParseRange(const std::string& text) {
    auto number = [](const std::string& digits, int& value) {
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        value = atoi(digits.c_str());
        return value >= 1 && value <= kLargestIndex;
    };
    Range range;
    const size_t dash = text.find('-');
    if (dash == std::string::npos) {
        if (!number(text, range.first)) return std::nullopt;
        range.last = range.first;
    } else if (!number(text.substr(0, dash), range.first) || !number(text.substr(dash + 1), range.last)) {
        return std::nullopt;
    }
    if (range.first > range.last) return std::nullopt;
    return range;
}

std::string CheckRange(const std::string& text) {
    return ParseRange(text) ? "" : "expected A-B or A, whole numbers from 1 with A not after B, got " + text;
}

struct Settings {
    std::vector<std::string> paths;
    bool demo = false;
    std::string format = "text";
    std::string measures;
    std::string staves;
    MusicXmlOptions import;
};

// The selection the host would hand over for --measures and --staves, cut to the document;
// false (with a warning) when nothing of the document is left in it.
bool SelectionFor(const Settings& settings, const HostDocument& document, EREGION& region,
                  std::vector<std::string>& warnings) {
    Range measures{1, document.MeasureCount()}, staves{1, document.StaffCount()};
    if (!settings.measures.empty()) {
        const Range asked = *ParseRange(settings.measures);
        measures = {asked.first, std::min(asked.last, static_cast<int>(document.MeasureCount()))};
    }
    if (!settings.staves.empty()) {
        const Range asked = *ParseRange(settings.staves);
        staves = {asked.first, std::min(asked.last, document.StaffCount())};
    }
    if (measures.first > measures.last || staves.first > staves.last) {
        warnings.push_back("the selection holds none of the score's " +
                           std::to_string(document.MeasureCount()) + " measures and " +
                           std::to_string(document.StaffCount()) + " staves");
        return false;
    }
    region = EREGION{};
    region.startSlot = static_cast<int16_t>(staves.first);
    region.endSlot = static_cast<int16_t>(staves.last);
    region.startMeasure = static_cast<int16_t>(measures.first);
    region.endMeasure = static_cast<int16_t>(measures.last);
    region.startPos = 0;
    region.endPos = 0x7FFFFFFF;
    return true;
}

// Runs the command on one document and fills the outcome.
void Check(PluginRunner& runner, const Settings& settings, HostDocument& document, FileOutcome& outcome) {
    const bool selected = !settings.measures.empty() || !settings.staves.empty();
    EREGION region{};
    if (selected && !SelectionFor(settings, document, region, outcome.warnings)) return;
    CommandRun run = runner.Run(document, selected ? &region : nullptr);
    outcome.boxes = std::move(run.boxes);
    outcome.findings = std::move(run.findings);
    outcome.warnings.insert(outcome.warnings.end(), run.warnings.begin(), run.warnings.end());
    outcome.errors.insert(outcome.errors.end(), run.errors.begin(), run.errors.end());
}

void ShowProgress(std::ostream& err, size_t done, size_t total, const std::string& file) {
    err << "\r\033[K[" << done << "/" << total << "] " << file << std::flush;
}

}  // namespace

int RunHoldsync(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool showProgress) {
    Settings settings;
    CLI::App app{"Checks that fermatas agree across the staves of MusicXML scores (.musicxml, .xml, .mxl)"};
    app.name("holdsync");
    app.add_option("paths", settings.paths, "Scores to check, and folders to search for scores");
    app.add_flag("--demo", settings.demo, "Run the command on the built-in demo score");
    app.add_option("--format", settings.format, "text (default), json, or boxes (each message box as shown)")
        ->check(CLI::IsMember({"text", "json", "boxes"}));
    app.add_option("--measures", settings.measures, "Check only measures A-B")->check(CheckRange);
    app.add_option("--staves", settings.staves, "Check only staves A-B (in score order)")->check(CheckRange);
    std::vector<std::string> fonts(std::begin(MusicXmlMusicFonts), std::end(MusicXmlMusicFonts));
    app.add_option("--music-font", settings.import.musicFont,
                   "The music font fermatas are drawn in (Maestro)")
        ->check(CLI::IsMember(fonts));
    try {
        app.parse(argc, argv);
        if (settings.demo && !settings.paths.empty())
            throw CLI::ValidationError("--demo", "checks the demo score alone; name no files with it");
        if (!settings.demo && settings.paths.empty())
            throw CLI::ValidationError("paths", "name at least one score or folder, or --demo");
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return status == 0 ? 0 : 2;
    }

    OutputFormat format = settings.format == "json"    ? OutputFormat::Json
                          : settings.format == "boxes" ? OutputFormat::Boxes
                                                       : OutputFormat::Text;
    if (settings.demo && app.count("--format") == 0) format = OutputFormat::Boxes;
    Report report(format, out);
    PluginRunner runner;

    if (settings.demo) {
        HostDocument document;
        BuildDemoDocument(document);
        FileOutcome outcome;
        Check(runner, settings, document, outcome);
        report.Add(outcome);
    } else {
        const std::vector<Input> inputs = CollectInputs(settings.paths);
        for (size_t index = 0; index < inputs.size(); ++index) {
            const Input& input = inputs[index];
            if (showProgress) ShowProgress(err, index, inputs.size(), input.path);
            FileOutcome outcome;
            outcome.file = input.path;
            if (!input.error.empty()) {
                outcome.errors.push_back(input.error);
            } else {
                HostDocument document;
                const MusicXmlImport imported = ImportMusicXmlFile(input.path, document, settings.import);
                outcome.warnings = imported.warnings;
                if (imported.ok)
                    Check(runner, settings, document, outcome);
                else
                    outcome.errors.push_back(imported.error);
            }
            if (showProgress) err << "\r\033[K" << std::flush;
            report.Add(outcome);
        }
        if (showProgress) err << "\r\033[K" << std::flush;
    }
    report.Finish();
    return report.ExitStatus();
}
