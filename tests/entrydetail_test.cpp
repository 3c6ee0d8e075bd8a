// Records attached to entries: the walk over one entry's incidents, creation under a
// host-chosen incident with the entry flag kept in step, and records bound to one note.
#include <memory>
#include <string>

#include "finaleframework/entries/fcnoteentrycell.h"
#include "finaleframework/markings/fcarticulation.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kTestTag = 0x54654E44;  // the host files it as an entry detail
constexpr uint32_t kArticulationTag = 0x6564494D;

// A note-bound detail of 12 bytes: the note ID at offset 0, a payload byte at offset 2.
class TestNoteDetail : public FCFixedRecord<TestNoteDetail, __FCEntryDetailNoteID, "TestNoteDetail", kTestTag, 12> {
public:
    using FCFixedRecord::FCFixedRecord;
    ~TestNoteDetail() override {
        if (destroyed) *destroyed += "~" + std::to_string(GetIncident()) + " ";
    }
    void _SetNoteID(int16_t noteID) override {
        Allocate();
        _SetField<int16_t>(0, noteID);
    }
    bool _IsNoteIDMatch(const void* record, int16_t noteID) override {
        int16_t stored;
        memcpy(&stored, record, sizeof stored);
        return stored == noteID;
    }
    void _SetNoteFlag(FCNote* note, bool on) override { note->_SetNoteDetailEntryFlag(on); }
    uint8_t Payload() const { return _GetField<uint8_t>(2); }

    std::string* destroyed = nullptr;
};

class TestNoteDetails : public __FCCollectionEntryDetail {
public:
    __FCBaseData* CreateElement(uint32_t version) override {
        auto* detail = new TestNoteDetail(version);
        detail->destroyed = &destroyed;
        return detail;
    }
    TestNoteDetail* At(int index) const { return static_cast<TestNoteDetail*>(GetItemAt(index)); }
    std::string destroyed;
};

Bytes Record(int16_t noteID, uint8_t payload) {
    Bytes bytes(12, 0);
    memcpy(bytes.data(), &noteID, sizeof noteID);
    bytes[2] = payload;
    return bytes;
}

class EntryDetailTest : public HostTest {
protected:
    EntryDetailTest() {
        staff = document.AddStaff("Cello");
        document.AddEntry(staff, 1, 0, 0, 1024, {0, 2, 4});
        document.AddEntry(staff, 1, 0, 1024, 1024, {1});
    }
    void TearDown() override {
        cell.reset();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }
    FCNoteEntry* Entry(int index = 0) {
        if (!cell) {
            cell = std::make_unique<FCNoteEntryCell>(1, staff);
            EXPECT_TRUE(cell->Load());
        }
        return cell->GetEntryAt(index);
    }
    int32_t Number(int index = 0) { return document.CellLayerAt(staff, 1, 0).entries[index].entryNumber; }
    // The key a host call was given, as (entry number, incident).
    static std::pair<int32_t, int16_t> KeyOf(const HostCall& call) {
        RecordKey key;
        memcpy(key.bytes, &call.args[1], sizeof key.bytes);
        return {ReadKeyField<int32_t>(key, 0), ReadKeyField<int16_t>(key, 4)};
    }

    int16_t staff;
    std::unique_ptr<FCNoteEntryCell> cell;
};

}  // namespace

