// The data record object and its addressing families, against the simulated host.
#include <cstring>

#include "finaleframework/finaleframework.h"
#include "host/hostfunctions.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kItemTag = 0x74737431;     // item-numbered records
constexpr uint32_t kInciTag = 0x74737432;     // item number and incident
constexpr uint32_t kGlobalsTag = 0x67626366;  // a tag the host numbers as globals
constexpr uint32_t kCellTag = 0x64744D45;     // a tag the host keeps per cell

// A six-byte item-numbered record: a 16-bit value at 0 and a 32-bit value at 2.
class ItemRecord : public FCFixedRecord<ItemRecord, __FCNoInciOther, "ItemRecord", kItemTag, 6> {
public:
    using FCFixedRecord::FCFixedRecord;
    int16_t GetValue() const { return _GetField<int16_t>(0); }
    void SetValue(int16_t value) { _SetField<int16_t>(0, value); }
    int32_t GetWide() const { return _GetField<int32_t>(2); }
    bool HasBlock() const { return _dataBlock != nullptr; }
};

class InciRecord : public FCFixedRecord<InciRecord, __FCInciOther, "InciRecord", kInciTag, 2> {
public:
    using FCFixedRecord::FCFixedRecord;
};

class GlobalsRecord : public FCFixedRecord<GlobalsRecord, __FCGlobals, "GlobalsRecord", kGlobalsTag, 2> {
public:
    using FCFixedRecord::FCFixedRecord;
    int16_t GetValue() const { return _GetField<int16_t>(0); }
};

class CellRecord : public FCFixedRecord<CellRecord, __FCCellDetail, "CellRecord", kCellTag, 2> {
public:
    using FCFixedRecord::FCFixedRecord;
    int16_t GetValue() const { return _GetField<int16_t>(0); }
};

// A record whose length varies: it asks the host for the stored size before each load.
class VariableRecord : public __FCNoInciOther {
public:
    using __FCNoInciOther::__FCNoInciOther;
    uint32_t Tag() override { return kItemTag; }
    uint32_t DataSize() override {
        uint32_t size = 0;
        return FX_LoadEData(Tag(), &_recordKey, nullptr, &size, V) ? size : 0;
    }
    void* Allocate() override { return _AllocateBlock(DataSize()); }
    void Deallocate() override { delete[] static_cast<uint8_t*>(_dataBlock); }
    bool IsDynamicSize() override { return true; }
    __FCBaseData* CreateObject(uint32_t version) override { return new VariableRecord(version); }
    ~VariableRecord() override { Deallocate(); }
    uint32_t BlockSize() const { return _BlockSize(); }
    bool HasBlock() const { return _dataBlock != nullptr; }
    uint8_t ByteAt(int offset) const { return _GetField<uint8_t>(offset); }
};

int64_t KeyValue(const RecordKey& key) {
    int64_t value;
    memcpy(&value, key.bytes, sizeof value);
    return value;
}

Bytes Record(int16_t value, int32_t wide = 0) {
    Bytes bytes(6);
    memcpy(bytes.data(), &value, 2);
    memcpy(bytes.data() + 2, &wide, 4);
    return bytes;
}

// A host that claims to have delivered far more bytes than the buffer it was given.
int16_t FXAPI OverstatingLoadEData(uint32_t tag, RecordKey* key, void* buffer, uint32_t* size,
                                   uint32_t version) {
    const int16_t result = HostFX_LoadEData(tag, key, buffer, size, version);
    if (result && buffer) *size += 1000;
    return result;
}

void* OverstatingHost(const char* name) {
    if (strcmp(name, "FX_LoadEData") == 0) return reinterpret_cast<void*>(&OverstatingLoadEData);
    return HostFunctionAddress(name);
}

}  // namespace

using RecordTest = HostTest;

TEST_F(RecordTest, LoadPassesTagKeySizeAndVersionAndKeepsWhatTheHostDelivered) {
    document.SetRecord(kItemTag, OtherKey(4), Record(-3, 77));
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(4));
    EXPECT_EQ(record.GetValue(), -3);
    EXPECT_EQ(record.GetWide(), 77);
    EXPECT_EQ(record.GetLoadedSize(), 6);
    ASSERT_EQ(host.CallCount("FX_LoadEData"), 1);
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args,
              (std::vector<int64_t>{kItemTag, KeyValue(OtherKey(4)), 1, 6, V}));
}

