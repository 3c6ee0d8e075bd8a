// The command-line tool: exit statuses, output formats, selections, error lines for bad
// input, progress, and the findings on the examples and the demo score.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/holdsync_app.h"
#include "cli/plugin_run.h"
#include "tests/musicxml_support.h"

using namespace musicxml_test;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Holdsync(std::vector<std::string> arguments, bool progress = false) {
    arguments.insert(arguments.begin(), "holdsync");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    std::ostringstream out, err;
    const int status = RunHoldsync(static_cast<int>(argv.size()), argv.data(), out, err, progress);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

const std::string kFinding = ": no fermata where other staves have one";

// Runs from the source folder, in a fresh scratch folder for the files a test writes.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        _previous = fs::current_path();
        fs::current_path(HOLDSYNC_SOURCE_DIR);
        scratch = fs::path(::testing::TempDir()) / ("holdsync_cli_" + std::to_string(getpid()));
        fs::remove_all(scratch);
        fs::create_directories(scratch);
    }
    void TearDown() override {
        fs::remove_all(scratch);
        fs::current_path(_previous);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = scratch / name;
        fs::create_directories(path.parent_path());
        EXPECT_TRUE(WriteFile(path.string(), bytes));
        return path.string();
    }
    std::string Consistent() {
        return Partwise({{"P1", "Solo"}},
                        "<part id=\"P1\"><measure number=\"1\"><note><rest/><duration>1</duration>"
                        "</note></measure></part>");
    }

    fs::path scratch;

private:
    fs::path _previous;
};

}  // namespace

TEST(CliFindings, AreReadBackFromTheMessageText) {
    struct Case {
        std::string text;
        bool read;
        int measure;
        std::string number;
        int staff;
        std::string name;
    };
    const Case cases[] = {
        {"This measure has no fermata:\nMeasure 12\n(Measure number: 12)\n\nStaff 2: Alto", true, 12, "12", 2,
         "Alto"},
        {"This measure has no fermata:\nMeasure 3\n(Measure number: )\n\nStaff 10: ", true, 3, "", 10, ""},
        {"This measure has no fermata:\nMeasure 4\n(Measure number: A4b)\n\nStaff 1: x)\n\nStaff 9: y", true,
         4, "A4b", 1, "x)\n\nStaff 9: y"},
        {"This measure has no fermata:\nMeasure 4\n(Measure number: 4", false, 0, "", 0, ""},
        {"No fermata inconsistencies were found.", false, 0, "", 0, ""},
    };
    for (const Case& c : cases) {
        const std::optional<Finding> finding = ReadFinding(c.text);
        ASSERT_EQ(finding.has_value(), c.read) << c.text;
        if (!finding) continue;
        EXPECT_EQ(finding->measure, c.measure);
        EXPECT_EQ(finding->measureNumber, c.number);
        EXPECT_EQ(finding->staff, c.staff);
        EXPECT_EQ(finding->staffName, c.name);
    }
}

TEST_F(CliTest, EveryBadInputGivesOneErrorLineAndTheRunGoesOn) {
    const std::string good = Write("a-good.musicxml", Consistent());
    const std::string missing = (scratch / "b-missing.musicxml").string();
    const std::string loop = (scratch / "c-loop.xml").string();
    fs::create_symlink(loop, loop);
    const std::string page = Write("d-page.xml", "<html><body>not a score</body></html>");
    const std::string broken =
        Write("e-broken.musicxml", "<score-partwise>\n<part-list>\n</score-partwise>\n");
    const std::string empty = Write("f-empty.mxl", Zip({{"META-INF/container.xml", "<container/>"}}));
    const std::string bomb = Write("g-bomb.mxl", ZipDeclaring("score.musicxml", Consistent(), 0x7FFFFFFF));
    const std::string noParts = Write("h-noparts.xml", "<score-partwise><part-list/></score-partwise>");
    const std::string nothing = (scratch / "i-folder").string();
    fs::create_directories(nothing);

    const ToolRun run = Holdsync({good, missing, loop, page, broken, empty, bomb, noParts, nothing});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(
        Lines(run.out),
        (std::vector<std::string>{
            missing + ": error: cannot open the file: No such file or directory",
            loop + ": error: cannot open the file: Too many levels of symbolic links",
            page + ": error: not MusicXML: the document is <html>, not <score-partwise> or <score-timewise>",
            broken + ": error: malformed XML at line 3, column 3: Start-end tags mismatch",
            empty +
                ": error: no score in the archive (no rootfile in META-INF/container.xml, no .musicxml or "
                ".xml file)",
            bomb +
                ": error: the archive's entry score.musicxml would expand to 2147483647 bytes, more than the "
                "limit of 134217728",
            noParts + ": error: the score has no parts",
            nothing + ": error: no .musicxml, .xml or .mxl files in the folder",
            "no findings in 1 file, 8 files could not be checked",
        }));
}

