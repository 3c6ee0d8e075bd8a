// Note pitch: the letter and full alteration of a note in the key of its measure, and its
// displacement under the clef and the staff's transposition.
#include <memory>
#include <string>
#include <vector>

#include "finaleframework/entries/fcnoteentrycell.h"
#include "tests/support.h"

namespace {

constexpr uint32_t kMeasureTag = 0x534F4D53;
constexpr uint32_t kClefTag = 0x67626366;
constexpr uint32_t kStaffSpecTag = 0x534F5343;

class PitchTest : public HostTest {
protected:
    PitchTest() { staff = document.AddStaff("Oboe"); }
    void TearDown() override {
        cells.clear();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }
    // A one-note chord alone in its measure, at position 512.
    EXENTRY& Chord(int16_t measure, int16_t displacement, int16_t raiseLower = 0, int16_t clefIndex = 0) {
        EXENTRY& entry = document.AddEntry(staff, measure, 0, 512, 1024, {displacement});
        entry.notes[0].raiseLower = raiseLower;
        entry.clefIndex = clefIndex;
        return entry;
    }
    // The first note of the first entry of the measure, loaded through a cell.
    FCNote* Note(int16_t measure) {
        cells.push_back(std::make_unique<FCNoteEntryCell>(measure, staff));
        EXPECT_TRUE(cells.back()->Load());
        FCNoteEntry* entry = cells.back()->GetEntryAt(0);
        return entry ? entry->GetNoteAt(0) : nullptr;
    }
    // The item numbers of the measures loaded, in order.
    std::string MeasureLoads() const {
        std::string trace;
        for (const HostCall& call : host.CallsTo("FX_LoadEData"))
            if (call.args[0] == kMeasureTag) trace += std::to_string(call.args[1] & 0xFFFF) + " ";
        return trace;
    }

    int16_t staff;
    std::vector<std::unique_ptr<FCNoteEntryCell>> cells;
};

}  // namespace

TEST_F(PitchTest, LetterAndAlterationInTheKeyOfTheMeasure) {
    struct Case {
        uint16_t key;
        int16_t displacement, raiseLower;
        char letter;
        int16_t alteration;
    };
    const Case cases[] = {
        // C major: the alteration is the note's own.
        {0x0000, 0, 0, 'C', 0},
        {0x0000, 4, 0, 'G', 0},
        {0x0000, -1, 0, 'B', 0},
        {0x0000, 7, 0, 'C', 0},
        {0x0000, 3, -1, 'F', -1},
        {0x0000, -8, 1, 'B', 1},
        // G and D major: sharps on F, then C.
        {0x0001, 0, 0, 'G', 0},
        {0x0001, 6, 0, 'F', 1},
        {0x0001, 6, -1, 'F', 0},
        {0x0002, 2, 0, 'F', 1},
        {0x0002, 6, 0, 'C', 1},
        {0x0002, 4, 0, 'A', 0},
        // F and E flat major: flats on B, E, A.
        {0x00FF, 3, 0, 'B', -1},
        {0x00FF, 3, 1, 'B', 0},
        {0x00FD, 0, 0, 'E', -1},
        {0x00FD, 3, 0, 'A', -1},
        {0x00FD, 1, 0, 'F', 0},
        // A and C minor.
        {0x0100, 0, 0, 'A', 0},
        {0x01FD, 2, 0, 'E', -1},
        {0x01FD, 5, 0, 'A', -1},
        // Seven sharps raise every letter; an eighth raises F again.
        {0x0007, 0, 0, 'C', 1},
        {0x0007, 3, 0, 'F', 1},
        {0x0008, 0, 0, 'G', 1},
        {0x0008, 6, 0, 'F', 2},
        // Keys that are not linear: root -1 for the letter, no alteration at all.
        {0x0200, 0, 1, 'G', 0},
        {0x0200, 3, -1, 'C', 0},
        {0xFFFF, 1, 2, 'A', 0},
        {0x8000, 0, 1, 'G', 0},
    };
    int16_t measure = 0;
    for (const Case& c : cases) {
        ++measure;
        document.AddMeasure(measure, c.key);
        Chord(measure, c.displacement, c.raiseLower);
    }
    measure = 0;
    for (const Case& c : cases) {
        ++measure;
        SCOPED_TRACE("key " + std::to_string(c.key) + " displacement " + std::to_string(c.displacement) +
                     " raise/lower " + std::to_string(c.raiseLower));
        FCNote* note = Note(measure);
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->CalcPitchChar(), c.letter);
        EXPECT_EQ(note->CalcPitchRaiseLower(), c.alteration);
    }
}

