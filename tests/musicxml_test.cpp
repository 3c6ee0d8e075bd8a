// The MusicXML importer: each import rule on a small score, archives, and bad input.
#include "host/musicxml/musicxml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/musicxml/measure_numbers.h"
#include "tests/musicxml_support.h"

using namespace musicxml_test;

namespace {

MusicXmlImport Import(const std::string& xml, HostDocument& document, const MusicXmlOptions& options = {}) {
    return ImportMusicXmlBytes(xml, "score.musicxml", document, options);
}

// One part "Solo" whose measures are given.
std::string Solo(const std::vector<std::string>& measures, const std::string& attributes = "") {
    std::string part = "<part id=\"P1\">";
    for (size_t i = 0; i < measures.size(); ++i) {
        part += "<measure number=\"" + std::to_string(i + 1) + "\">";
        if (i == 0) part += "<attributes><divisions>1</divisions>" + attributes + "</attributes>";
        part += measures[i] + "</measure>";
    }
    return Partwise({{"P1", "Solo"}}, part + "</part>");
}

const std::vector<EXENTRY>& Entries(HostDocument& document, int16_t staff, int16_t measure, int16_t layer) {
    static const std::vector<EXENTRY> none;
    const CellLayer* cell = document.FindCellLayer(staff, measure, layer);
    return cell ? cell->entries : none;
}

// An entry as "position/duration:displacements" ("rest" for a rest).
std::string Describe(const EXENTRY& entry) {
    std::string text = std::to_string(+entry.position) + "/" + std::to_string(+entry.duration) + ":";
    const int count = entry.noteCount;
    if (count == 0) return text + "rest";
    for (int i = 0; i < count; ++i) text += (i ? "," : "") + std::to_string(+entry.notes[i].displacement);
    return text;
}

std::string Layer(HostDocument& document, int16_t staff, int16_t measure, int16_t layer) {
    std::string text;
    for (const EXENTRY& entry : Entries(document, staff, measure, layer))
        text += (text.empty() ? "" : " ") + Describe(entry);
    return text;
}

}  // namespace

TEST(MusicxmlImport, ChordNotesJoinThePreviousEntryAndRestsAreRestEntries) {
    HostDocument document;
    const MusicXmlImport result = Import(Solo({Note(2, "C4") + Note(2, "E4", "<chord/>") +
                                               Note(2, "G4", "<chord/>") + Note(1, "rest") + Note(1, "D5")}),
                                         document);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(Layer(document, 1, 1, 0), "0/2048:0,2,4 2048/1024:rest 3072/1024:8");
    const EXENTRY& chord = Entries(document, 1, 1, 0)[0];
    EXPECT_EQ(+chord.flags & ENTRY_NOTE, ENTRY_NOTE);
    EXPECT_EQ(+Entries(document, 1, 1, 0)[1].flags & ENTRY_NOTE, 0u);
    EXPECT_TRUE(result.warnings.empty());
}

TEST(MusicxmlImport, PositionsComeFromDivisionsBackupAndForward) {
    HostDocument document;
    // Three divisions per quarter; grace notes take no time, cue notes do.
    const std::string measure =
        Note(3, "C4") + "<note><grace/><pitch><step>D</step><octave>4</octave></pitch></note>" +
        Note(1, "E4", "<cue/>") + "<forward><duration>2</duration></forward>" + Note(6, "F4") +
        "<backup><duration>9</duration></backup>" + Note(3, "G4", "<voice>2</voice>");
    std::string xml = Solo({measure});
    xml.replace(xml.find("<divisions>1</divisions>"), 24, "<divisions>3</divisions>");
    ASSERT_TRUE(Import(xml, document).ok);
    EXPECT_EQ(Layer(document, 1, 1, 0), "0/1024:0 1024/0:1 1024/341:2 2048/2048:3");
    EXPECT_EQ(Layer(document, 1, 1, 1), "1024/1024:4");
}

