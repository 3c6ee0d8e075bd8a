// Entry cells: the frames of every shown layer of one measure on one staff, the entries
// built over them, saving, copying entries between frames, and the region browser.
#include <memory>
#include <string>
#include <vector>

#include "finaleframework/entries/fcnoteentrycell.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;

class EntryCellTest : public HostTest {
protected:
    EntryCellTest() {
        staff = document.AddStaff("Horn");
        document.SetMeasureCount(3);
    }
    void TearDown() override {
        cell.reset();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }

    // Entries at positions 0, 1024, 2048 ... of a layer, each a one-note chord whose
    // displacement is its index.
    void Fill(int16_t measure, int16_t layer, int count, int16_t onStaff = 0) {
        for (int i = 0; i < count; ++i)
            document.AddEntry(onStaff ? onStaff : staff, measure, layer, i * 1024, 1024, {static_cast<int16_t>(i)});
    }
    FCNoteEntryCell& Cell(int32_t measure = 1) {
        cell = std::make_unique<FCNoteEntryCell>(measure, staff);
        return *cell;
    }
    std::vector<int64_t> LoadedLayers() const {
        std::vector<int64_t> layers;
        for (const HostCall& call : host.CallsTo("FX_LoadTGF")) layers.push_back(call.args[3]);
        return layers;
    }

    int16_t staff;
    std::unique_ptr<FCNoteEntryCell> cell;
};

// Layer of an entry and its displacement, "L<layer>:<displacement>".
std::string Describe(FCNoteEntry* entry) {
    const int16_t layer = entry->_GetFrame()->layer;
    const int16_t displacement = entry->GetCount() ? entry->GetNoteAt(0)->GetDisplacement() : -1;
    return "L" + std::to_string(layer) + ":" + std::to_string(displacement);
}

class TraceHandler : public FCIteratorHandler {
public:
    bool Match(__FCBase* element) override {
        trace += Describe(static_cast<FCNoteEntry*>(element)) + " ";
        return false;
    }
    bool Iterate(__FCBase* element) override {
        auto* entry = static_cast<FCNoteEntry*>(element);
        trace += "m" + std::to_string(entry->GetMeasure()) + "s" + std::to_string(entry->GetStaff()) + "@" +
                 std::to_string(entry->GetMeasurePos()) + " ";
        if (deleteNotes) entry->GetNoteAt(0)->MarkDeleted();
        return --stopAfter != 0;
    }
    std::string trace;
    int stopAfter = -1;
    bool deleteNotes = false;
};

}  // namespace

TEST_F(EntryCellTest, OnlyShownLayersAreLoadedAndHiddenEntriesAreNeverSeen) {
    Fill(1, 0, 2);
    Fill(1, 1, 3);
    Fill(1, 2, 1);
    document.hiddenLayers = {1};
    FCNoteEntryCell& entries = Cell();
    EXPECT_STREQ(entries.ClassName(), "FCNoteEntryCell");
    ASSERT_TRUE(entries.Load());
    EXPECT_EQ(LoadedLayers(), (std::vector<int64_t>{0, 2, 3}));
    const HostCall load = host.CallsTo("FX_LoadTGF")[0];
    EXPECT_EQ(load.args, (std::vector<int64_t>{0, 1, 1, 0, 1, V}));
    EXPECT_EQ(host.CallsTo("FX_InstToSlot")[0].args, (std::vector<int64_t>{staff, 0, V}));
    EXPECT_NE(entries._GetFrame(0), nullptr);
    EXPECT_EQ(entries._GetFrame(1), nullptr);
    TraceHandler handler;
    EXPECT_EQ(entries.FindFirst(&handler), nullptr);
    EXPECT_EQ(handler.trace, "L0:0 L0:1 L2:0 ");
}

TEST_F(EntryCellTest, WithNoLayerShownNothingIsLoaded) {
    Fill(1, 0, 2);
    document.hiddenLayers = {0, 1, 2, 3};
    EXPECT_TRUE(Cell().Load());
    EXPECT_EQ(cell->GetCount(), 0);
    EXPECT_EQ(host.CallCount("FX_LoadTGF"), 0);
    for (int layer = 0; layer < FCNoteEntryCell::MAX_LAYER_SLOTS; ++layer) EXPECT_EQ(cell->_GetFrame(layer), nullptr);
}

TEST_F(EntryCellTest, EntriesAreChainedPerLayer) {
    Fill(1, 0, 3);
    Fill(1, 1, 2);
    ASSERT_TRUE(Cell().Load());
    ASSERT_EQ(cell->GetCount(), 5);
    std::string chain;
    for (int i = 0; i < cell->GetCount(); ++i) {
        FCNoteEntry* entry = cell->GetEntryAt(i);
        chain += (entry->GetPrevious() ? Describe(entry->GetPrevious()) : "-") + "<" + Describe(entry) + ">" +
                 (entry->GetNext() ? Describe(entry->GetNext()) : "-") + " ";
    }
    EXPECT_EQ(chain, "-<L0:0>L0:1 L0:0<L0:1>L0:2 L0:1<L0:2>- -<L1:0>L1:1 L1:0<L1:1>- ");
}

