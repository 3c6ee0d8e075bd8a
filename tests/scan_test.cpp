// The fermata consistency scan, end to end: the host calls the plug-in's entry points in
// its order and the test reads the message boxes the user would see.
#include "extension/fermatascan.h"
#include "extension/holdsync.h"
#include "finaleframework/collections/fcregion.h"
#include "tests/support.h"

namespace {

constexpr uint32_t kArticulationTag = 0x6564494D;

std::string Finding(int measure, const std::string& number, int staff, const std::string& name) {
    return "This measure has no fermata:\nMeasure " + std::to_string(measure) + "\n(Measure number: " + number +
           ")\n\nStaff " + std::to_string(staff) + ": " + name;
}

class ScanTest : public HostTest {
protected:
    // Three staves, six measures of quarter notes in layer 0, numbered 1 to 6.
    ScanTest() {
        flute = document.AddStaff("Flute");
        oboe = document.AddStaff("Oboe");
        horn = document.AddStaff("^font(Times)^size(12)Horn in F");
        document.SetMeasureCount(6);
        for (int16_t staff : {flute, oboe, horn})
            for (int16_t measure = 1; measure <= 6; ++measure) Note(staff, measure, 0);
        document.AddMeasureNumberRegion(1, 6, 1);
        maestroFermata = document.AddArticulationDef("Maestro", 'U');
    }

    int32_t Note(int16_t staff, int16_t measure, int16_t layer) {
        CellLayer& cell = document.CellLayerAt(staff, measure, layer);
        const int32_t position = static_cast<int32_t>(cell.entries.size()) * 1024;
        return document.AddEntry(staff, measure, layer, position, 1024, {2}).entryNumber;
    }
    void Fermata(int16_t staff, int16_t measure, int16_t definition = 0, int16_t layer = 0) {
        const int32_t entry = Note(staff, measure, layer);
        document.AddArticulation(entry, definition ? definition : maestroFermata);
    }
    void TextFermata(int16_t staff, int16_t measure, const std::string& enigma) {
        document.AddExpression(measure, staff, document.AddTextExpressionDef(enigma));
    }

    // Runs the menu item as the host does; the boxes shown, as "caption|text".
    std::vector<std::string> Run(EREGION* region = nullptr, uint32_t hostVersion = SIMULATED_HOST_VERSION) {
        EXPECT_EQ(FinaleExtensionVersion(hostVersion), 0x0E000000u);
        FinaleExtensionInit(0, 0);
        uint8_t menuItem[MENU_RECORD_SIZE];
        EXPECT_EQ(FinaleExtensionEnumerate(0, 0, menuItem), 1u);
        EXPECT_EQ(FinaleExtensionInvoke(host.window, 0, region, 0), 0u);
        FinaleExtensionTerminate(0);
        std::vector<std::string> boxes;
        for (const MessageBoxCall& box : host.messageBoxes) {
            EXPECT_EQ(box.window, host.window);
            EXPECT_EQ(box.type, MB_OK);
            boxes.push_back(box.caption + "|" + box.text);
        }
        EXPECT_TRUE(host.liveFrames.empty()) << "frames left unfreed";
        EXPECT_TRUE(host.faults.empty());
        return boxes;
    }
    std::vector<std::string> Missing(std::initializer_list<std::string> texts) {
        std::vector<std::string> boxes;
        for (const std::string& text : texts) boxes.push_back("Missing Fermata|" + text);
        return boxes;
    }

    int16_t flute = 0, oboe = 0, horn = 0, maestroFermata = 0;
    const std::vector<std::string> allClear{"Fermatas OK|No fermata inconsistencies were found."};
};

}  // namespace

TEST_F(ScanTest, AConsistentDocumentGetsOneAllClearBox) { EXPECT_EQ(Run(), allClear); }

TEST_F(ScanTest, TheStaffWithoutAFermataIsReported) {
    Fermata(flute, 5);
    Fermata(oboe, 5);
    EXPECT_EQ(Run(), Missing({Finding(5, "5", horn, "Horn in F")}));
}

TEST_F(ScanTest, MeasuresWhereAllOrNoStavesHoldAreConsistent) {
    for (int16_t staff : {flute, oboe, horn}) Fermata(staff, 2);
    EXPECT_EQ(Run(), allClear);
}