TEST(MusicxmlImport, VoicesTakeLayersInOrderOfFirstAppearanceAndAFifthSharesTheFourth) {
    HostDocument document;
    std::string first;
    for (const char* voice : {"3", "1", "7", "2", "9"})
        first += Note(1, "C4", std::string("<voice>") + voice + "</voice>") +
                 "<backup><duration>1</duration></backup>";
    const std::string second = Note(1, "D4", "<voice>1</voice>") + Note(1, "E4", "<voice>9</voice>");
    const MusicXmlImport result = Import(Solo({first, second}), document);
    ASSERT_TRUE(result.ok);
    std::string trace;
    for (int16_t measure : {1, 2})
        for (int16_t layer = 0; layer < 4; ++layer)
            trace += "m" + std::to_string(measure) + "l" + std::to_string(layer) + "[" +
                     Layer(document, 1, measure, layer) + "] ";
    EXPECT_EQ(trace,
              "m1l0[0/1024:0] m1l1[0/1024:0] m1l2[0/1024:0] m1l3[0/1024:0 0/1024:0] "
              "m2l0[] m2l1[0/1024:1] m2l2[] m2l3[1024/1024:2] ");
    EXPECT_EQ(result.warnings,
              (std::vector<std::string>{"measure 1 of part \"Solo\": staff 1 has more than four "
                                        "voices, voice 9 shares layer 4 with an earlier one"}));
    EXPECT_EQ(+document.maxLayers, 4);
    EXPECT_TRUE(document.hiddenLayers.empty());
}

