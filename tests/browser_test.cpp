// Browsers: record walks with their pre- and post-processing, and region walks.
#include <climits>
#include <cstring>
#include <string>

#include "finaleframework/finaleframework.h"
#include "host/hostfunctions.h"
#include "tests/support.h"

namespace {

constexpr uint32_t kMeasureTag = 0x534F4D53;

Bytes MeasureRecord(uint8_t mark) {
    Bytes bytes(26, 0);
    bytes[2] = mark;
    return bytes;
}

// Records every callback of a walk; Iterate and Match answer from their settings.
class Tracer : public FCIteratorHandler {
public:
    bool Iterate(__FCBase* element) override {
        trace += "it" + Item(element) + " ";
        return --goOn > 0;
    }
    bool Match(__FCBase* element) override {
        trace += "match" + Item(element) + " ";
        return static_cast<__FCNoInciOther*>(element)->GetItemNo() == sought;
    }
    bool PreProcess() override {
        trace += "pre ";
        return acceptPre;
    }
    bool PreProcessIfExist() override {
        trace += "preExist ";
        return acceptPreExist;
    }
    void PostProcess() override { trace += "post "; }
    void PostProcessIfExist() override { trace += "postExist "; }

    static std::string Item(__FCBase* element) {
        return std::to_string(static_cast<__FCNoInciOther*>(element)->GetItemNo());
    }

    std::string trace;
    int goOn = 1000;
    int sought = -1;
    bool acceptPre = true;
    bool acceptPreExist = true;
};

// A region browser whose cells hold no records: it traces the cells it is given.
class CellBrowser : public __FCBrowserRegionBase {
public:
    bool RegionIterateCellHandler(FCCell* cell, FCIteratorHandler*, FCMusicRegion*) override {
        trace += std::to_string(cell->_measure) + "/" + std::to_string(cell->_staff) + " ";
        return --goOn > 0;
    }
    __FCBase* FindFirst(FCIteratorHandler*) override { return nullptr; }
    std::string trace;
    int goOn = 1000;
};

class BrowserTest : public HostTest {
protected:
    void AddMeasures(std::initializer_list<uint16_t> items) {
        for (uint16_t item : items)
            document.SetRecord(kMeasureTag, OtherKey(item), MeasureRecord(uint8_t(item)));
    }
    FCBrowserMeasures measures;
    Tracer tracer;
};

// A host whose walk never ends: every record has a next one.
int16_t FXAPI EndlessNextEData(uint32_t, RecordKey*, void*, uint32_t, uint32_t) { return 1; }
void* EndlessHost(const char* name) {
    if (strcmp(name, "FX_NextEData") == 0) return reinterpret_cast<void*>(&EndlessNextEData);
    return HostFunctionAddress(name);
}

}  // namespace

TEST_F(BrowserTest, RefusedPreProcessEndsTheWalkBeforeAnyHostCall) {
    AddMeasures({1, 2});
    tracer.acceptPre = false;
    EXPECT_EQ(measures.ForEach(&tracer), 0);
    EXPECT_EQ(measures.FindFirst(&tracer), nullptr);
    EXPECT_EQ(tracer.trace, "pre pre ");
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(BrowserTest, WalkWithoutRecordsOnlyPreAndPostProcesses) {
    EXPECT_EQ(measures.ForEach(&tracer), 0);
    EXPECT_EQ(tracer.trace, "pre post ");
    Tracer finder;
    EXPECT_EQ(measures.FindFirst(&finder), nullptr);
    EXPECT_EQ(finder.trace, "pre post ");
}

TEST_F(BrowserTest, WalkVisitsEveryRecordFromItemOne) {
    AddMeasures({0, 1, 2, 4});
    EXPECT_EQ(measures.ForEach(&tracer), 3);
    EXPECT_EQ(tracer.trace, "pre preExist it1 it2 it4 postExist post ");
}

TEST_F(BrowserTest, IterateFalseStopsTheWalkWithoutLoadingFurther) {
    AddMeasures({1, 2, 3});
    tracer.goOn = 2;
    EXPECT_EQ(measures.ForEach(&tracer), 1);
    EXPECT_EQ(tracer.trace, "pre preExist it1 it2 postExist post ");
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 2);
    EXPECT_EQ(host.CallCount("FX_NextEData"), 1);
}