TEST_F(EntryCellTest, AFrameTheHostCannotDeliverDropsEverything) {
    Fill(1, 0, 2);
    Fill(1, 1, 2);
    document.unloadableLayers = {2};
    EXPECT_FALSE(Cell().Load());
    EXPECT_EQ(cell->GetCount(), 0);
    EXPECT_EQ(cell->_GetFrame(0), nullptr);
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 2);
    EXPECT_TRUE(host.liveFrames.empty());
}

TEST_F(EntryCellTest, ReloadingFreesTheFramesItHad) {
    Fill(1, 0, 2);
    ASSERT_TRUE(Cell().Load());
    EXTGF2005a* first = cell->_GetFrame(0);
    ASSERT_TRUE(cell->Load());
    ASSERT_EQ(host.CallCount("FX_FreeTGF"), 4);  // the four layers of the first load
    EXPECT_EQ(host.CallsTo("FX_FreeTGF")[0].args[0], reinterpret_cast<int64_t>(first));
    EXPECT_EQ(host.liveFrames.size(), 4u);
    EXPECT_EQ(cell->GetCount(), 2);
}

TEST_F(EntryCellTest, AHostWithMoreLayersThanSlotsGetsTwentyLayers) {
    document.maxLayers = 25;
    Fill(1, 19, 1);
    Fill(1, 21, 1);
    ASSERT_TRUE(Cell().Load());
    const std::vector<int64_t> layers = LoadedLayers();
    ASSERT_EQ(layers.size(), 20u);
    EXPECT_EQ(layers.back(), 19);
    ASSERT_EQ(cell->GetCount(), 1);
    EXPECT_EQ(Describe(cell->GetEntryAt(0)), "L19:0");
    EXPECT_TRUE(cell->Save());
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 20);
}

TEST_F(EntryCellTest, RegionItemsAreBoundedByTheRegionPositions) {
    for (int32_t position : {512, 1024, 2048, 3072}) document.AddEntry(staff, 1, 0, position, 512, {0});
    for (int32_t position : {512, 3072}) document.AddEntry(staff, 2, 0, position, 512, {0});
    FCMusicRegion region;
    region._startMeasure = 1;
    region._startPos = 1024;
    region._endMeasure = 3;
    region._endPos = 2048;
    ASSERT_TRUE(Cell(1).Load());
    std::string included;
    for (int i = -1; i <= cell->GetCount(); ++i) included += cell->GetRegionItemAt(i, &region) ? "+" : ".";
    EXPECT_EQ(included, "..+++.");
    ASSERT_TRUE(Cell(2).Load());  // a middle measure: every position
    EXPECT_NE(cell->GetRegionItemAt(0, &region), nullptr);
    EXPECT_NE(cell->GetRegionItemAt(1, &region), nullptr);
    region._endMeasure = 2;  // now the end measure too
    EXPECT_EQ(cell->GetRegionItemAt(1, &region), nullptr);
    EXPECT_EQ(cell->GetRegionItemAt(0, nullptr), nullptr);
}

TEST_F(EntryCellTest, TheClosestPositionWinsAndTiesGoToTheEarlierEntry) {
    for (int32_t position : {0, 768, 1536}) document.AddEntry(staff, 1, 0, position, 768, {0});
    document.AddEntry(staff, 2, 0, 0, 768, {0});
    ASSERT_TRUE(Cell(1).Load());
    EXPECT_EQ(cell->FindClosestPos(1000), cell->GetEntryAt(1));
    EXPECT_EQ(cell->FindClosestPos(384), cell->GetEntryAt(0));
    EXPECT_EQ(cell->FindClosestPos(-2000000000), nullptr);
    ASSERT_TRUE(Cell(2).Load());
    EXPECT_EQ(cell->FindClosestPos(20000), nullptr);
    EXPECT_EQ(cell->FindClosestPos(19999), cell->GetEntryAt(0));
}

TEST_F(EntryCellTest, SaveOffersEveryFrameAndReportsARefusal) {
    Fill(1, 0, 1);
    Fill(1, 1, 1);
    ASSERT_TRUE(Cell().Load());
    cell->GetEntryAt(0)->GetNoteAt(0)->SetDisplacement(7);
    cell->GetEntryAt(1)->GetNoteAt(0)->SetDisplacement(8);
    document.unsavableLayers = {0};
    EXPECT_FALSE(cell->Save());
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 4);
    EXPECT_EQ(+document.CellLayerAt(staff, 1, 0).entries[0].notes[0].displacement, 0);
    EXPECT_EQ(+document.CellLayerAt(staff, 1, 1).entries[0].notes[0].displacement, 8);
    document.unsavableLayers.clear();
    EXPECT_TRUE(cell->Save());
    EXPECT_EQ(+document.CellLayerAt(staff, 1, 0).entries[0].notes[0].displacement, 7);
}

