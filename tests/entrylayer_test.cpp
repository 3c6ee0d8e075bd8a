// Entry layers: one layer of one staff over a run of measures, chained across them;
// saving with re-reading of new entries; copying a layer to another place with its
// tuplets.
#include <memory>
#include <string>
#include <vector>

#include "finaleframework/entries/fcnoteentrylayer.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kMeasureTag = 0x534F4D53;

EDTTuplet2005 Tuplet(uint8_t seed) {
    EDTTuplet2005 tuplet;
    for (int i = 0; i < EDTTUPLET2005_SIZE; ++i) tuplet.bytes[i] = static_cast<uint8_t>(seed + i);
    return tuplet;
}

class EntryLayerTest : public HostTest {
protected:
    EntryLayerTest() {
        cello = document.AddStaff("Cello");
        bass = document.AddStaff("Bass");
        document.SetMeasureCount(6);
    }
    void TearDown() override {
        layers.clear();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }
    // count one-note chords at positions 0, 1024, ...; the displacement of entry i is
    // measure * 10 + i, so that the trace shows where each entry came from.
    void Fill(int16_t staff, int16_t measure, int16_t layer, int count) {
        for (int i = 0; i < count; ++i)
            document.AddEntry(staff, measure, layer, i * 1024, 256, {static_cast<int16_t>(measure * 10 + i)});
    }
    FCNoteEntryLayer& Layer(int16_t layer, int16_t staff, int16_t start, int16_t end) {
        layers.push_back(std::make_unique<FCNoteEntryLayer>(layer, staff, start, end));
        return *layers.back();
    }
    FCNoteEntryLayer& Adopt(FCNoteEntryLayer* layer) {
        layers.emplace_back(layer);
        return *layer;
    }
    // "m<measure>:<displacement>" of each entry in collection order; the chain of next
    // links from the first entry must visit the same entries, and each previous link
    // must point back.
    static std::string Trace(FCNoteEntryLayer& layer) {
        std::string trace;
        FCNoteEntry* chained = layer.GetEntryAt(0);
        for (int i = 0; i < layer.GetCount(); ++i) {
            FCNoteEntry* entry = layer.GetEntryAt(i);
            EXPECT_EQ(entry, chained) << i;
            EXPECT_EQ(entry->GetPrevious(), i ? layer.GetEntryAt(i - 1) : nullptr) << i;
            trace += "m" + std::to_string(entry->GetMeasure()) + ":" +
                     std::to_string(entry->GetCount() ? entry->GetNoteAt(0)->GetDisplacement() : -1) + " ";
            chained = entry->GetNext();
        }
        EXPECT_EQ(chained, nullptr);
        return trace;
    }
    // Arguments 1 to 4 of each FX_LoadTGF call: "slot.measure.layer/flag".
    std::string FrameLoads() const {
        std::string trace;
        for (const HostCall& call : host.CallsTo("FX_LoadTGF"))
            trace += std::to_string(call.args[1]) + "." + std::to_string(call.args[2]) + "." +
                     std::to_string(call.args[3]) + "/" + std::to_string(call.args[4]) + " ";
        return trace;
    }

    int16_t cello, bass;
    std::vector<std::unique_ptr<FCNoteEntryLayer>> layers;
};

}  // namespace