TEST_F(EntryDetailTest, LoadFirstWithoutAnEntryAsksTheHostNothing) {
    FCArticulation articulation(V);
    EXPECT_STREQ(articulation.ClassName(), "FCArticulation");
    host.ClearCalls();
    EXPECT_FALSE(articulation.LoadFirst());
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(EntryDetailTest, TheWalkStepsThroughIncidentsToTheFirstGap) {
    for (int16_t incident : {0, 1, 3})
        document.SetRecord(kTestTag, EntryDetailKey(Number(), incident), Record(1, static_cast<uint8_t>(10 + incident)));
    TestNoteDetail detail(V);
    detail.SetNoteEntry(Entry());
    EXPECT_TRUE(detail.LoadFirst());
    EXPECT_TRUE(detail.LoadNext());
    EXPECT_FALSE(detail.LoadNext());
    EXPECT_EQ(detail.GetIncident(), 1);
    EXPECT_EQ(detail.GetEntryNumber(), Number());
    EXPECT_EQ(detail.Payload(), 11);

    TestNoteDetails details;
    details._noteEntry = Entry();
    details.LoadAll(V);
    std::string walk;
    for (int i = 0; i < details.GetCount(); ++i)
        walk += std::to_string(details.At(i)->GetIncident()) + ":" + std::to_string(details.At(i)->Payload()) +
                (details.At(i)->GetNoteEntry() == Entry() ? "@entry " : "@none ");
    EXPECT_EQ(walk, "0:10@entry 1:11@entry ");
    EXPECT_EQ(details.destroyed, "~1 ");  // the prototype, left on the last incident

    details._noteEntry = nullptr;  // without an entry the collection is left as it was
    details.LoadAll(V);
    EXPECT_EQ(details.GetCount(), 2);
}

TEST_F(EntryDetailTest, TheWalkStopsAtTheLastIncidentAKeyHolds) {
    document.SetRecord(kTestTag, EntryDetailKey(Number(), INT16_MAX), Record(1, 1));
    TestNoteDetail detail(V);
    ASSERT_TRUE(detail.Load(Number(), INT16_MAX));
    host.ClearCalls();
    EXPECT_FALSE(detail.LoadNext());
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_EQ(detail.GetIncident(), INT16_MAX);
}

TEST_F(EntryDetailTest, SaveNewLetsTheHostChooseTheIncidentAndSetsTheEntryFlag) {
    document.SetRecord(kTestTag, EntryDetailKey(Number(), 0), Record(1, 1));
    TestNoteDetail detail(V);  // never loaded: its cleared storage is sent
    detail.SetNoteEntry(Entry());
    detail._SetEntryNumber(Number());
    ASSERT_TRUE(detail.SaveNew());
    const HostCall create = host.CallsTo("FX_CreateEData").at(0);
    EXPECT_EQ(create.args[0], kTestTag);
    EXPECT_EQ(KeyOf(create), std::make_pair(Number(), int16_t{-1}));
    EXPECT_EQ(create.args[3], 12);
    EXPECT_EQ(create.args[4], V);
    EXPECT_EQ(detail.GetIncident(), 1);
    EXPECT_EQ(*document.FindRecord(kTestTag, EntryDetailKey(Number(), 1)), Bytes(12, 0));
    EXPECT_EQ(Entry()->GetFlags() & (ENTRY_NOTE_DETAILS | ENTRY_ARTICULATIONS), ENTRY_NOTE_DETAILS);

    FCArticulation articulation(V);
    articulation.SetNoteEntry(Entry(1));
    articulation._SetEntryNumber(Number(1));
    articulation.SetID(7);
    ASSERT_TRUE(articulation.SaveNew());
    EXPECT_EQ(articulation.GetIncident(), 0);
    EXPECT_EQ(Entry(1)->GetFlags() & (ENTRY_NOTE_DETAILS | ENTRY_ARTICULATIONS), ENTRY_ARTICULATIONS);
    EXPECT_EQ(document.FindRecord(kArticulationTag, EntryDetailKey(Number(1), 0))->at(0), 7);
}

TEST_F(EntryDetailTest, SaveNewRefusedLeavesKeyAndFlagAlone) {
    TestNoteDetail unconnected(V);
    host.ClearCalls();
    EXPECT_FALSE(unconnected.SaveNew());
    EXPECT_TRUE(host.Calls().empty());

    host.Remove("FX_CreateEData");
    TestNoteDetail detail(V);
    detail.SetNoteEntry(Entry());
    ASSERT_TRUE(detail.Load(Number(), 5) == false);
    EXPECT_FALSE(detail.SaveNew());
    EXPECT_EQ(detail.GetIncident(), 5);
    EXPECT_EQ(Entry()->GetFlags() & ENTRY_NOTE_DETAILS, 0u);
}

TEST_F(EntryDetailTest, ScanFindsTheIncidentOfTheNotesOwnRecord) {
    for (int16_t incident = 0; incident < 3; ++incident)
        document.SetRecord(kTestTag, EntryDetailKey(Number(), incident), Record(static_cast<int16_t>(incident + 1), 0));
    TestNoteDetail detail(V);
    EXPECT_EQ(detail._ScanForNoteID(Entry()->GetNoteAt(2)), 2);
    EXPECT_EQ(detail._ScanForNoteID(nullptr), -1);
    host.ClearCalls();
    EXPECT_EQ(detail._ScanForNoteID(Entry(1)->GetNoteAt(0)), -1);
    ASSERT_EQ(host.CallCount("FX_LoadEData"), 1);
    EXPECT_EQ(KeyOf(host.CallsTo("FX_LoadEData")[0]), std::make_pair(Number(1), int16_t{0}));
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args[3], 12);  // the size offered
}