TEST_F(ScanTest, FindingsComeMeasureByMeasureTopSlotFirst) {
    document.SetSlotOrder({horn, flute, oboe});
    Fermata(oboe, 4);
    Fermata(horn, 2);
    EXPECT_EQ(Run(), Missing({Finding(2, "2", flute, "Flute"), Finding(2, "2", oboe, "Oboe"),
                              Finding(4, "4", horn, "Horn in F"), Finding(4, "4", flute, "Flute")}));
}

TEST_F(ScanTest, ASecondLayerCountsWhenShownAndIsNotSeenWhenHidden) {
    Fermata(flute, 3);
    Fermata(oboe, 3, 0, /*layer=*/1);
    Fermata(horn, 3, 0, /*layer=*/2);
    document.hiddenLayers = {2};
    EXPECT_EQ(Run(), Missing({Finding(3, "3", horn, "Horn in F")}));
}

TEST_F(ScanTest, OnlyTheSixFontsUprightAndInvertedGlyphsAreFermatas) {
    struct Case {
        const char* font;
        uint8_t character;
        bool counts;
    };
    const Case cases[] = {{"Broadway Copyist", 'u', true}, {"Maestro Wide", 'U', true},
                          {"EngraverFontSet", 'u', true},  {"Articulations", 'U', true},
                          {"maestro", 'U', false},         {"Maestro", 'V', false},
                          {"Times", 'U', false}};
    for (const Case& c : cases) {
        HostDocument fresh;
        host.SetDocument(fresh);
        host.messageBoxes.clear();
        const int16_t a = fresh.AddStaff("A"), b = fresh.AddStaff("B");
        fresh.AddArticulation(fresh.AddEntry(a, 1, 0, 0, 1024, {0}).entryNumber, fresh.AddArticulationDef("Jazz", 'U'));
        fresh.AddArticulation(fresh.AddEntry(b, 1, 0, 0, 1024, {0}).entryNumber,
                              fresh.AddArticulationDef(c.font, c.character));
        const auto expected = c.counts ? allClear : Missing({Finding(1, "", b, "B")});
        EXPECT_EQ(Run(), expected) << c.font << " " << c.character;
    }
}

TEST_F(ScanTest, ASymbolThatIsNoFontCharacterIsNoFermata) {
    Fermata(flute, 1);
    const int16_t shape = document.AddArticulationDef("Maestro", 'U');
    (*document.FindRecord(0x4F044958, OtherKey(static_cast<uint16_t>(shape))))[22] = 0x02;
    Fermata(oboe, 1, shape);
    Fermata(horn, 1);
    EXPECT_EQ(Run(), Missing({Finding(1, "1", oboe, "Oboe")}));
}

TEST_F(ScanTest, TextExpressionsCountOnlyAsOneFermataGlyphInTheLastFont) {
    struct Case {
        std::string enigma;
        bool counts;
    };
    const int16_t maestro = document.FontNumber("Maestro");
    const Case cases[] = {{"^fontMus(Jazz)U", true},
                          {"^fontTxt(Times)^fontMus(Maestro Wide)^size(24)u", true},
                          {"^font(Font" + std::to_string(maestro) + ")U", true},
                          {"^fontMus(Jazz)UU", false},
                          {"^fontMus(Jazz)U ", false},
                          {"^fontMus(Jazz)^fontTxt(Times)U", false},
                          {"^fontMus(Calligraphy)U", false},
                          {"U", false}};
    document.SetMeasureCount(8);
    std::vector<std::string> expected;
    for (int16_t measure = 1; measure <= 8; ++measure) {
        const Case& c = cases[measure - 1];
        if (measure > 6) Note(oboe, measure, 0);
        Fermata(flute, measure);
        TextFermata(oboe, measure, c.enigma);
        Fermata(horn, measure);
        const std::string number = measure <= 6 ? std::to_string(measure) : "";
        if (!c.counts) expected.push_back("Missing Fermata|" + Finding(measure, number, oboe, "Oboe"));
    }
    EXPECT_EQ(Run(), expected);
}

TEST_F(ScanTest, AnExpressionShowsThroughItsStaffList) {
    Fermata(flute, 2);
    const int16_t text = document.AddTextExpressionDef("^fontMus(Maestro)U");
    document.AddStaffList(0x6F746463, 7, {horn});  // the set the scan reads
    document.AddStaffList(0x6F744443, 8, {oboe});  // another set: not read
    document.AddExpression(2, flute, text, 7);
    document.AddExpression(2, flute, text, 8);
    EXPECT_EQ(Run(), Missing({Finding(2, "2", oboe, "Oboe")}));
}