TEST_F(BrowserTest, RefusedPreProcessIfExistSkipsTheRecordsButNotPostProcess) {
    AddMeasures({1, 2});
    tracer.acceptPreExist = false;
    EXPECT_EQ(measures.ForEach(&tracer), 0);
    EXPECT_EQ(tracer.trace, "pre preExist post ");
}

TEST_F(BrowserTest, FindFirstHandsTheMatchToTheCaller) {
    AddMeasures({1, 2, 3});
    tracer.sought = 1;
    __FCBase* found = measures.FindFirst(&tracer);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->ClassName(), "FCMeasure");
    EXPECT_EQ(static_cast<FCMeasure*>(found)->GetItemNo(), 1);
    EXPECT_EQ(tracer.trace, "pre preExist match1 postExist ");
    delete found;

    Tracer later;
    later.sought = 3;
    found = measures.FindFirst(&later);
    EXPECT_EQ(later.trace, "pre preExist match1 match2 match3 postExist ");
    delete found;
}

TEST_F(BrowserTest, FindFirstWithoutAMatchSkipsPostProcessIfExist) {
    AddMeasures({1, 2});
    EXPECT_EQ(measures.FindFirst(&tracer), nullptr);
    EXPECT_EQ(tracer.trace, "pre preExist match1 match2 post ");
}

TEST_F(BrowserTest, CountStartsAtItemZero) {
    AddMeasures({0, 1, 2, 3, 4});
    EXPECT_EQ(measures.GetCount(), 5);
    document.EraseRecord(kMeasureTag, OtherKey(0));
    EXPECT_EQ(measures.GetCount(), 0);
}

TEST_F(BrowserTest, LoadAnElementGivesALoadedObjectOrNone) {
    AddMeasures({3});
    __FCNoInciOther* element = measures.LoadAnElement(3);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetLoadedSize(), 26);
    delete element;
    EXPECT_EQ(measures.LoadAnElement(4), nullptr);
}

TEST_F(BrowserTest, ToEndFromWalksFromAnItemWithoutPreOrPostProcessing) {
    AddMeasures({1, 2, 5, 6});
    EXPECT_EQ(measures.ToEndFrom(2, &tracer), 3);
    EXPECT_EQ(tracer.trace, "it2 it5 it6 ");
    Tracer stopping;
    stopping.goOn = 2;
    EXPECT_EQ(measures.ToEndFrom(1, &stopping), 1);
    EXPECT_EQ(stopping.trace, "it1 it2 ");
    Tracer missing;
    EXPECT_EQ(measures.ToEndFrom(3, &missing), 0);
    EXPECT_EQ(missing.trace, "");
}

TEST_F(BrowserTest, WalkEndsWhenTheHostWalksInCircles) {
    PlatformRegisterModule("FINALE.EXE", EndlessHost);
    AddMeasures({1});
    tracer.goOn = INT_MAX;
    EXPECT_EQ(measures.ForEach(&tracer), FC_MAX_RECORD_WALK);
    EXPECT_EQ(measures.GetCount(), 0);
    AddMeasures({0});
    EXPECT_EQ(measures.GetCount(), FC_MAX_RECORD_WALK);
}