TEST_F(EntryLayerTest, LayerOverThreeMeasuresIsChainedAcrossThem) {
    Fill(cello, 3, 0, 1);
    Fill(cello, 4, 0, 2);
    Fill(cello, 6, 0, 3);  // measure 5 has no entries
    Fill(cello, 7, 0, 1);
    Fill(cello, 4, 1, 2);
    Fill(bass, 5, 0, 2);
    FCNoteEntryLayer& layer = Layer(0, cello, 4, 6);
    EXPECT_STREQ(layer.ClassName(), "FCNoteEntryLayer");
    EXPECT_TRUE(host.Calls().empty());
    ASSERT_TRUE(layer.Load());
    EXPECT_EQ(Trace(layer), "m4:40 m4:41 m6:60 m6:61 m6:62 ");
    EXPECT_EQ(layer.GetFrameCount(), 3);
    EXPECT_EQ(FrameLoads(), "1.4.0/1 1.5.0/1 1.6.0/1 ");
    EXPECT_EQ(host.CallCount("FX_GetShowLayer"), 3);
    // The chain carries stem directions across the bar line.
    EXPECT_EQ(layer.GetEntryAt(2)->GetPrevious()->GetMeasure(), 4);

    // A reload drops the old frames first.
    host.ClearCalls();
    ASSERT_TRUE(layer.Load());
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 3);
    EXPECT_EQ(host.liveFrames.size(), 3u);
    EXPECT_EQ(Trace(layer), "m4:40 m4:41 m6:60 m6:61 m6:62 ");
}

TEST_F(EntryLayerTest, HiddenLayerLoadsNoFramesAndHasNoDuration) {
    Fill(bass, 2, 1, 2);
    document.hiddenLayers = {1};
    FCNoteEntryLayer& layer = Layer(1, bass, 1, 3);
    ASSERT_TRUE(layer.Load());
    EXPECT_EQ(layer.GetCount(), 0);
    EXPECT_EQ(layer.GetFrameCount(), 3);
    EXPECT_EQ(host.CallCount("FX_GetShowLayer"), 3);
    EXPECT_EQ(host.CallCount("FX_LoadTGF"), 0);
    EXPECT_EQ(layer.CalcFrameDuration(2), 0);
    EXPECT_EQ(host.CallCount("FX_GetTGFDuration"), 0);
}

TEST_F(EntryLayerTest, FrameDurationOfEachMeasure) {
    Fill(cello, 2, 0, 3);
    Fill(cello, 4, 0, 1);
    FCNoteEntryLayer& layer = Layer(0, cello, 2, 4);
    ASSERT_TRUE(layer.Load());
    struct Case {
        int measure;
        int32_t duration;
        bool asked;
    };
    for (const Case& c :
         {Case{1, 0, false}, Case{2, 768, true}, Case{3, 0, true}, Case{4, 256, true}, Case{5, 0, false}}) {
        host.ClearCalls();
        EXPECT_EQ(layer.CalcFrameDuration(c.measure), c.duration) << c.measure;
        const std::vector<HostCall> calls = host.CallsTo("FX_GetTGFDuration");
        ASSERT_EQ(calls.size(), c.asked ? 1u : 0u) << c.measure;
        if (!c.asked) continue;
        EXPECT_EQ(calls[0].args[0],
                  static_cast<int64_t>(reinterpret_cast<uintptr_t>(layer._GetFrame(c.measure))));
    }
    FCNoteEntryLayer& unloaded = Layer(0, cello, 2, 4);
    EXPECT_EQ(unloaded.CalcFrameDuration(2), 0);
}

TEST_F(EntryLayerTest, LoadFailsWithoutAFrameAndFreesWhatItHad) {
    Fill(cello, 5, 0, 2);
    FCNoteEntryLayer& beyond = Layer(0, cello, 5, 8);  // the document has 6 measures
    EXPECT_FALSE(beyond.Load());
    EXPECT_EQ(FrameLoads(), "1.5.0/1 1.6.0/1 1.7.0/1 ");
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 2);
    EXPECT_EQ(beyond.GetCount(), 0);
    EXPECT_EQ(beyond.GetFrameCount(), 0);
    EXPECT_EQ(beyond._GetFrame(5), nullptr);

    document.unloadableLayers = {2};
    EXPECT_FALSE(Layer(2, cello, 1, 2).Load());

    host.ClearCalls();
    FCNoteEntryLayer& backwards = Layer(0, cello, 5, 3);
    EXPECT_FALSE(backwards.Load());
    EXPECT_EQ(backwards.GetFrameCount(), 0);
    EXPECT_TRUE(host.Calls().empty());
}

