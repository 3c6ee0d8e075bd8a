// The simulated host itself: its record store and entry frames answer as the host's
// contract says, through the plug-in's own wrappers.
#include <cstring>

#include "host/lowmem.h"
#include "tests/support.h"

namespace {
constexpr uint32_t kTag = 0x6F745858;
constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
Bytes B(std::initializer_list<uint8_t> bytes) { return Bytes(bytes); }
}  // namespace

TEST_F(HostTest, LoadReportsSizeWithoutABufferAndDeliversAtMostTheCapacity) {
    document.SetRecord(kTag, OtherKey(3), B({1, 2, 3, 4, 5}));
    RecordKey key = OtherKey(3);
    uint32_t size = 0;
    EXPECT_EQ(FX_LoadEData(kTag, &key, nullptr, &size, V), 1);
    EXPECT_EQ(size, 5u);
    uint8_t buffer[8] = {};
    size = 3;
    EXPECT_EQ(FX_LoadEData(kTag, &key, buffer, &size, V), 1);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_EQ(buffer[3], 0);
    RecordKey missing = OtherKey(4);
    EXPECT_EQ(FX_LoadEData(kTag, &missing, buffer, &size, V), 0);
}

TEST_F(HostTest, NextAndPreviousWalkTheTagInKeyOrder) {
    for (uint16_t item : {5, 1, 3}) document.SetRecord(kTag, OtherKey(item), B({uint8_t(item)}));
    document.SetRecord(kTag, OtherKey(3, 1), B({9}));
    RecordKey key = OtherKey(1);
    std::vector<std::pair<int, int>> walk;
    while (FX_NextEData(kTag, &key, nullptr, 0, V))
        walk.push_back({ReadKeyField<uint16_t>(key, 0), ReadKeyField<int16_t>(key, 2)});
    EXPECT_EQ(walk, (std::vector<std::pair<int, int>>{{3, 0}, {3, 1}, {5, 0}}));
    EXPECT_EQ(FX_PreviousEData(kTag, &key, nullptr, 0, V), 1);
    EXPECT_EQ(ReadKeyField<int16_t>(key, 2), 1);
}

TEST_F(HostTest, CreateChoosesTheItemNumberOrIncident) {
    document.SetRecord(kTag, OtherKey(1), B({1}));
    document.SetRecord(kTag, OtherKey(2), B({2}));
    RecordKey key = OtherKey(0xFFFF);
    uint8_t bytes[2] = {7, 7};
    EXPECT_EQ(FX_CreateEData(kTag, &key, bytes, 2, V), 1);
    EXPECT_EQ(ReadKeyField<uint16_t>(key, 0), 3);

    const uint32_t articulation = 0x6564494D;
    document.SetRecord(articulation, EntryDetailKey(70000, 0), B({1}));
    RecordKey detail = EntryDetailKey(70000, -1);
    EXPECT_EQ(FX_CreateEData(articulation, &detail, bytes, 2, V), 1);
    EXPECT_EQ(ReadKeyField<int32_t>(detail, 0), 70000);
    EXPECT_EQ(ReadKeyField<int16_t>(detail, 4), 1);
}

TEST_F(HostTest, DeletingAnIncidentRenumbersTheLaterOnes) {
    for (int16_t incident : {0, 1, 2}) document.SetRecord(kTag, OtherKey(4, incident), B({uint8_t(incident)}));
    RecordKey key = OtherKey(4, 1);
    EXPECT_EQ(FX_DeleteEData(kTag, &key, V), 1);
    ASSERT_NE(document.FindRecord(kTag, OtherKey(4, 1)), nullptr);
    EXPECT_EQ(document.FindRecord(kTag, OtherKey(4, 1))->at(0), 2);
    EXPECT_EQ(document.FindRecord(kTag, OtherKey(4, 2)), nullptr);
}