TEST_F(RecordTest, MissingRecordLoadsNothingButKeepsTheBlockAndItsBytes) {
    document.SetRecord(kItemTag, OtherKey(1), Record(9));
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(1));
    EXPECT_FALSE(record.Load(2));
    EXPECT_EQ(record.GetLoadedSize(), 0);
    EXPECT_TRUE(record.HasBlock());
    EXPECT_EQ(record.GetValue(), 9);
    EXPECT_EQ(record.GetItemNo(), 2);  // the object addresses the record it tried
}

TEST_F(RecordTest, SaveRefusesAnEmptyObjectWithoutAskingTheHost) {
    ItemRecord record(V);
    EXPECT_FALSE(record.Save());
    EXPECT_FALSE(record.SaveNew());
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordTest, SaveWritesTheHeldBytesUnderTheKey) {
    document.SetRecord(kItemTag, OtherKey(2), Record(1));
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(2));
    record.SetValue(42);
    ASSERT_TRUE(record.SaveAs(3));
    EXPECT_EQ(*document.FindRecord(kItemTag, OtherKey(3)), Record(42));
    EXPECT_EQ(*document.FindRecord(kItemTag, OtherKey(2)), Record(1));
    EXPECT_EQ(host.CallsTo("FX_SaveEData")[0].args,
              (std::vector<int64_t>{kItemTag, KeyValue(OtherKey(3)), 1, 6, V}));
}

TEST_F(RecordTest, SaveAsOnAnObjectThatNeverLoadedFailsAndKeepsTheNewKey) {
    ItemRecord record(V);
    WriteKeyField<int16_t>(record._GetRecordKey(), 2, 7);
    EXPECT_FALSE(record.SaveAs(5));
    EXPECT_EQ(KeyValue(record.GetRecordKey()), KeyValue(OtherKey(5, 0)));
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);
}

TEST_F(RecordTest, SaveNewAsksTheHostForANumberAndAddressesTheNewRecord) {
    for (uint16_t item : {1, 2, 5}) document.SetRecord(kItemTag, OtherKey(item), Record(int16_t(item)));
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(5));
    record.SetValue(50);
    ASSERT_TRUE(record.SaveNew());
    ASSERT_EQ(host.CallCount("FX_CreateEData"), 1);
    EXPECT_EQ(host.CallsTo("FX_CreateEData")[0].args,
              (std::vector<int64_t>{kItemTag, KeyValue(OtherKey(0xFFFF)), 1, 6, V}));
    EXPECT_EQ(record.GetItemNo(), 3);  // the first number the host had free
    EXPECT_EQ(*document.FindRecord(kItemTag, OtherKey(3)), Record(50));

    record.SetValue(51);
    ASSERT_TRUE(record.Save());
    EXPECT_EQ(*document.FindRecord(kItemTag, OtherKey(3)), Record(51));
    EXPECT_EQ(*document.FindRecord(kItemTag, OtherKey(5)), Record(5));
}

TEST_F(RecordTest, ItemWalkStartsAtItemOneAndFollowsTheHostsOrder) {
    for (uint16_t item : {0, 7, 1, 3})
        document.SetRecord(kItemTag, OtherKey(item), Record(int16_t(item * 10)));
    ItemRecord record(V);
    std::string trace;
    for (bool more = record.LoadFirst(); more; more = record.LoadNext())
        trace += std::to_string(record.GetItemNo()) + ":" + std::to_string(record.GetValue()) + " ";
    EXPECT_EQ(trace, "1:10 3:30 7:70 ");
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args[1], KeyValue(OtherKey(1)));
}

TEST_F(RecordTest, LoadNextAtTheLastRecordKeepsTheHeldBytes) {
    document.SetRecord(kItemTag, OtherKey(1), Record(11));
    ItemRecord record(V);
    ASSERT_TRUE(record.LoadFirst());
    EXPECT_FALSE(record.LoadNext());
    EXPECT_EQ(record.GetValue(), 11);
    EXPECT_EQ(record.GetLoadedSize(), 6);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 1);
}