TEST_F(EntryCellTest, CopiedEntriesLoseTheFlagsOfAttachedRecordsAndKeepTheirPlaceNumbers) {
    Fill(1, 0, 2);
    Fill(2, 0, 3);
    for (EXENTRY& entry : document.CellLayerAt(staff, 1, 0).entries) {
        entry.flags = 0xFFFFFFFF;
        entry.flags2 = 0xFFFF;
        entry.clefIndex = 3;
    }
    EXTGF2005a* source = FX_LoadTGF(0, 1, 1, 0, 0, V);
    EXTGF2005a* destination = FX_LoadTGF(0, 1, 2, 0, 0, V);
    Cell()._CopyEntries(source, destination);
    EXPECT_EQ(host.CallsTo("FX_DeleteEXENTRY")[0].args, (std::vector<int64_t>{reinterpret_cast<int64_t>(destination), 0, 3, V}));
    EXPECT_EQ(host.CallsTo("FX_InsertEXENTRY")[0].args, (std::vector<int64_t>{reinterpret_cast<int64_t>(destination), 0, 2, V}));
    ASSERT_EQ(FrameEntryCount(destination), 2);
    for (int i = 0; i < 2; ++i) {
        const EXENTRY copy = FrameEntries(destination)[i];
        EXENTRY expected = FrameEntries(source)[i];
        expected.entryNumber = 0;  // the number of the inserted record it landed on
        expected.flags = 0xFF85AB3F;
        expected.flags2 = 0xFFDF;
        EXPECT_EQ(memcmp(&copy, &expected, sizeof copy), 0) << i;
    }
    ASSERT_EQ(FX_SaveTGF(destination, V), 1);
    FX_FreeTGF(source, V);
    FX_FreeTGF(destination, V);
    const auto& saved = document.CellLayerAt(staff, 2, 0).entries;
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_GT(+saved[0].entryNumber, +document.CellLayerAt(staff, 1, 0).entries[1].entryNumber);
    EXPECT_EQ(+saved[1].position, 1024);
    EXPECT_EQ(+saved[1].clefIndex, 3);

    cell->_CopyEntries(nullptr, nullptr);
    EXPECT_EQ(host.CallCount("FX_DeleteEXENTRY"), 1);
}

TEST_F(EntryCellTest, TheBrowserWalksTheRegionCellByCellWithoutSaving) {
    const int16_t second = document.AddStaff("Tuba");
    Fill(1, 0, 2);
    Fill(2, 0, 2);
    Fill(1, 0, 1, second);
    Fill(1, 1, 1, second);
    FCMusicRegion region;
    region._startSlot = 1;
    region._endSlot = 2;
    region._startMeasure = 1;
    region._endMeasure = 2;
    region._startPos = 0;
    region._endPos = 1024;
    TraceHandler handler;
    handler.deleteNotes = true;
    FCBrowserNoteEntries browser;
    EXPECT_STREQ(browser.ClassName(), "__FCBrowserBase");
    EXPECT_EQ(browser.ForEachInRegion(&handler, &region), 4);
    EXPECT_EQ(handler.trace, "m1s1@0 m1s1@1024 m1s2@0 m1s2@0 m2s1@0 m2s1@1024 ");
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 0);
    EXPECT_EQ(+document.CellLayerAt(staff, 1, 0).entries[0].noteCount, 1);
    EXPECT_TRUE(host.liveFrames.empty());
}

TEST_F(EntryCellTest, TheBrowserSavesEachCellWhenTheHandlerAsksAndStopsWhenToldTo) {
    Fill(1, 0, 2);
    Fill(2, 0, 2);
    FCMusicRegion region;
    region._startSlot = region._endSlot = 1;
    region._startMeasure = 1;
    region._endMeasure = 2;
    region._endPos = 0x7FFFFFFF;
    TraceHandler handler;
    handler.deleteNotes = true;
    handler._saveFlag = true;
    handler.stopAfter = 3;
    FCBrowserNoteEntries browser;
    EXPECT_EQ(browser.ForEachInRegion(&handler, &region), 1);
    EXPECT_EQ(handler.trace, "m1s1@0 m1s1@1024 m2s1@0 ");
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 8);  // both cells, four layers each
    // The notes marked deleted were removed before saving: each entry became a rest, which
    // the host receives with its placeholder note record.
    const std::vector<std::pair<int16_t, int>> rests = {{1, 0}, {1, 1}, {2, 0}};
    for (const auto& [measure, index] : rests) {
        const EXENTRY saved = document.CellLayerAt(staff, measure, 0).entries[index];
        EXPECT_EQ(+saved.flags, ENTRY_REST_PLACEHOLDER) << measure << "/" << index;
        EXPECT_EQ(+saved.notes[0].flags, NOTE_CREATED);
    }
    EXPECT_EQ(+document.CellLayerAt(staff, 2, 0).entries[1].flags, ENTRY_NOTE);
    EXPECT_EQ(browser.FindFirst(&handler), nullptr);
    EXPECT_EQ(handler.trace, "m1s1@0 m1s1@1024 m2s1@0 ");
}
