#include "cli/report.h"

namespace {

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string DescribeFinding(const Finding& finding) {
    const std::string number =
        finding.measureNumber.empty() ? "no number" : "number " + finding.measureNumber;
    return "measure " + std::to_string(finding.measure) + " (" + number + "), staff " +
           std::to_string(finding.staff) + " \"" + finding.staffName +
           "\": no fermata where other staves have one";
}

Report::Report(OutputFormat format, std::ostream& out) : _format(format), _out(out) {}

void Report::Add(const FileOutcome& outcome) {
    if (outcome.file.empty()) _demo = true;
    if (outcome.errors.empty()) {
        ++_checked;
        _findings += static_cast<int>(outcome.findings.size());
        _filesWithFindings += outcome.findings.empty() ? 0 : 1;
    } else {
        ++_failed;
    }
    switch (_format) {
        case OutputFormat::Text:
            AddText(outcome);
            break;
        case OutputFormat::Boxes:
            AddBoxes(outcome);
            break;
        case OutputFormat::Json: {
            nlohmann::json findings = nlohmann::json::array();
            for (const Finding& finding : outcome.findings)
                findings.push_back({{"measure", finding.measure},
                                    {"measure_number", finding.measureNumber},
                                    {"staff", finding.staff},
                                    {"staff_name", finding.staffName}});
            _files.push_back({{"file", outcome.file.empty() ? "demo" : outcome.file},
                              {"findings", findings},
                              {"warnings", outcome.warnings},
                              {"errors", outcome.errors}});
            break;
        }
    }
}

void Report::AddText(const FileOutcome& outcome) {
    const std::string file = outcome.file.empty() ? "demo" : outcome.file;
    for (const std::string& warning : outcome.warnings) _out << file << ": warning: " << warning << "\n";
    for (const std::string& error : outcome.errors) _out << file << ": error: " << error << "\n";
    for (const Finding& finding : outcome.findings) _out << file << ": " << DescribeFinding(finding) << "\n";
}

void Report::AddBoxes(const FileOutcome& outcome) {
    const std::string file = outcome.file.empty() ? "demo" : outcome.file;
    for (const std::string& warning : outcome.warnings) _out << file << ": warning: " << warning << "\n";
    for (const std::string& error : outcome.errors) _out << file << ": error: " << error << "\n";
    if (!outcome.errors.empty()) return;
    if (!outcome.file.empty()) _out << outcome.file << ":\n";
    // As the user reads a box: its caption, then its text.
    for (const MessageBoxCall& box : outcome.boxes)
        _out << box.caption << "\n" << std::string(box.caption.size(), '-') << "\n" << box.text << "\n\n";
}

std::string Report::Summary() const {
    std::string summary;
    if (_demo && _failed > 0) return "the demo score could not be checked";
    if (_demo) {
        summary = _findings == 0 ? "no findings in the demo score"
                                 : Counted(_findings, "finding", "findings") + " in the demo score";
    } else if (_findings == 0) {
        summary = "no findings in " + Counted(_checked, "file", "files");
    } else {
        summary = Counted(_findings, "finding", "findings") + " in " + std::to_string(_filesWithFindings) +
                  " of " + Counted(_checked, "file", "files");
    }
    if (_failed > 0) summary += ", " + Counted(_failed, "file", "files") + " could not be checked";
    return summary;
}

void Report::Finish() {
    if (_format != OutputFormat::Json) {
        _out << Summary() << "\n";
        return;
    }
    const nlohmann::json document = {{"files", _files},
                                     {"summary",
                                      {{"files", _checked + _failed},
                                       {"findings", _findings},
                                       {"files_with_findings", _filesWithFindings},
                                       {"files_with_errors", _failed}}}};
    // Names come from scores and may hold bytes that are not UTF-8: they are replaced.
    _out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

int Report::ExitStatus() const {
    if (_failed > 0) return 2;
    return _findings > 0 ? 1 : 0;
}