TEST_F(RecordTest, GlobalsWalkStartsAtNumberZero) {
    document.SetRecord(kGlobalsTag, NumberKey(0), {5, 0});
    document.SetRecord(kGlobalsTag, NumberKey(1), {6, 0});
    GlobalsRecord record(V);
    ASSERT_TRUE(record.LoadFirst());
    EXPECT_EQ(record.GetValue(), 5);
    ASSERT_TRUE(record.LoadNext());
    EXPECT_EQ(record.GetValue(), 6);
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args[1], KeyValue(NumberKey(0)));
}

TEST_F(RecordTest, IncidentRecordsLoadByItemAndIncidentButAreNotWalked) {
    document.SetRecord(kInciTag, OtherKey(4, 2), {8, 0});
    InciRecord record(V);
    EXPECT_FALSE(record.LoadFirst());
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_TRUE(record.Load(4, 2));
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args[1], KeyValue(OtherKey(4, 2)));
}

TEST_F(RecordTest, CellDetailWalkStepsIncidentsUpToTheFirstGap) {
    for (int16_t incident : {0, 1, 3})
        document.SetRecord(kCellTag, CellKey(2, 9, incident), {uint8_t(incident), 0});
    FCCell cell(9, 2);
    CellRecord record(V);
    record._cell = &cell;
    ASSERT_TRUE(record.LoadFirst());
    EXPECT_EQ(record.GetValue(), 0);
    ASSERT_TRUE(record.LoadNext());
    EXPECT_EQ(record.GetValue(), 1);
    EXPECT_FALSE(record.LoadNext());
    EXPECT_EQ(ReadKeyField<int16_t>(record.GetRecordKey(), 4), 1);
    std::vector<int64_t> keys;
    for (const HostCall& call : host.CallsTo("FX_LoadEData")) keys.push_back(call.args[1]);
    EXPECT_EQ(keys, (std::vector<int64_t>{KeyValue(CellKey(2, 9, 0)), KeyValue(CellKey(2, 9, 1)),
                                          KeyValue(CellKey(2, 9, 2))}));
    EXPECT_EQ(host.CallCount("FX_NextEData"), 0);
}

TEST_F(RecordTest, CellDetailWithoutACellLoadsNothing) {
    CellRecord record(V);
    EXPECT_FALSE(record.LoadFirst());
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordTest, DeleteRemovesTheRecordAndLeavesTheObjectAsItWas) {
    document.SetRecord(kItemTag, OtherKey(6), Record(60));
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(6));
    EXPECT_TRUE(record.DeleteData());
    EXPECT_EQ(document.FindRecord(kItemTag, OtherKey(6)), nullptr);
    EXPECT_EQ(record.GetValue(), 60);
    EXPECT_EQ(record.GetItemNo(), 6);
    EXPECT_FALSE(record.DeleteData());
}

TEST_F(RecordTest, CloneCopiesBytesKeyAndCustomTag) {
    document.SetRecord(kItemTag, OtherKey(8), Record(80, -1));
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(8));
    record._customTag = 0x41424344;
    auto* clone = static_cast<ItemRecord*>(record.CreateClone());
    ASSERT_NE(clone, nullptr);
    EXPECT_STREQ(clone->ClassName(), "ItemRecord");
    EXPECT_EQ(clone->GetValue(), 80);
    EXPECT_EQ(clone->GetWide(), -1);
    EXPECT_EQ(clone->GetLoadedSize(), 6);
    EXPECT_EQ(clone->GetItemNo(), 8);
    EXPECT_EQ(clone->_customTag, 0x41424344u);
    clone->SetValue(1);  // the clone has storage of its own
    EXPECT_EQ(record.GetValue(), 80);
    delete clone;
}

TEST_F(RecordTest, CloneOfAFixedRecordThatHoldsNothingStillHoldsItsSize) {
    ItemRecord record(V);
    __FCBaseData* clone = record.CreateClone();
    EXPECT_EQ(clone->GetLoadedSize(), 6);
    delete clone;
}