TEST_F(CliTest, ExitStatusIsZeroForConsistentScoresAndTwoForWrongArguments) {
    const std::string good = Write("good.musicxml", Consistent());
    const ToolRun clean = Holdsync({good});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "no findings in 1 file\n");

    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{}, "name at least one score or folder, or --demo"},
        {{"--demo", good}, "checks the demo score alone; name no files with it"},
        {{"--measures", "0-3", good}, "expected A-B or A"},
        {{"--staves", "5-2", good}, "expected A-B or A"},
        {{"--measures", "x", good}, "expected A-B or A"},
        {{"--format", "xml", good}, "xml not in {text,json,boxes}"},
        {{"--music-font", "maestro", good}, "maestro not in {Maestro,Maestro Wide,EngraverFontSet,Jazz,"},
        {{"--frobnicate", good}, "The following argument was not expected: --frobnicate"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Holdsync(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(Holdsync({"--help"}).status, 0);
}

TEST_F(CliTest, FoldersAreSearchedRecursivelyForTheThreeExtensionsInNameOrder) {
    Write("set/b.MXL", "not a zip");
    Write("set/a/one.musicxml", "<x/>");
    Write("set/a/META-INF/container.xml", "<container/>");
    Write("set/c.xml", "<y/>");
    Write("set/notes.txt", "<z/>");
    const ToolRun run = Holdsync({(scratch / "set").string()});
    std::string files;
    for (const std::string& line : Lines(run.out))
        if (line.find(": error: ") != std::string::npos) files += line.substr(scratch.string().size()) + "\n";
    EXPECT_EQ(
        files,
        "/set/a/one.musicxml: error: not MusicXML: the document is <x>, not <score-partwise> or "
        "<score-timewise>\n"
        "/set/b.MXL: error: not a compressed MusicXML (.mxl) archive: it is not a zip file\n"
        "/set/c.xml: error: not MusicXML: the document is <y>, not <score-partwise> or <score-timewise>\n");
}

TEST_F(CliTest, JsonGivesFindingsWarningsAndErrorsPerFile) {
    const std::string good = Write("good.musicxml", Consistent());
    const std::string padded = Write(
        "padded.musicxml", Partwise({{"P1", "A"}, {"P2", "B"}},
                                    "<part id=\"P1\"><measure number=\"1\"/><measure number=\"2\"/></part>"
                                    "<part id=\"P2\"><measure number=\"1\"/></part>"));
    const ToolRun run = Holdsync({"--format", "json", good, padded, (scratch / "missing.xml").string()});
    EXPECT_EQ(run.status, 2);
    const nlohmann::json report = nlohmann::json::parse(run.out);
    ASSERT_EQ(report["files"].size(), 3u);
    EXPECT_EQ(report["files"][0]["file"], good);
    EXPECT_EQ(report["files"][0]["findings"], nlohmann::json::array());
    EXPECT_EQ(report["files"][1]["warnings"],
              nlohmann::json::array({"part \"B\" has 1 measures, padded with empty measures to 2"}));
    EXPECT_EQ(report["files"][2]["errors"],
              nlohmann::json::array({"cannot open the file: No such file or directory"}));
    EXPECT_EQ(report["summary"],
              nlohmann::json(
                  {{"files", 3}, {"findings", 0}, {"files_with_findings", 0}, {"files_with_errors", 1}}));
}

TEST_F(CliTest, ProgressGoesToTheTerminalOnlyAndNeverToTheReport) {
    const std::string first = Write("one.musicxml", Consistent());
    const std::string second = Write("two.musicxml", Consistent());
    const ToolRun quiet = Holdsync({first, second});
    EXPECT_EQ(quiet.err, "");
    const ToolRun shown = Holdsync({first, second}, true);
    EXPECT_EQ(shown.out, quiet.out);
    EXPECT_EQ(shown.err, "\r\033[K[0/2] " + first + "\r\033[K\r\033[K[1/2] " + second + "\r\033[K\r\033[K");

    // The tool itself writes nothing to a standard error that is not a terminal.
    const std::string command = std::string(HOLDSYNC_CLI_PATH) + " " + first + " " + second + " >" +
                                (scratch / "out").string() + " 2>" + (scratch / "err").string();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(fs::file_size(scratch / "err"), 0u);
    EXPECT_EQ(fs::file_size(scratch / "out"), quiet.out.size());
}

TEST_F(CliTest, ExamplesGiveTheExpectedFindings) {
    const ToolRun run = Holdsync({"examples"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{
                  "examples/chorale-findings.musicxml: measure 3 (number 2), staff 4 \"Bass\"" + kFinding,
                  "examples/chorale-findings.musicxml: measure 5 (number 4), staff 2 \"Alto\"" + kFinding,
                  "examples/duet.mxl: measure 4 (number 4), staff 2 \"Clarinet in B\u266d\"" + kFinding,
                  "examples/song-with-piano.musicxml: measure 2 (number 2), staff 3 \"Piano (2)\"" + kFinding,
                  "4 findings in 3 of 4 files",
              }));
    // The same findings whichever of the six fonts the fermatas are drawn in.
    EXPECT_EQ(Holdsync({"--music-font", "Broadway Copyist", "examples"}).out, run.out);
}

TEST_F(CliTest, ExamplesInJsonAndAsMessageBoxes) {
    const nlohmann::json report = nlohmann::json::parse(Holdsync({"--format", "json", "examples"}).out);
    ASSERT_EQ(report["files"].size(), 4u);
    EXPECT_EQ(report["files"][0]["findings"], nlohmann::json::array());
    EXPECT_EQ(report["files"][3]["findings"],
              nlohmann::json::array(
                  {{{"measure", 2}, {"measure_number", "2"}, {"staff", 3}, {"staff_name", "Piano (2)"}}}));
    EXPECT_EQ(report["summary"]["findings"], 4);

    const ToolRun boxes =
        Holdsync({"--format", "boxes", "examples/chorale-consistent.musicxml", "examples/duet.mxl"});
    EXPECT_EQ(boxes.status, 1);
    EXPECT_EQ(
        boxes.out,
        "examples/chorale-consistent.musicxml:\n"
        "Fermatas OK\n-----------\nNo fermata inconsistencies were found.\n\n"
        "examples/duet.mxl:\n"
        "Missing Fermata\n---------------\nThis measure has no fermata:\nMeasure 4\n(Measure number: 4)\n\n"
        "Staff 2: Clarinet in B\u266d\n\n"
        "1 finding in 1 of 2 files\n");
}

TEST_F(CliTest, SelectionsLimitTheMeasuresAndStavesScanned) {
    const std::string file = "examples/chorale-findings.musicxml";
    struct Case {
        std::vector<std::string> options;
        std::vector<int> measures;  // of the findings, in order
    };
    const Case cases[] = {
        {{}, {3, 5}},
        {{"--measures", "1-3"}, {3}},
        {{"--measures", "4-99"}, {5}},
        {{"--staves", "1-3"}, {5}},
        {{"--staves", "2"}, {}},
        {{"--measures", "5", "--staves", "1-2"}, {5}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--format", "json", file});
        const ToolRun run = Holdsync(arguments);
        const nlohmann::json report = nlohmann::json::parse(run.out);
        std::vector<int> measures;
        for (const auto& finding : report["files"][0]["findings"]) measures.push_back(finding["measure"]);
        EXPECT_EQ(measures, c.measures) << ::testing::PrintToString(c.options);
        EXPECT_EQ(run.status, c.measures.empty() ? 0 : 1);
    }
    const ToolRun outside = Holdsync({"--measures", "9-12", file});
    EXPECT_EQ(outside.status, 0);
    EXPECT_EQ(Lines(outside.out)[0],
              file + ": warning: the selection holds none of the score's 5 measures and 4 staves");
}

TEST_F(CliTest, DemoPrintsEachMessageBoxThenASummary) {
    const ToolRun run = Holdsync({"--demo"});
    EXPECT_EQ(run.status, 1);
    const std::string header = "Missing Fermata\n---------------\nThis measure has no fermata:\n";
    EXPECT_EQ(run.out, header + "Measure 3\n(Measure number: 2)\n\nStaff 2: Viola\n\n" + header +
                           "Measure 3\n(Measure number: 2)\n\nStaff 3: Violoncello\n\n" + header +
                           "Measure 8\n(Measure number: 3)\n\nStaff 3: Violoncello\n\n" +
                           "3 findings in the demo score\n");
    const ToolRun text = Holdsync({"--demo", "--format", "text"});
    EXPECT_EQ(Lines(text.out)[0], "demo: measure 3 (number 2), staff 2 \"Viola\"" + kFinding);
}
