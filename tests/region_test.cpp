// The music region and its cells, in a score whose slot order differs from its staff
// numbers: slot 1 shows staff 5, slot 2 staff 2, slot 3 staff 7.
#include <climits>
#include <string>

#include "finaleframework/finaleframework.h"
#include "tests/support.h"

namespace {

class RegionTest : public HostTest {
protected:
    RegionTest() {
        document.AddStaff("Flute", 5);
        document.AddStaff("Oboe", 2);
        document.AddStaff("Horn", 7);
        document.SetMeasureCount(12);
    }

    static FCMusicRegion Region(int16_t startMeasure, int16_t endMeasure, int16_t startSlot, int16_t endSlot,
                                int32_t startPos = 0, int32_t endPos = 0x7FFFFFFF) {
        FCMusicRegion region;
        region._startMeasure = startMeasure;
        region._endMeasure = endMeasure;
        region._startSlot = startSlot;
        region._endSlot = endSlot;
        region._startPos = startPos;
        region._endPos = endPos;
        return region;
    }
};

// measure/staff of every cell, in order.
std::string CellTrace(const FCCells& cells) {
    std::string text;
    for (int i = 0; i < cells.GetCount(); ++i) {
        auto* cell = static_cast<FCCell*>(cells.GetItemAt(i));
        text += std::to_string(cell->_measure) + "/" + std::to_string(cell->_staff) + " ";
    }
    return text;
}

class CellTracer : public FCIteratorHandler {
public:
    explicit CellTracer(FCCells* cells = nullptr) : _cells(cells) {}
    bool Iterate(__FCBase* element) override {
        auto* cell = static_cast<FCCell*>(element);
        trace += std::to_string(cell->_measure) + "/" + std::to_string(cell->_staff) + " ";
        if (cell->_staff == addAfterStaff) _cells->Add(new FCCell(cell->_measure, 99));
        return --goOn > 0;
    }
    bool PreProcess() override {
        trace += "pre ";
        return true;
    }
    std::string trace;
    int goOn = 1000;
    int addAfterStaff = -1;

private:
    FCCells* _cells;
};

}  // namespace

TEST_F(RegionTest, CellsFollowMeasuresThenSlotsFromTheTop) {
    FCMusicRegion region = Region(3, 4, 1, 2);
    region._startSlotContext = 0x11;
    region._endSlotContext = 0x22;
    FCCells cells;
    cells.ApplyRegion(&region);
    EXPECT_EQ(CellTrace(cells), "3/5 3/2 4/5 4/2 ");
    for (const HostCall& call : host.CallsTo("FX_SlotToInst"))
        EXPECT_EQ(call.args[1], 0x11);  // the start slot's context for every slot
    EXPECT_EQ(host.CallCount("FX_SlotToInst"), 4);
}

TEST_F(RegionTest, ApplyRegionReplacesTheCellsAndEmptyRangesGiveNone) {
    struct Case {
        FCMusicRegion region;
        const char* cells;
    };
    const Case cases[] = {{Region(0, 0, 0, 0), "0/0 "},  // no selection: slot 0 is no staff
                          {Region(5, 4, 1, 3), ""},
                          {Region(2, 2, 3, 1), ""},
                          {Region(2, 2, 2, 3), "2/2 2/7 "}};
    FCCells cells;
    for (const Case& c : cases) {
        FCMusicRegion region = c.region;
        cells.ApplyRegion(&region);
        EXPECT_EQ(CellTrace(cells), c.cells) << region._startMeasure << ".." << region._endMeasure;
    }
    cells.ApplyRegion(nullptr);
    EXPECT_EQ(cells.GetCount(), 0);
}

TEST_F(RegionTest, WalksAtOneMeasureOrOneStaffSkipTheOtherCells) {
    FCMusicRegion region = Region(1, 2, 1, 3);
    FCCells cells;
    cells.ApplyRegion(&region);
    CellTracer measure;
    EXPECT_EQ(cells.ForEachAtMeasure(2, &measure), 3);
    EXPECT_EQ(measure.trace, "2/5 2/2 2/7 ");  // no pre- or post-processing
    CellTracer staff;
    EXPECT_EQ(cells.ForEachAtStaff(2, &staff), 2);
    EXPECT_EQ(staff.trace, "1/2 2/2 ");
    CellTracer stopping;
    stopping.goOn = 2;
    EXPECT_EQ(cells.ForEachAtMeasure(1, &stopping), 1);
    EXPECT_EQ(stopping.trace, "1/5 1/2 ");
    CellTracer absent;
    EXPECT_EQ(cells.ForEachAtMeasure(3, &absent), 0);
    EXPECT_EQ(cells.ForEachAtStaff(6, &absent), 0);
    EXPECT_EQ(absent.trace, "");
}

TEST_F(RegionTest, CellsAddedDuringAMeasureWalkAreVisited) {
    FCMusicRegion region = Region(1, 2, 1, 2);
    FCCells cells;
    cells.ApplyRegion(&region);
    CellTracer tracer(&cells);
    tracer.addAfterStaff = 2;
    EXPECT_EQ(cells.ForEachAtMeasure(1, &tracer), 3);
    EXPECT_EQ(tracer.trace, "1/5 1/2 1/99 ");
}