// The end -1 is the count of measure records from item number 0, as the measure browser
// gives it: a document without a record 0 counts none.
TEST_F(EntryLayerTest, EndOfTheDocumentIsTheMeasureBrowsersCount) {
    for (int16_t measure = 1; measure <= 4; ++measure) document.AddMeasure(measure);
    FCBrowserMeasures browser;
    EXPECT_EQ(browser.GetCount(), 0);
    EXPECT_EQ(Layer(0, cello, 1, -1).GetEndMeasure(), 0);
    document.SetRecord(kMeasureTag, OtherKey(0), Bytes(26, 0));
    EXPECT_EQ(browser.GetCount(), 5);
    host.ClearCalls();
    FCNoteEntryLayer& whole = Layer(0, cello, 1, -1);
    EXPECT_EQ(whole.GetEndMeasure(), 5);
    EXPECT_EQ(whole.GetStartMeasure(), 1);
    EXPECT_EQ(host.CallCount("FX_LoadTGF"), 0);
    EXPECT_EQ(Layer(0, cello, 1, 3).GetEndMeasure(), 3);
}

TEST_F(EntryLayerTest, SaveOffersEveryFrameAndRereadsOnlyNewEntries) {
    Fill(cello, 1, 3, 2);
    Fill(cello, 2, 3, 1);
    FCNoteEntryLayer& layer = Layer(3, cello, 1, 2);
    ASSERT_TRUE(layer.Load());
    host.ClearCalls();
    EXPECT_TRUE(layer.Save());
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 2);
    EXPECT_EQ(host.CallCount("FX_LoadTGF"), 0);

    document.unsavableLayers = {3};
    host.ClearCalls();
    EXPECT_FALSE(layer.Save());
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 2);
}