TEST_F(HostTest, FramesLieBelow4GiBAndSavingNumbersNewEntries) {
    const int16_t staff = document.AddStaff("Oboe", 4);
    document.SetMeasureCount(2);
    document.AddEntry(staff, 2, 0, 0, 1024, {0});
    document.AddEntry(staff, 2, 0, 1024, 1024, {});
    EXTGF2005a* frame = FX_LoadTGF(0, 1, 2, 0, 1, V);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(+frame->staff, 4);
    EXPECT_EQ(+frame->slot, 1);
    EXPECT_EQ(+frame->measure, 2);
    EXPECT_EQ(FrameEntryCount(frame), 2);
    EXPECT_LT(reinterpret_cast<uintptr_t>(FrameEntries(frame)), uint64_t{1} << 32);

    ASSERT_EQ(FX_InsertEXENTRY(frame, 1, 2, V), 1);
    EXPECT_EQ(FrameEntryCount(frame), 4);
    EXPECT_EQ(+FrameEntries(frame)[1].entryNumber, 0);
    EXPECT_EQ(+FrameEntries(frame)[3].position, 1024);
    ASSERT_EQ(FX_DeleteEXENTRY(frame, 0, 1, V), 1);
    EXPECT_EQ(FrameEntryCount(frame), 3);
    ASSERT_EQ(FX_SaveTGF(frame, V), 1);
    EXPECT_EQ(+FrameEntries(frame)[0].entryNumber, 0);  // the frame in memory is not renumbered
    FX_FreeTGF(frame, V);

    EXTGF2005a* again = FX_LoadTGF(0, 1, 2, 0, 0, V);
    ASSERT_EQ(FrameEntryCount(again), 3);
    EXPECT_GT(+FrameEntries(again)[0].entryNumber, 2);
    EXPECT_GT(+FrameEntries(again)[1].entryNumber, +FrameEntries(again)[0].entryNumber);
    EXPECT_EQ(+FrameEntries(again)[2].position, 1024);
    FX_FreeTGF(again, V);
    EXPECT_TRUE(host.liveFrames.empty());
    EXPECT_TRUE(host.faults.empty());
}

TEST_F(HostTest, NoFrameOutsideTheDocument) {
    document.AddStaff("Oboe");
    document.SetMeasureCount(1);
    EXPECT_EQ(FX_LoadTGF(0, 2, 1, 0, 1, V), nullptr);  // no such slot
    EXPECT_EQ(FX_LoadTGF(0, 1, 2, 0, 1, V), nullptr);  // no such measure
    EXPECT_EQ(FX_LoadTGF(0, 1, 1, 4, 1, V), nullptr);  // no such layer
    EXTGF2005a* empty = FX_LoadTGF(0, 1, 1, 3, 1, V);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(FrameEntryCount(empty), 0);
    FX_FreeTGF(empty, V);
}

TEST_F(HostTest, FreeingAFrameTwiceIsAFaultNotACrash) {
    document.AddStaff("Oboe");
    document.SetMeasureCount(1);
    EXTGF2005a* frame = FX_LoadTGF(0, 1, 1, 0, 1, V);
    FX_FreeTGF(frame, V);
    FX_FreeTGF(frame, V);
    EXPECT_EQ(host.faults.size(), 1u);
}

TEST_F(HostTest, SlotsFollowScoreOrderNotStaffNumbers) {
    document.AddStaff("Violin", 3);
    document.AddStaff("Viola", 1);
    EXPECT_EQ(FX_SlotToInst(1, 0, V), 3);
    EXPECT_EQ(FX_SlotToInst(2, 0, V), 1);
    EXPECT_EQ(FX_InstToSlot(1, 0, V), 2);
    EXPECT_EQ(FX_SlotToInst(3, 0, V), 0);
    EXPECT_EQ(FX_InstToSlot(9, 0, V), 0);
}

TEST_F(HostTest, WholeDocumentRegionAndFonts) {
    document.AddStaff("A");
    document.AddStaff("B");
    document.SetMeasureCount(12);
    int32_t count = 0;
    EREGION selection{}, whole{};
    FX_GetCurERegions(&count, &selection, &whole, V);
    EXPECT_EQ(+whole.startSlot, 1);
    EXPECT_EQ(+whole.endSlot, 2);
    EXPECT_EQ(+whole.startMeasure, 1);
    EXPECT_EQ(+whole.endMeasure, 12);
    EXPECT_EQ(+whole.endPos, 0x7FFFFFFF);

    const int16_t maestro = document.FontNumber("Maestro");
    char name[256];
    memset(name, 'x', sizeof name);
    EXPECT_EQ(FX_FontNumToName(maestro, name, V), 1);
    EXPECT_STREQ(name, "Maestro");
    EXPECT_EQ(FX_FontNumToName(99, name, V), 0);
    EXPECT_EQ(FX_FontNameToNum("Maestro", V), maestro);
}

TEST(LowMemory, ReusedBlocksComeBackZeroedAgainstTheirGuardPage) {
    SetLowMemoryReuse(true);
    auto* first = static_cast<uint8_t*>(LowAlloc(146 * 3));
    memset(first, 0x5A, 146 * 3);
    LowFree(first, 146 * 3);
    auto* again = static_cast<uint8_t*>(LowAlloc(146 * 3));
    EXPECT_EQ(again, first);
    EXPECT_EQ(std::count(again, again + 146 * 3, 0), 146 * 3);
    EXPECT_DEATH(again[146 * 3] = 1, "");  // the guard page is still there
    LowFree(again, 146 * 3);
    SetLowMemoryReuse(false);
}