TEST_F(RecordTest, LargerHostRecordIsCutToTheClassSize) {
    document.SetRecord(kItemTag, OtherKey(1), {1, 0, 2, 0, 0, 0, 9, 9, 9, 9});
    ItemRecord record(V);
    ASSERT_TRUE(record.Load(1));
    EXPECT_EQ(record.GetLoadedSize(), 6);
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args[3], 6);
}

TEST_F(RecordTest, HostOverstatingTheDeliveredSizeIsNotBelieved) {
    PlatformRegisterModule("FINALE.EXE", OverstatingHost);
    document.SetRecord(kItemTag, OtherKey(1), {1, 0, 2, 0, 0, 0, 9, 9, 9, 9});
    ItemRecord fixed(V);
    ASSERT_TRUE(fixed.Load(1));
    EXPECT_EQ(fixed.GetLoadedSize(), 6);

    VariableRecord variable(V);
    ASSERT_TRUE(variable.Load(1));
    EXPECT_EQ(variable.GetLoadedSize(), 10);
    auto* clone = static_cast<VariableRecord*>(variable.CreateClone());
    EXPECT_EQ(clone->GetLoadedSize(), 10);
    EXPECT_EQ(clone->BlockSize(), 10u);
    EXPECT_EQ(clone->ByteAt(9), 9);
    EXPECT_EQ(clone->ByteAt(10), 0);  // outside the block
    delete clone;
    ASSERT_TRUE(variable.Save());
    EXPECT_EQ(host.CallsTo("FX_SaveEData")[0].args[3], 10);
}

TEST_F(RecordTest, VariableRecordGetsAFreshBlockOfTheStoredSizeOnEveryLoad) {
    document.SetRecord(kItemTag, OtherKey(1), {1, 2, 3, 4, 5});
    document.SetRecord(kItemTag, OtherKey(2), {6, 7});
    VariableRecord record(V);
    ASSERT_TRUE(record.Load(1));
    EXPECT_EQ(record.BlockSize(), 5u);
    ASSERT_TRUE(record.Load(2));
    EXPECT_EQ(record.BlockSize(), 2u);
    EXPECT_EQ(record.GetLoadedSize(), 2);
    EXPECT_EQ(record.ByteAt(1), 7);
    EXPECT_EQ(record.ByteAt(2), 0);

    EXPECT_FALSE(record.Load(3));
    EXPECT_TRUE(record.HasBlock());
    EXPECT_EQ(record.BlockSize(), 0u);
    EXPECT_EQ(record.GetLoadedSize(), 0);
}

TEST_F(RecordTest, ClearDataLetsGoOfTheRecord) {
    document.SetRecord(kItemTag, OtherKey(1), {1, 2, 3});
    VariableRecord record(V);
    ASSERT_TRUE(record.Load(1));
    record.ClearData();
    EXPECT_FALSE(record.HasBlock());
    EXPECT_EQ(record.GetLoadedSize(), 0);
    EXPECT_FALSE(record.Save());
}

TEST(Flags, SetAndClearOnlyTheMaskBits) {
    struct Case {
        uint32_t word, mask;
        bool on;
        uint32_t expected;
    };
    const Case cases[] = {{0x0001, 0x0010, true, 0x0011},
                          {0x0011, 0x0010, false, 0x0001},
                          {0xFFFF, 0x8001, false, 0x7FFE},
                          {0x0000, 0x0000, true, 0x0000}};
    __FCBase base;
    for (const Case& c : cases) {
        uint16_t word16 = static_cast<uint16_t>(c.word);
        base.Set16BitFlag(&word16, static_cast<uint16_t>(c.mask), c.on);
        EXPECT_EQ(word16, c.expected) << std::hex << c.word << " " << c.mask;
        uint32_t word32 = c.word << 16 | 0x5;
        base.Set32BitFlag(&word32, c.mask << 16, c.on);
        EXPECT_EQ(word32, c.expected << 16 | 0x5) << std::hex << c.word << " " << c.mask;
    }
}