TEST_F(RegionTest, PartialWhenEitherEndIsInsideAMeasure) {
    struct Case {
        int32_t start, end;
        bool partial;
    };
    for (Case c : {Case{0, 0x7FFFFFFF, false}, Case{1, 0x7FFFFFFF, true}, Case{0, 0x7FFFFFFE, true},
                   Case{-1, 0, true}}) {
        FCMusicRegion region = Region(1, 1, 1, 1, c.start, c.end);
        EXPECT_EQ(region.IsPartial(), c.partial) << c.start << " " << c.end;
    }
}

TEST_F(RegionTest, PositionsWithinIncludeBothBounds) {
    struct Case {
        int32_t measure, staff, position;
        bool within;
    };
    FCMusicRegion region = Region(2, 4, 1, 3, 100, 500);  // staves 5 to 7 by number
    for (Case c :
         {Case{2, 5, 100, true}, Case{2, 5, 99, false}, Case{4, 7, 500, true}, Case{4, 7, 501, false},
          Case{3, 6, INT_MIN, true}, Case{3, 6, INT_MAX, true}, Case{1, 5, 200, false},
          Case{5, 5, 200, false}, Case{3, 2, 200, false}, Case{3, 8, 200, false}}) {
        FCCell cell(c.measure, c.staff);
        EXPECT_EQ(region.IsCellPosWithin(&cell, c.position), c.within)
            << c.measure << "/" << c.staff << " @" << c.position;
    }
    FCMusicRegion single = Region(6, 6, 1, 1, 100, 500);
    FCCell cell(6, 5);
    EXPECT_FALSE(single.IsCellPosWithin(&cell, 99));
    EXPECT_TRUE(single.IsCellPosWithin(&cell, 300));
    EXPECT_FALSE(single.IsCellPosWithin(&cell, 501));
    EXPECT_FALSE(single.IsCellPosWithin(nullptr, 300));
}

TEST_F(RegionTest, StavesAreIncludedByNumberNotBySlot) {
    FCMusicRegion region = Region(1, 1, 1, 3);  // slot 1 shows staff 5, slot 3 staff 7
    EXPECT_TRUE(region.IsStaffIncluded(6));
    EXPECT_FALSE(region.IsStaffIncluded(8));
    host.ClearCalls();
    EXPECT_FALSE(region.IsStaffIncluded(2));  // shown in slot 2, but numbered below 5
    EXPECT_EQ(host.CallCount("FX_SlotToInst"), 1);
    EXPECT_TRUE(region.IsMeasureIncluded(1));
    FCMusicRegion wide = Region(3, 8, 1, 1);
    EXPECT_TRUE(wide.IsMeasureIncluded(3));
    EXPECT_TRUE(wide.IsMeasureIncluded(8));
    EXPECT_FALSE(wide.IsMeasureIncluded(2));
    EXPECT_FALSE(wide.IsMeasureIncluded(9));
}

TEST_F(RegionTest, HostRegionIsCopiedWithTheCurrentDocument) {
    document.documentID = 9;
    EREGION host_region{};
    host_region.startSlotContext = 1;
    host_region.startSlot = 2;
    host_region.startMeasure = 3;
    host_region.startPos = 4;
    host_region.endSlotContext = 5;
    host_region.endSlot = 6;
    host_region.endMeasure = 7;
    host_region.endPos = 8;
    memset(host_region.reserved, 0xEE, sizeof host_region.reserved);
    FCMusicRegion region(&host_region);
    EXPECT_EQ(region._startSlotContext, 1);
    EXPECT_EQ(region._startSlot, 2);
    EXPECT_EQ(region._startMeasure, 3);
    EXPECT_EQ(region._startPos, 4);
    EXPECT_EQ(region._endSlotContext, 5);
    EXPECT_EQ(region._endSlot, 6);
    EXPECT_EQ(region._endMeasure, 7);
    EXPECT_EQ(region._endPos, 8);
    EXPECT_EQ(region._documentID, 9);
    EXPECT_TRUE(region.IsCurrentDocument());
    document.documentID = 10;
    EXPECT_FALSE(region.IsCurrentDocument());
}

TEST_F(RegionTest, NoHostRegionIsTheEmptyRegion) {
    FCMusicRegion region(nullptr);
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_EQ(region._startSlot, 0);
    EXPECT_EQ(region._endPos, 0);
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RegionTest, FullDocumentIsTheHostsSecondRegion) {
    document.selection.startMeasure = 4;
    document.selection.endMeasure = 5;
    document.selection.startSlot = 2;
    FCMusicRegion region;
    region.SetFullDocument();
    EXPECT_EQ(region._startMeasure, 1);
    EXPECT_EQ(region._endMeasure, 12);
    EXPECT_EQ(region._startSlot, 1);
    EXPECT_EQ(region._endSlot, 3);
    EXPECT_FALSE(region.IsPartial());
    EXPECT_EQ(region._documentID, document.documentID);
    EXPECT_EQ(host.CallsTo("FX_GetCurERegions").at(0).args[3], FINALE_FRAMEWORK_VERSION);
}