TEST_F(ScanTest, ArticulationsOfAnEntryWithoutTheirFlagAreNeverLoaded) {
    Fermata(flute, 1);
    Fermata(oboe, 1);
    const int32_t entry = Note(horn, 1, 0);
    document.AddArticulation(entry, maestroFermata);
    document.FindEntry(entry)->flags &= ~ENTRY_ARTICULATIONS;
    EXPECT_EQ(Run(), Missing({Finding(1, "1", horn, "Horn in F")}));
    for (const HostCall& call : host.CallsTo("FX_LoadEData"))
        if (call.args[0] == kArticulationTag) EXPECT_NE(static_cast<int32_t>(call.args[1] & 0xFFFFFFFF), entry);
}

TEST_F(ScanTest, AMeasureOutsideEveryNumberRegionHasAnEmptyNumber) {
    document.EraseRecord(0x534F4D4E, OtherKey(1));
    document.AddMeasureNumberRegion(1, 3, 1);
    Fermata(flute, 5);
    Fermata(oboe, 5);
    EXPECT_EQ(Run(), Missing({Finding(5, "", horn, "Horn in F")}));
}

TEST_F(ScanTest, NumbersOfALaterMovementAndOlderHostsLayout) {
    document.EraseRecord(0x534F4D4E, OtherKey(1));
    document.AddMeasureNumberRegion(1, 3, 1, "", "", /*olderLayout=*/true);
    document.AddMeasureNumberRegion(4, 6, 1, "II-", "", /*olderLayout=*/true);
    Fermata(flute, 5);
    Fermata(oboe, 5);
    EXPECT_EQ(Run(nullptr, 0x0E000000), Missing({Finding(5, "II-2", horn, "Horn in F")}));
    RunningFinaleVersion = FINALE_FRAMEWORK_VERSION;
}

TEST_F(ScanTest, ASelectionLimitsTheScan) {
    Fermata(flute, 2);
    Fermata(flute, 4);
    Fermata(oboe, 4);
    EREGION selection{};
    selection.startSlot = 2;
    selection.endSlot = 3;
    selection.startMeasure = 3;
    selection.endMeasure = 4;
    selection.endPos = 0x7FFFFFFF;
    EXPECT_EQ(Run(&selection), Missing({Finding(4, "4", horn, "Horn in F")}));
}

TEST_F(ScanTest, ARegionWhoseStartSlotIsBelowItsEndSlotHasNoCells) {
    Fermata(flute, 1);
    FCMusicRegion region;
    region._startSlot = 3;
    region._endSlot = 1;
    region._startMeasure = 1;
    region._endMeasure = 6;
    EXPECT_EQ(Holdsync(host.window, &region), 0);
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(ScanTest, HoldsyncCountsItsFindings) {
    Fermata(flute, 1);
    FCMusicRegion region;
    region.SetFullDocument();
    EXPECT_EQ(Holdsync(host.window, &region), 2);
    EXPECT_EQ(host.messageBoxes.size(), 2u);
    EXPECT_TRUE(host.liveFrames.empty());
}

TEST_F(ScanTest, ALongStaffNameIsShownWhole) {
    const std::string name(3000, 'n');
    const int16_t long_ = document.AddStaff(name);
    for (int16_t staff : {flute, oboe, horn}) Fermata(staff, 6);
    Note(long_, 6, 0);
    EXPECT_EQ(Run(), Missing({Finding(6, "6", long_, name)}));
}

TEST(GlyphTable, FilledWithTheSixFontsAtLoad) {
    const char* fonts[] = {"Maestro", "Maestro Wide", "EngraverFontSet", "Jazz", "Broadway Copyist", "Articulations"};
    for (int i = 0; i < FERMATA_GLYPH_COUNT; ++i) {
        EXPECT_STREQ(fermatainforecords[i].fontName, fonts[i / 2]);
        EXPECT_EQ(fermatainforecords[i].character, i % 2 ? 'u' : 'U');
    }
    EXPECT_EQ(fermatainforecords[0].fontName, constMaestro);
}
