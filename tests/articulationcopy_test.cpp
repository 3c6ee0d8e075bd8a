// Copying articulations between entries, and the articulation cache of an entry.
#include <map>
#include <memory>
#include <string>

#include "finaleframework/entries/fcnoteentrycell.h"
#include "finaleframework/markings/fcarticulation.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kArticulationTag = 0x6564494D;
constexpr int kSource = 0, kTarget = 1, kBare = 2;

class ArticulationCopyTest : public HostTest {
protected:
    ArticulationCopyTest() { staff = document.AddStaff("Flute"); }
    void TearDown() override {
        cells.clear();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }
    // A measure of three entries: the source, the target and one without articulations.
    void Measure(int16_t measure, std::initializer_list<int16_t> source,
                 std::initializer_list<int16_t> target) {
        for (int i = 0; i < 3; ++i)
            document.AddEntry(staff, measure, 0, i * 1024, 1024, {static_cast<int16_t>(i)});
        for (int16_t definition : source) document.AddArticulation(Record(measure, kSource), definition);
        for (int16_t definition : target) document.AddArticulation(Record(measure, kTarget), definition);
    }
    EXENTRY& Record(int16_t measure, int index) {
        return document.CellLayerAt(staff, measure, 0).entries[index];
    }
    FCNoteEntry* Entry(int16_t measure, int index) {
        auto& cell = cells[measure];
        if (!cell) {
            cell = std::make_unique<FCNoteEntryCell>(measure, staff);
            EXPECT_TRUE(cell->Load());
        }
        return cell->GetEntryAt(index);
    }
    // The definitions of an entry's articulations as the entry-detail walk finds them.
    static std::string Walk(FCNoteEntry* entry) {
        FCArticulations list(entry);
        list.LoadAll(V);
        return Describe(&list);
    }
    static std::string Describe(FCArticulations* list) {
        std::string trace;
        for (int i = 0; i < list->GetCount(); ++i)
            trace += std::to_string(list->GetArticulationAt(i)->GetID()) + " ";
        return trace;
    }
    // The incidents under which articulations were saved, for the entry number given.
    std::string Saves(int32_t entryNumber) const {
        std::string trace;
        for (const HostCall& call : host.CallsTo("FX_SaveEData")) {
            EXPECT_EQ(call.args[0], kArticulationTag);
            EXPECT_EQ(call.args[1] & 0xFFFFFFFF, entryNumber);
            trace += std::to_string(call.args[1] >> 32 & 0xFFFF) + " ";
        }
        return trace;
    }

    int16_t staff;
    std::map<int16_t, std::unique_ptr<FCNoteEntryCell>> cells;
};

}  // namespace

// Skipped duplicates leave no gap: the copies follow the entry's own articulations one
// after another, so that the walk over the entry's records reaches every one.
TEST_F(ArticulationCopyTest, CopiesFollowTheEntrysOwnWithAndWithoutSkipping) {
    struct Case {
        bool skip;
        int copied;
        std::string incidents, walk;
    };
    const Case cases[] = {
        {true, 2, "1 2 ", "12 5 7 "},
        {false, 3, "1 2 3 ", "12 12 5 7 "},
    };
    int16_t measure = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skip ? "skipping duplicates" : "copying all");
        Measure(++measure, {12, 5, 7}, {12});
        FCNoteEntry* target = Entry(measure, kTarget);
        target->_SetEntryFlag(ENTRY_ARTICULATIONS, false);  // the copy announces them again
        host.ClearCalls();
        EXPECT_EQ(target->AddArticulations(Entry(measure, kSource), c.skip), c.copied);
        EXPECT_EQ(Saves(target->GetEntryNumber()), c.incidents);
        EXPECT_TRUE(target->GetFlags() & ENTRY_ARTICULATIONS);
        EXPECT_EQ(Walk(target), c.walk);
        EXPECT_EQ(Walk(Entry(measure, kSource)), "12 5 7 ");
    }
}