TEST_F(BrowserTest, RegionWalkTakesStavesAsANumericRange) {
    document.AddStaff("Violin", 4);
    document.AddStaff("Viola", 9);  // slot 2, outside the range of slots 1 to 3 by number
    document.AddStaff("Cello", 3);
    document.AddStaff("Bass", 1);
    FCMusicRegion region;
    region._startMeasure = 1;
    region._endMeasure = 2;
    region._startSlot = 3;  // staff 3
    region._endSlot = 1;    // staff 4
    CellBrowser browser;
    EXPECT_EQ(browser.ForEachInRegion(&tracer, &region), 4);
    EXPECT_EQ(browser.trace, "1/3 1/4 2/3 2/4 ");
    EXPECT_EQ(tracer.trace, "");                              // the handler is the cell visitor's business
    EXPECT_EQ(host.CallCount("FX_SlotToInst"), 2 * (1 + 3));  // the bottom staff before every cell

    CellBrowser stopping;
    stopping.goOn = 2;
    EXPECT_EQ(stopping.ForEachInRegion(&tracer, &region), 1);
    EXPECT_EQ(stopping.trace, "1/3 1/4 ");
}

TEST_F(BrowserTest, RegionWalkOverEmptyRangesVisitsNothing) {
    document.AddStaff("Violin", 4);
    document.AddStaff("Cello", 3);
    FCMusicRegion region;
    region._startMeasure = 1;
    region._endMeasure = 1;
    region._startSlot = 1;  // staff 4
    region._endSlot = 2;    // staff 3
    CellBrowser browser;
    EXPECT_EQ(browser.ForEachInRegion(&tracer, &region), 0);
    region._startSlot = 2;
    region._startMeasure = 2;
    EXPECT_EQ(browser.ForEachInRegion(&tracer, &region), 0);
    EXPECT_EQ(browser.ForEachInRegion(&tracer, nullptr), 0);
    EXPECT_EQ(browser.trace, "");
}

TEST_F(BrowserTest, RegionForEachWalksTheWholeDocument) {
    document.AddStaff("Violin");
    document.AddStaff("Cello");
    document.SetMeasureCount(2);
    CellBrowser browser;
    EXPECT_EQ(browser.ForEach(&tracer), 4);
    EXPECT_EQ(browser.trace, "1/1 1/2 2/1 2/2 ");
    EXPECT_EQ(host.CallCount("FX_GetCurERegions"), 1);
}

TEST(ClassNames, EachClassAnswersItsNearestNamedAncestor) {
    struct NoInci : __FCInciOther {
        using __FCInciOther::__FCInciOther;
        uint32_t Tag() override { return 1; }
        uint32_t DataSize() override { return 0; }
        void* Allocate() override { return nullptr; }
        __FCBaseData* CreateObject(uint32_t) override { return nullptr; }
    };
    struct Cell : __FCCellDetail {
        using __FCCellDetail::__FCCellDetail;
        uint32_t Tag() override { return 1; }
        uint32_t DataSize() override { return 0; }
        void* Allocate() override { return nullptr; }
        __FCBaseData* CreateObject(uint32_t) override { return nullptr; }
    };
    struct Handler : FCIteratorHandler {};
    struct Named {
        __FCBase* object;
        const char* name;
    };
    const Named cases[] = {{new __FCBase, "__FCBase"},
                           {new FCString, "__FCBase"},
                           {new FCFontInfo, "__FCBase"},
                           {new NoInci(0), "__FCOther"},
                           {new Cell(0), "__FCBaseData"},
                           {new FCRawText(0), "FCRawText"},
                           {new FCTextBlock(0), "FCTextBlock"},
                           {new FCMeasure(0), "FCMeasure"},
                           {new Handler, "FCIteratorHandler"},
                           {new __FCCollection, "__FCCollection"},
                           {new FCStrings, "FCStrings"},
                           {new FCCells, "FCCells"},
                           {new FCCell(1, 2), "FCCell"},
                           {new FCMusicRegion, "FCMusicRegion"},
                           {new FCBrowserMeasures, "FCBrowserMeasures"},
                           {new CellBrowser, "__FCBrowserBase"}};
    for (const Named& c : cases) {
        EXPECT_STREQ(c.object->ClassName(), c.name);
        delete c.object;
    }
}