// The entries come from the host's frames, so their measures should exist; one that does
// not load reads as a rest would.
TEST_F(PitchTest, RestsAndMeasuresThatDoNotLoadGiveNothing) {
    document.AddMeasure(1, 0x0001);
    Chord(1, 6).flags &= ~ENTRY_NOTE;  // a rest that still has a note record
    Chord(2, 6);                       // measure 2 has no attribute record
    document.AddMeasure(3, 0x0001);
    Chord(3, 6);

    FCNote* rest = Note(1);
    ASSERT_NE(rest, nullptr);
    host.ClearCalls();
    EXPECT_EQ(rest->CalcPitchChar(), 0);
    EXPECT_EQ(rest->CalcPitchRaiseLower(), 0);
    EXPECT_EQ(MeasureLoads(), "");

    FCNote* lost = Note(2);
    ASSERT_NE(lost, nullptr);
    host.ClearCalls();
    EXPECT_EQ(lost->CalcPitchChar(), 0);
    EXPECT_EQ(lost->CalcPitchRaiseLower(), 0);
    EXPECT_EQ(MeasureLoads(), "2 2 ");

    FCNote* note = Note(3);
    ASSERT_NE(note, nullptr);
    host.ClearCalls();
    EXPECT_EQ(note->CalcPitchRaiseLower(), 1);
    // The alteration reads the measure, then the letter reads it again on its own.
    EXPECT_EQ(MeasureLoads(), "3 3 ");
}

TEST_F(PitchTest, ActualDisplacementAddsClefOffsetAndTransposition) {
    document.AddClefDef(0, 0);
    document.AddClefDef(1, -4);
    const int16_t transposed = document.AddStaff("Clarinet");
    ASSERT_TRUE(document.SetStaffTransposition(transposed, 0x2105));
    const int16_t lowered = document.AddStaff("Horn");
    ASSERT_TRUE(document.SetStaffTransposition(lowered, 0x0FFF));
    struct Case {
        int16_t onStaff, clefIndex, displacement, actual;
    };
    const Case cases[] = {
        {staff, 0, 2, 2},      {staff, 1, 2, -2},     {staff, 9, 2, 2},  // clef 9 is not defined
        {transposed, 0, 2, 7}, {transposed, 1, 2, 3}, {lowered, 1, -3, -8},
    };
    int16_t measure = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE("staff " + std::to_string(c.onStaff) + " clef " + std::to_string(c.clefIndex));
        ++measure;
        EXENTRY& entry = document.AddEntry(c.onStaff, measure, 0, 768, 1024, {c.displacement});
        entry.clefIndex = c.clefIndex;
        cells.push_back(std::make_unique<FCNoteEntryCell>(measure, c.onStaff));
        ASSERT_TRUE(cells.back()->Load());
        FCNote* note = cells.back()->GetEntryAt(0)->GetNoteAt(0);
        host.ClearCalls();
        EXPECT_EQ(note->CalcActualDisplacement(), c.actual);
        const std::vector<HostCall> loads = host.CallsTo("FX_LoadEData");
        ASSERT_EQ(loads.size(), 2u);
        EXPECT_EQ(loads[0].args[0], kClefTag);
        EXPECT_EQ(loads[0].args[1] & 0xFFFF, c.clefIndex);
        EXPECT_EQ(loads[1].args[0], kStaffSpecTag);
        // staff @0, measure @2, the entry's position @4
        EXPECT_EQ(loads[1].args[1], c.onStaff | measure << 16 | int64_t{768} << 32);
    }
}