TEST_F(ArticulationCopyTest, SourceWithoutArticulationsCopiesNothing) {
    Measure(1, {}, {4});
    for (bool flag : {false, true}) {
        FCNoteEntry* target = Entry(1, kTarget);
        target->_SetEntryFlag(ENTRY_ARTICULATIONS, flag);
        host.ClearCalls();
        EXPECT_EQ(target->AddArticulations(Entry(1, kBare), false), 0);
        EXPECT_EQ(target->AddArticulations(Entry(1, kSource), true), 0);
        EXPECT_EQ(target->AddArticulations(nullptr, false), 0);
        EXPECT_EQ(bool(target->GetFlags() & ENTRY_ARTICULATIONS), flag);
        EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);
    }
    // Every articulation skipped as a duplicate: nothing copied either.
    FCNoteEntry* target = Entry(1, kTarget);
    target->_SetEntryFlag(ENTRY_ARTICULATIONS, false);
    document.AddArticulation(Record(1, kSource), 4);
    EXPECT_EQ(target->AddArticulations(Entry(1, kSource), true), 0);
    EXPECT_FALSE(target->GetFlags() & ENTRY_ARTICULATIONS);
    EXPECT_EQ(Walk(target), "4 ");
}

// The host gives an inserted entry its number when the frame is saved: until then no
// record can be attached to it.
TEST_F(ArticulationCopyTest, EntryWithoutNumberGetsNoCopies) {
    Measure(1, {3}, {});
    FCNoteEntry* target = Entry(1, kTarget);
    target->_GetEntryRecord()->entryNumber = 0;
    host.ClearCalls();
    EXPECT_EQ(target->AddArticulations(Entry(1, kSource), false), 0);
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_FALSE(target->GetFlags() & ENTRY_ARTICULATIONS);
}

TEST_F(ArticulationCopyTest, CachedSourceIsCopiedAndReconnected) {
    Measure(1, {8, 9}, {2});
    FCNoteEntry* source = Entry(1, kSource);
    FCNoteEntry* target = Entry(1, kTarget);
    source->CacheArticulations();
    ASSERT_NE(source->_articulationCache, nullptr);
    // The document loses one of the source's articulations; the cache still has both.
    ASSERT_TRUE(document.EraseRecord(kArticulationTag, EntryDetailKey(source->GetEntryNumber(), 0)));
    host.ClearCalls();
    EXPECT_EQ(target->AddArticulations(source, false), 2);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 2);  // the target's own walk only: incident 0, then the gap
    EXPECT_EQ(Walk(target), "2 8 9 ");
    for (int i = 0; i < 2; ++i) {
        FCArticulation* copied = source->_articulationCache->GetArticulationAt(i);
        EXPECT_EQ(copied->GetNoteEntry(), target);
        EXPECT_EQ(copied->GetEntryNumber(), target->GetEntryNumber());
        EXPECT_EQ(copied->GetIncident(), i + 1);
    }
}

TEST_F(ArticulationCopyTest, CacheIsReplacedOnlyByArticulationsFound) {
    Measure(1, {6, 1}, {});
    FCNoteEntry* bare = Entry(1, kBare);
    bare->CacheArticulations();
    EXPECT_EQ(bare->_articulationCache, nullptr);

    FCNoteEntry* source = Entry(1, kSource);
    source->CacheArticulations();
    FCArticulations* cache = source->_articulationCache;
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(Describe(cache), "6 1 ");
    EXPECT_EQ(cache->GetArticulationAt(1)->GetNoteEntry(), source);

    // All removed from the document: the cache stays as it was.
    document.EraseRecord(kArticulationTag, EntryDetailKey(source->GetEntryNumber(), 0));
    document.EraseRecord(kArticulationTag, EntryDetailKey(source->GetEntryNumber(), 0));
    source->CacheArticulations();
    EXPECT_EQ(source->_articulationCache, cache);
    EXPECT_EQ(Describe(cache), "6 1 ");

    document.AddArticulation(Record(1, kSource), 3);
    source->CacheArticulations();
    ASSERT_NE(source->_articulationCache, nullptr);
    EXPECT_EQ(Describe(source->_articulationCache), "3 ");
}