// The sequence that carries a layer with its tuplets to another place: copy, save (the
// copies get the host's numbers), then the tuplets under those numbers.
TEST_F(EntryLayerTest, CloneSaveAndCloneTupletsCarryTheLayerElsewhere) {
    Fill(cello, 1, 0, 3);
    Fill(cello, 2, 0, 2);
    document.AddTuplet(cello, 1, 0, 0, 0, Tuplet(0x10));
    document.AddTuplet(cello, 1, 0, 0, 1, Tuplet(0x40));
    document.AddTuplet(cello, 2, 0, 1, 0, Tuplet(0x70));
    Fill(bass, 4, 2, 1);  // replaced by the copy
    FCNoteEntryLayer& source = Layer(0, cello, 1, 2);
    ASSERT_TRUE(source.Load());

    host.ClearCalls();
    FCNoteEntryLayer& clone = Adopt(source.CreateCloneEntries(2, bass, 3));
    // Per measure the destination first, then the source, which is freed after the copy.
    EXPECT_EQ(FrameLoads(), "2.3.2/0 1.1.0/0 2.4.2/0 1.2.0/0 ");
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 2);
    EXPECT_EQ(clone.GetLayerIndex(), 2);
    EXPECT_EQ(clone.GetStaff(), bass);
    EXPECT_EQ(clone.GetStartMeasure(), 3);
    EXPECT_EQ(clone.GetEndMeasure(), 4);
    EXPECT_EQ(Trace(clone), "m3:10 m3:11 m3:12 m4:20 m4:21 ");
    for (int i = 0; i < clone.GetCount(); ++i) {
        EXPECT_EQ(clone.GetEntryAt(i)->GetEntryNumber(), 0) << i;
        EXPECT_FALSE(clone.GetEntryAt(i)->GetFlags() & ENTRY_TUPLET_START) << i;
    }
    EXPECT_EQ(host.CallCount("FX_SaveTGF"), 0);

    // Not numbered yet: no tuplet can be keyed to the copies.
    host.ClearCalls();
    EXPECT_FALSE(clone.CloneTuplets(&source));
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);

    ASSERT_TRUE(clone.Save());
    EXPECT_EQ(FrameLoads(), "2.3.2/0 2.4.2/0 ");
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 2);
    std::vector<int32_t> numbers;
    for (int i = 0; i < clone.GetCount(); ++i) {
        SCOPED_TRACE(i);
        FCNoteEntry* entry = clone.GetEntryAt(i);
        const int16_t measure = entry->GetMeasure();
        const int index = i < 3 ? i : i - 3;
        EXPECT_EQ(entry->_GetFrame(), clone._GetFrame(measure));
        EXPECT_TRUE(host.liveFrames.count(entry->_GetFrame()));
        EXPECT_EQ(entry->_CalcTGFIndex(), index);
        const int32_t number = document.CellLayerAt(bass, measure, 2).entries[index].entryNumber;
        EXPECT_NE(number, 0);
        EXPECT_EQ(entry->GetEntryNumber(), number);
        EXPECT_EQ(entry->GetNoteAt(0)->_GetNoteRecord(), &entry->_GetEntryRecord()->notes[0]);
        numbers.push_back(number);
    }
    EXPECT_EQ(Trace(clone), "m3:10 m3:11 m3:12 m4:20 m4:21 ");

    host.ClearCalls();
    ASSERT_TRUE(clone.CloneTuplets(&source));
    std::string saved;
    for (const HostCall& call : host.CallsTo("FX_SaveEData")) {
        EXPECT_EQ(call.args[0], EDTTUPLET2005_TAG);
        EXPECT_EQ(call.args[3], EDTTUPLET2005_SIZE);
        EXPECT_EQ(call.args[4], V);
        saved += std::to_string(call.args[1] & 0xFFFFFFFF) + "#" +
                 std::to_string(call.args[1] >> 32 & 0xFFFF) + " ";
    }
    EXPECT_EQ(saved, std::to_string(numbers[0]) + "#0 " + std::to_string(numbers[0]) + "#1 " +
                         std::to_string(numbers[4]) + "#0 ");
    const Bytes* second = document.FindRecord(EDTTUPLET2005_TAG, EntryDetailKey(numbers[0], 1));
    ASSERT_NE(second, nullptr);
    const EDTTuplet2005 expected = Tuplet(0x40);
    EXPECT_EQ(*second, Bytes(expected.bytes, expected.bytes + EDTTUPLET2005_SIZE));
    for (int i = 0; i < clone.GetCount(); ++i)
        EXPECT_EQ(bool(clone.GetEntryAt(i)->GetFlags() & ENTRY_TUPLET_START), i == 0 || i == 4) << i;

    // Saved once more, the copy shows its tuplets to whoever loads it.
    ASSERT_TRUE(clone.Save());
    FCNoteEntryLayer& copied = Layer(2, bass, 3, 4);
    ASSERT_TRUE(copied.Load());
    EDTTuplet2005 found{};
    ASSERT_TRUE(copied.GetEntryAt(4)->_GetTupletDef(0, &found));
    EXPECT_EQ(memcmp(found.bytes, Tuplet(0x70).bytes, EDTTUPLET2005_SIZE), 0);
    EXPECT_TRUE(copied.GetEntryAt(4)->GetFlags() & ENTRY_TUPLET_START);
    EXPECT_FALSE(copied.GetEntryAt(3)->_GetTupletDef(0, &found));
    // The source stays as it was.
    EXPECT_EQ(document.CellLayerAt(cello, 1, 0).entries.size(), 3u);
    EXPECT_EQ(document.CellLayerAt(bass, 4, 2).entries.size(), 2u);
}