TEST_F(EntryDetailTest, SaveAtCreatesOrOverwritesTheNotesRecord) {
    document.SetRecord(kTestTag, EntryDetailKey(Number(), 0), Record(3, 30));
    document.SetRecord(kTestTag, EntryDetailKey(Number(), 1), Record(2, 20));
    TestNoteDetail detail(V);
    ASSERT_TRUE(detail.SaveAt(Entry()->GetNoteAt(1)));  // ID 2: incident 1
    EXPECT_EQ(host.CallCount("FX_CreateEData"), 0);
    EXPECT_EQ(KeyOf(host.CallsTo("FX_SaveEData").at(0)), std::make_pair(Number(), int16_t{1}));
    EXPECT_EQ(detail.GetIncident(), 1);
    EXPECT_EQ(*document.FindRecord(kTestTag, EntryDetailKey(Number(), 1)), Record(2, 0));

    ASSERT_TRUE(detail.SaveAt(Entry()->GetNoteAt(0)));  // ID 1: no record yet
    EXPECT_EQ(KeyOf(host.CallsTo("FX_CreateEData").at(0)), std::make_pair(Number(), int16_t{-1}));
    EXPECT_EQ(detail.GetIncident(), 2);
    EXPECT_EQ(*document.FindRecord(kTestTag, EntryDetailKey(Number(), 2)), Record(1, 0));
    EXPECT_EQ(Entry()->GetFlags() & ENTRY_NOTE_DETAILS, ENTRY_NOTE_DETAILS);
}

TEST_F(EntryDetailTest, EraseAtClearsTheFlagOnlyWithTheLastRecord) {
    document.SetRecord(kTestTag, EntryDetailKey(Number(), 0), Record(1, 0));
    document.SetRecord(kTestTag, EntryDetailKey(Number(), 1), Record(2, 0));
    Entry()->_SetEntryFlag(ENTRY_NOTE_DETAILS, true);
    TestNoteDetail detail(V);
    ASSERT_TRUE(detail.EraseAt(Entry()->GetNoteAt(1)));
    EXPECT_EQ(Entry()->GetFlags() & ENTRY_NOTE_DETAILS, ENTRY_NOTE_DETAILS);
    ASSERT_TRUE(detail.EraseAt(Entry()->GetNoteAt(0)));
    EXPECT_EQ(Entry()->GetFlags() & ENTRY_NOTE_DETAILS, 0u);
    EXPECT_EQ(detail.GetEntryNumber(), Number());
    EXPECT_EQ(detail.GetIncident(), -1);
    EXPECT_EQ(document.RecordCount(kTestTag), 0);

    // A note without a record: the host is asked to delete incident -1 and refuses.
    Entry()->_SetEntryFlag(ENTRY_NOTE_DETAILS, true);
    ASSERT_TRUE(detail.Load(Number(), 0) == false);
    EXPECT_FALSE(detail.EraseAt(Entry()->GetNoteAt(2)));
    EXPECT_EQ(KeyOf(host.CallsTo("FX_DeleteEData").back()), std::make_pair(Number(), int16_t{-1}));
    EXPECT_EQ(detail.GetIncident(), 0);
    EXPECT_EQ(Entry()->GetFlags() & ENTRY_NOTE_DETAILS, ENTRY_NOTE_DETAILS);
}

TEST_F(EntryDetailTest, HasAnyModLooksAtIncidentZeroOnly) {
    TestNoteDetail detail(V);
    EXPECT_FALSE(detail._HasAnyMod(Entry()->GetNoteAt(0)));
    document.SetRecord(kTestTag, EntryDetailKey(Number(), 0), Record(9, 0));
    ASSERT_FALSE(detail.Load(Number(1), 4));
    EXPECT_TRUE(detail._HasAnyMod(Entry()->GetNoteAt(0)));
    EXPECT_EQ(detail.GetEntryNumber(), Number(1));
    EXPECT_EQ(detail.GetIncident(), 4);
}

// The removed element is destroyed: its record is gone, and nothing else owns it.
TEST_F(EntryDetailTest, DestroyItemAtRenumbersTheLaterElementsAndDestroysTheRemovedOne) {
    for (int16_t incident = 0; incident < 3; ++incident)
        document.SetRecord(kTestTag, EntryDetailKey(Number(), incident), Record(1, static_cast<uint8_t>(incident)));
    TestNoteDetails details;
    details._noteEntry = Entry();
    details.LoadAll(V);
    for (int i = 0; i < details.GetCount(); ++i) details.At(i)->destroyed = &details.destroyed;
    details.destroyed.clear();
    EXPECT_TRUE(details.DestroyItemAt(1));
    EXPECT_EQ(details.destroyed, "~1 ");
    ASSERT_EQ(details.GetCount(), 2);
    EXPECT_EQ(details.At(1)->GetIncident(), 1);
    EXPECT_EQ(details.At(1)->Payload(), 2);
    EXPECT_EQ(document.FindRecord(kTestTag, EntryDetailKey(Number(), 1))->at(2), 2);
    EXPECT_EQ(document.RecordCount(kTestTag), 2);
    EXPECT_FALSE(details.DestroyItemAt(2));
    EXPECT_FALSE(details.DestroyItemAt(-1));
    EXPECT_TRUE(details.DestroyItemAt(1));
    EXPECT_FALSE(details.DestroyItemAt(0));
    EXPECT_EQ(details.destroyed, "~1 ~1 ~0 ");
    EXPECT_EQ(document.RecordCount(kTestTag), 0);
}