TEST(MusicxmlImport, MultiStaffPartsTakeConsecutiveStavesAndNumberedNames) {
    HostDocument document;
    const std::string parts =
        "<part id=\"P1\"><measure number=\"1\">" + Note(1) +
        "</measure></part>"
        "<part id=\"P2\"><measure number=\"1\"><attributes><staves>2</staves></attributes>" +
        Note(1, "C4", "<staff>2</staff>") + "<backup><duration>1</duration></backup>" +
        Note(1, "C5", "<staff>1</staff>") +
        "<direction><direction-type><words>dolce</words></direction-type><staff>2</staff></direction></"
        "measure></part>"
        "<part id=\"P3\"><measure number=\"1\">" +
        Note(1) +
        "</measure></part>"
        "<part id=\"P4\"><measure number=\"1\">" +
        Note(1) + "</measure></part>";
    ASSERT_TRUE(
        Import(Partwise({{"P1", "Flute"}, {"P2", "Piano"}, {"P4", "Solo ^ Tutti"}, {"P3", " "}}, parts),
               document)
            .ok);
    ASSERT_EQ(document.StaffCount(), 5);
    std::vector<std::string> names;
    for (int16_t slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(document.SlotToStaff(slot), slot);
        names.push_back(StaffName(document, slot));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Flute", "Piano (1)", "Piano (2)", "Staff 4", "Solo ^^ Tutti"}));
    EXPECT_EQ(Layer(document, 3, 1, 0), "0/1024:0");
    EXPECT_EQ(Layer(document, 2, 1, 0), "0/1024:7");
    EXPECT_EQ(Expressions(document, 1), (std::vector<std::string>{"3:^fontTxt(Times)dolce"}));
}

TEST(MusicxmlImport, NoteFermatasAreArticulationsInTheMusicFont) {
    struct Case {
        std::string fermata;
        std::string font;
        std::string expected;
    };
    const Case cases[] = {
        {"<fermata/>", "Maestro", "Maestro:U"},
        {"<fermata type=\"upright\">angled</fermata>", "Maestro", "Maestro:U"},
        {"<fermata type=\"inverted\"/>", "Maestro", "Maestro:u"},
        {"<fermata type=\"inverted\"/>", "Broadway Copyist", "Broadway Copyist:u"},
        {"<fermata/>", "Jazz", "Jazz:U"},
    };
    for (const Case& c : cases) {
        HostDocument document;
        MusicXmlOptions options;
        options.musicFont = c.font;
        ASSERT_TRUE(
            Import(Solo({Note(1, "C4", "<notations>" + c.fermata + "</notations>")}), document, options).ok);
        const EXENTRY& entry = Entries(document, 1, 1, 0).at(0);
        EXPECT_EQ(+entry.flags & ENTRY_ARTICULATIONS, ENTRY_ARTICULATIONS) << c.fermata;
        EXPECT_EQ(Articulations(document, entry.entryNumber), (std::vector<std::string>{c.expected}))
            << c.fermata;
    }
}

TEST(MusicxmlImport, OtherMarksAreArticulationsThatDrawNoFermata) {
    HostDocument document;
    ASSERT_TRUE(Import(Solo({Note(1, "C4",
                                  "<notations><articulations><accent/><staccato/><tenuto/></articulations>"
                                  "<fermata/></notations>") +
                             Note(1, "E4", "<chord/><notations><fermata/></notations>") + Note(1)}),
                       document)
                    .ok);
    const auto& entries = Entries(document, 1, 1, 0);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(Articulations(document, entries[0].entryNumber),
              (std::vector<std::string>{"Maestro:>", "Maestro:.", "Maestro:-", "Maestro:U"}));
    EXPECT_EQ(+entries[1].flags & ENTRY_ARTICULATIONS, 0u);
}

TEST(MusicxmlImport, BarlineFermataGivesEveryStaffOfItsPartATextExpression) {
    HostDocument document;
    const std::string parts =
        "<part id=\"P1\"><measure number=\"1\"><attributes><staves>2</staves></attributes>" + Note(1) +
        "</measure><measure number=\"2\">" + Note(1) +
        "<barline location=\"right\"><fermata type=\"inverted\"/></barline></measure></part>"
        "<part id=\"P2\"><measure number=\"1\">" +
        Note(1) + "</measure><measure number=\"2\">" + Note(1) +
        "<barline location=\"right\"/></measure></part>";
    MusicXmlOptions options;
    options.musicFont = "Maestro Wide";
    ASSERT_TRUE(Import(Partwise({{"P1", "Organ"}, {"P2", "Voice"}}, parts), document, options).ok);
    EXPECT_TRUE(Expressions(document, 1).empty());
    EXPECT_EQ(Expressions(document, 2),
              (std::vector<std::string>{"1:^fontMus(Maestro Wide)u", "2:^fontMus(Maestro Wide)u"}));
}

TEST(MusicxmlImport, WordsAndDynamicsAreTextExpressionsThatDrawNoFermata) {
    HostDocument document;
    const std::string directions =
        "<direction><direction-type><words font-family=\"Maestro\">U</words></direction-type></direction>"
        "<direction><direction-type><words font-family=\"Garamond, serif\">a ^ "
        "b</words></direction-type></direction>"
        "<direction><direction-type><dynamics><mf/></dynamics></direction-type></direction>";
    ASSERT_TRUE(Import(Solo({directions + Note(1)}), document).ok);
    EXPECT_EQ(Expressions(document, 1),
              (std::vector<std::string>{"1:^fontTxt(Times)U", "1:^fontTxt(Garamond)a ^^ b",
                                        "1:^fontMus(Maestro)mf"}));
}

TEST(MusicxmlMeasureNumbers, SplitsPrefixIntegerAndSuffix) {
    struct Case {
        const char* text;
        bool hasNumber;
        const char* prefix;
        int value;
        const char* suffix;
    };
    const Case cases[] = {
        {"12", true, "", 12, ""},  {"12a", true, "", 12, "a"}, {"X3b", true, "X", 3, "b"},
        {" 7 ", true, "", 7, ""},  {"0", true, "", 0, ""},     {"A-2", true, "A-", 2, ""},
        {"abc", false, "", 0, ""}, {"", false, "", 0, ""},     {"99999", false, "", 0, ""},
    };
    for (const Case& c : cases) {
        const MeasureNumberText number = ParseMeasureNumber(c.text);
        EXPECT_EQ(number.hasNumber, c.hasNumber) << c.text;
        if (!c.hasNumber) continue;
        EXPECT_EQ(number.prefix, c.prefix) << c.text;
        EXPECT_EQ(number.value, c.value) << c.text;
        EXPECT_EQ(number.suffix, c.suffix) << c.text;
    }
}

TEST(MusicxmlMeasureNumbers, RunsThatCountUpFormRegionsAndNumberlessMeasuresStayOutside) {
    HostDocument document;
    std::vector<std::string> warnings;
    AddMeasureNumberRegions(document, {"0", "1", "2", "2a", "3", "A1", "A2", "", "7", "8", "1"}, warnings);
    EXPECT_EQ(Regions(document), (std::vector<std::string>{"1-3:0 |", "4-4:2 |a", "5-5:3 |", "6-7:1 A|",
                                                           "9-10:7 |", "11-11:1 |"}));
    EXPECT_TRUE(warnings.empty());
}

TEST(MusicxmlMeasureNumbers, ComeFromTheMeasuresNumberAttributes) {
    HostDocument document;
    std::string part = "<part id=\"P1\">";
    for (const char* number : {"0", "1", "2", "X", "3"})
        part += std::string("<measure number=\"") + number + "\">" + Note(1) + "</measure>";
    ASSERT_TRUE(Import(Partwise({{"P1", "Solo"}}, part + "</part>"), document).ok);
    EXPECT_EQ(Regions(document), (std::vector<std::string>{"1-3:0 |", "5-5:3 |"}));
}

TEST(MusicxmlImport, ShorterPartsArePaddedWithAWarning) {
    HostDocument document;
    const std::string parts = "<part id=\"P1\"><measure number=\"1\">" + Note(1) +
                              "</measure><measure number=\"2\">" + Note(1) +
                              "</measure><measure number=\"3\">" + Note(1) + "</measure></part>" +
                              "<part id=\"P2\"><measure number=\"1\">" + Note(1) + "</measure></part>";
    const MusicXmlImport result = Import(Partwise({{"P1", "Violin"}, {"P2", "Cello"}}, parts), document);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(+document.MeasureCount(), 3);
    EXPECT_EQ(Layer(document, 2, 3, 0), "");
    EXPECT_EQ(result.warnings,
              (std::vector<std::string>{"part \"Cello\" has 1 measures, padded with empty measures to 3"}));
    EXPECT_EQ(Regions(document), (std::vector<std::string>{"1-3:1 |"}));
}

TEST(MusicxmlImport, TimewiseScoresAreTakenInPartwiseOrder) {
    const std::string partwise = Partwise(
        {{"P1", "Oboe"}, {"P2", "Horn"}},
        "<part id=\"P1\"><measure number=\"1\">" + Note(1, "A4", "<notations><fermata/></notations>") +
            "</measure><measure number=\"2\">" + Note(2, "B4") +
            "</measure></part>"
            "<part id=\"P2\"><measure number=\"1\">" +
            Note(1, "C4") + "</measure><measure number=\"2\">" + Note(2, "D4") +
            "<barline><fermata/></barline></measure></part>");
    const std::string timewise =
        "<score-timewise version=\"4.0\"><part-list><score-part "
        "id=\"P1\"><part-name>Oboe</part-name></score-part>"
        "<score-part id=\"P2\"><part-name>Horn</part-name></score-part></part-list>"
        "<measure number=\"1\"><part id=\"P1\">" +
        Note(1, "A4", "<notations><fermata/></notations>") + "</part><part id=\"P2\">" + Note(1, "C4") +
        "</part></measure>"
        "<measure number=\"2\"><part id=\"P1\">" +
        Note(2, "B4") + "</part><part id=\"P2\">" + Note(2, "D4") +
        "<barline><fermata/></barline></part></measure></score-timewise>";
    auto summary = [](const std::string& xml) {
        HostDocument document;
        const MusicXmlImport result = ImportMusicXmlBytes(xml, "x.xml", document);
        std::string text = result.ok ? "" : "failed: " + result.error;
        for (int16_t staff = 1; staff <= document.StaffCount(); ++staff) {
            text += StaffName(document, staff) + ";";
            for (int16_t measure = 1; measure <= document.MeasureCount(); ++measure) {
                text += " " + Layer(document, staff, measure, 0);
                for (const EXENTRY& entry : Entries(document, staff, measure, 0))
                    for (const std::string& mark : Articulations(document, entry.entryNumber))
                        text += "+" + mark;
            }
            text += "|";
        }
        for (const std::string& expression : Expressions(document, 2)) text += expression + ";";
        for (const std::string& region : Regions(document)) text += region;
        return text;
    };
    EXPECT_EQ(summary(timewise), summary(partwise));
    EXPECT_EQ(summary(timewise),
              "Oboe; 0/1024:5+Maestro:U 0/2048:6|Horn; 0/1024:0 0/2048:1|2:^fontMus(Maestro)U;1-2:1 |");
}

TEST(MusicxmlImport, ArchivesTakeTheContainersRootfileOrElseTheFirstScore) {
    const std::string score = Solo({Note(1)});
    const std::string other = Partwise({{"P1", "Other"}}, "<part id=\"P1\"><measure number=\"1\"/></part>");
    const std::string container =
        "<container><rootfiles><rootfile full-path=\"cover.pdf\" media-type=\"application/pdf\"/>"
        "<rootfile full-path=\"scores/main.musicxml\"/></rootfiles></container>";
    struct Case {
        std::vector<std::pair<std::string, std::string>> entries;
        std::string expected;  // the first staff's name, or the error
    };
    const Case cases[] = {
        {{{"META-INF/container.xml", container}, {"other.xml", other}, {"scores/main.musicxml", score}},
         "Solo"},
        {{{"mimetype", "application/musicxml"},
          {"META-INF/extra.xml", other},
          {"a/score.xml", score},
          {"b.musicxml", other}},
         "Solo"},
        {{{"META-INF/container.xml", container}, {"other.xml", other}},
         "no score in the archive: META-INF/container.xml names scores/main.musicxml, which it lacks"},
        {{{"readme.txt", "hello"}},
         "no score in the archive (no rootfile in META-INF/container.xml, no .musicxml or .xml file)"},
    };
    for (const Case& c : cases) {
        HostDocument document;
        const MusicXmlImport result = ImportMusicXmlBytes(Zip(c.entries), "score.mxl", document);
        EXPECT_EQ(result.ok ? StaffName(document, 1) : result.error, c.expected);
    }
}

TEST(MusicxmlImport, ArchivesThatExpandBeyondTheLimitAreRefused) {
    MusicXmlOptions options;
    options.limits.maxScoreBytes = 4096;
    std::string padding = Solo({Note(1)});
    padding.insert(padding.find("<score-partwise"), "<!--" + std::string(8192, ' ') + "-->");
    HostDocument document;
    const MusicXmlImport result =
        ImportMusicXmlBytes(Zip({{"score.musicxml", padding}}), "big.mxl", document, options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "the archive's entry score.musicxml would expand to " +
                                std::to_string(padding.size()) + " bytes, more than the limit of 4096");
    EXPECT_EQ(document.StaffCount(), 0);
}

TEST(MusicxmlImport, BadInputGivesOneLineErrors) {
    struct Case {
        std::string bytes;
        std::string name;
        std::string error;
    };
    const Case cases[] = {
        {"<score-partwise>\n  <part-list>\n  <part id=\"P1\"></part-lis>\n", "a.xml",
         "malformed XML at line 3, column 19: Start-end tags mismatch"},
        {"<html><body>hello</body></html>", "a.xml",
         "not MusicXML: the document is <html>, not <score-partwise> or <score-timewise>"},
        {"", "a.musicxml", "not MusicXML: no XML element"},
        {std::string("\x00\x01\x02garbage\xff", 11), "a.musicxml", "not MusicXML: no XML element"},
        {"<score-partwise><part-list/></score-partwise>", "a.xml", "the score has no parts"},
        {"<score-timewise><part-list/><measure number=\"1\"/></score-timewise>", "a.xml",
         "the score has no parts"},
        {"<score-partwise/>", "a.mxl", "not a compressed MusicXML (.mxl) archive: it is not a zip file"},
        {std::string("PK\x03\x04", 4) + "truncated", "a.mxl",
         "not a readable zip archive (Not a zip archive)"},
        {Partwise({{"P1", "Big"}},
                  "<part id=\"P1\"><measure><attributes><staves>99999999999</staves></attributes>"
                  "</measure></part>"),
         "a.xml", "too many staves: more than 1000"},
        {Partwise(
             {{"P1", "Big"}},
             "<part id=\"P1\"><measure><attributes><staves>300</staves></attributes></measure>" +
                 [] {
                     std::string measures;
                     for (int i = 1; i < 1000; ++i) measures += "<measure/>";
                     return measures;
                 }() +
                 "</part>"),
         "a.xml", "the score is too large to check: 300 staves of 1000 measures"},
    };
    for (const Case& c : cases) {
        HostDocument document;
        const MusicXmlImport result = ImportMusicXmlBytes(c.bytes, c.name, document);
        EXPECT_FALSE(result.ok) << c.error;
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
    }
}

TEST(MusicxmlImport, DeepAndStrayMarkupNeitherCrashesNorStopsTheImport) {
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "<x>";
    for (int i = 0; i < 200000; ++i) deep += "</x>";
    HostDocument document;
    const MusicXmlImport result = Import(Solo({deep + Note(1, "C4", "<staff>5</staff><voice></voice>") +
                                               "<note><duration>nan</duration></note>" +
                                               "<backup><duration>-7</duration></backup>" + Note(1, "Q99")}),
                                         document);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(Layer(document, 1, 1, 0), "0/1024:0 1024/0:0 1024/1024:112");
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0],
              "measure 1 of part \"Solo\": staff 5 is not one of the part's 1, its first staff is used");
}

TEST(MusicxmlImport, FilesAreReadFromDiskAndTheirProblemsTold) {
    const std::string path = ::testing::TempDir() + "holdsync_import.musicxml";
    ASSERT_TRUE(WriteFile(path, Solo({Note(1)})));
    HostDocument document;
    EXPECT_TRUE(ImportMusicXmlFile(path, document).ok);
    EXPECT_EQ(StaffName(document, 1), "Solo");

    MusicXmlOptions small;
    small.limits.maxFileBytes = 16;
    HostDocument other;
    EXPECT_EQ(ImportMusicXmlFile(path, other, small).error, "the file is larger than the limit of 16 bytes");
    EXPECT_EQ(ImportMusicXmlFile(path + ".missing", other).error,
              "cannot open the file: No such file or directory");
    remove(path.c_str());
}