TEST_F(EntryLayerTest, CloneTupletsRefusesLayersOfOtherEntryCounts) {
    Fill(cello, 1, 0, 4);
    Fill(bass, 1, 0, 5);
    document.AddTuplet(cello, 1, 0, 0, 0, Tuplet(1));
    FCNoteEntryLayer& four = Layer(0, cello, 1, 1);
    FCNoteEntryLayer& five = Layer(0, bass, 1, 1);
    ASSERT_TRUE(four.Load());
    ASSERT_TRUE(five.Load());
    host.ClearCalls();
    EXPECT_FALSE(five.CloneTuplets(&four));
    EXPECT_FALSE(four.CloneTuplets(&five));
    EXPECT_FALSE(four.CloneTuplets(nullptr));
    EXPECT_TRUE(host.Calls().empty());
}

// A re-read that yields no frame, or one the entries cannot be matched to, leaves the
// entries in the frame they had, which the layer keeps.
TEST_F(EntryLayerTest, RereadWithoutAUsableFrameKeepsTheOldFrame) {
    Fill(cello, 1, 1, 2);
    FCNoteEntryLayer& source = Layer(1, cello, 1, 1);
    ASSERT_TRUE(source.Load());
    FCNoteEntryLayer& clone = Adopt(source.CreateCloneEntries(3, bass, 2));
    ASSERT_EQ(clone.GetCount(), 2);
    EXTGF2005a* frame = clone._GetFrame(2);
    document.unloadableLayers = {3};
    host.ClearCalls();
    EXPECT_TRUE(clone.Save());
    EXPECT_EQ(FrameLoads(), "2.2.3/0 ");
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 0);
    EXPECT_EQ(clone._GetFrame(2), frame);
    EXPECT_EQ(clone.GetEntryAt(1)->_GetFrame(), frame);
    EXPECT_EQ(clone.GetEntryAt(1)->GetEntryNumber(), 0);
    EXPECT_EQ(clone.GetEntryAt(1)->GetNoteAt(0)->GetDisplacement(), 11);

    // The host now has one more entry there than the frame: the fresh copy is let go.
    document.unloadableLayers.clear();
    Fill(bass, 2, 3, 1);
    host.ClearCalls();
    EXPECT_EQ(clone._SilentTGFUpdate(frame), frame);
    EXPECT_EQ(host.CallCount("FX_LoadTGF"), 1);
    EXPECT_EQ(host.CallCount("FX_FreeTGF"), 1);
    EXPECT_NE(host.CallsTo("FX_FreeTGF")[0].args[0],
              static_cast<int64_t>(reinterpret_cast<uintptr_t>(frame)));
    EXPECT_EQ(Trace(clone), "m2:10 m2:11 ");
}

TEST_F(EntryLayerTest, RedirectWithoutAFrameOfEitherPlaceFails) {
    Fill(cello, 5, 0, 1);
    Fill(cello, 6, 0, 1);
    struct Case {
        const char* name;
        int16_t start, end, newStart;
        std::string loads;
        int copies;
    };
    const Case cases[] = {
        // measure 7 of the source does not exist: its destination is loaded, never filled
        {"source", 5, 7, 1, "2.1.1/0 1.5.0/0 2.2.1/0 1.6.0/0 2.3.1/0 1.7.0/0 ", 2},
        // destination measure 7 does not exist: the source of that measure is not asked for
        {"destination", 5, 6, 6, "2.6.1/0 1.5.0/0 2.7.1/0 ", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FCNoteEntryLayer& layer = Layer(0, cello, c.start, c.end);
        host.ClearCalls();
        EXPECT_FALSE(layer._LoadRedir(1, bass, c.newStart));
        EXPECT_EQ(FrameLoads(), c.loads);
        EXPECT_EQ(host.CallCount("FX_InsertEXENTRY"), c.copies);
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_EQ(layer.GetCount(), 0);
        EXPECT_EQ(layer.GetFrameCount(), 0);
        EXPECT_EQ(layer.GetLayerIndex(), 0);
        EXPECT_EQ(layer.GetStaff(), cello);
        EXPECT_EQ(layer.GetStartMeasure(), c.start);
        EXPECT_EQ(layer.GetEndMeasure(), c.end);
        EXPECT_EQ(host.CallCount("FX_SaveTGF"), 0);
    }
}
