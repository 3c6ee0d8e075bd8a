// Entries and notes seen in place in the frames of a cell: reading and editing the notes
// of one entry, stem direction, tuplets, and what the host receives when the cell saves.
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "finaleframework/entries/fcnoteentrycell.h"
#include "tests/support.h"

namespace {

class NoteEntryTest : public HostTest {
protected:
    NoteEntryTest() {
        staff = document.AddStaff("Clarinet");
        document.SetMeasureCount(2);
    }
    void TearDown() override {
        cell.reset();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }

    // A chord (or a rest without displacements) at the end of layer 0 of the measure.
    EXENTRY& Add(std::vector<int16_t> displacements, int16_t measure = 1, int16_t duration = 1024) {
        auto& entries = document.CellLayerAt(staff, measure, 0).entries;
        return document.AddEntry(staff, measure, 0, static_cast<int32_t>(entries.size()) * 1024, duration,
                                 displacements);
    }
    EXENTRY& Stored(int index, int16_t measure = 1) { return document.CellLayerAt(staff, measure, 0).entries[index]; }
    FCNoteEntry* Load(int16_t measure = 1) {
        cell = std::make_unique<FCNoteEntryCell>(measure, staff);
        EXPECT_TRUE(cell->Load());
        return cell->GetEntryAt(0);
    }
    void Save() { EXPECT_TRUE(cell->Save()); }

    int16_t staff;
    std::unique_ptr<FCNoteEntryCell> cell;
};

std::string Notes(FCNoteEntry* entry) {
    std::string trace;
    for (int i = 0; i < entry->GetCount(); ++i) {
        FCNote* note = entry->GetNoteAt(i);
        trace += "[" + std::to_string(note->GetIndex()) + "] d" + std::to_string(note->GetDisplacement()) + " id" +
                 std::to_string(note->GetNoteID()) + " ";
    }
    return trace;
}

}  // namespace

TEST_F(NoteEntryTest, AnEntryBuildsOneNotePerRecordInUse) {
    Add({-2, 5, 3});
    FCNoteEntry* entry = Load();
    EXPECT_STREQ(entry->ClassName(), "FCNoteEntry");
    EXPECT_STREQ(entry->GetNoteAt(0)->ClassName(), "FCNote");
    EXPECT_EQ(Notes(entry), "[0] d-2 id1 [1] d5 id2 [2] d3 id3 ");
    EXPECT_EQ(entry->GetNoteAt(2)->_GetNoteRecord(), &entry->_GetEntryRecord()->notes[2]);
    EXPECT_EQ(entry->GetNoteAt(1)->GetEntry(), entry);
    EXPECT_EQ(entry->GetNoteAt(1)->_GetEntryNumber(), +Stored(0).entryNumber);
    EXPECT_EQ(entry->GetMeasure(), 1);
    EXPECT_EQ(entry->GetStaff(), staff);
    EXPECT_EQ(entry->CalcHighestDisplacement(), 5);
    EXPECT_EQ(entry->CalcDisplacementRange(), 7);
}

TEST_F(NoteEntryTest, AHostNoteCountOutsideTheRecordsIsClamped) {
    Add({0, 1});
    Add({0});
    Stored(0).noteCount = 40;
    Stored(1).noteCount = -2;
    Load();
    EXPECT_EQ(cell->GetEntryAt(0)->GetCount(), EXENTRY_MAX_NOTES);
    EXPECT_EQ(cell->GetEntryAt(1)->GetCount(), 0);
    EXPECT_EQ(cell->GetEntryAt(0)->AddNewNote(), nullptr);
}

TEST_F(NoteEntryTest, AnEntryWithoutNotesAnswersWithNothing) {
    Add({});
    FCNoteEntry* rest = Load();
    EXPECT_TRUE(rest->IsRest());
    EXPECT_EQ(rest->CalcHighestDisplacement(), 0);
    EXPECT_EQ(rest->CalcDisplacementRange(), 0);
    EXPECT_EQ(rest->FindHighestNote(), nullptr);
    EXPECT_EQ(rest->FindLowestNote(), nullptr);
    EXPECT_FALSE(rest->IsTied());
}

TEST_F(NoteEntryTest, RaiseLowerDecidesBetweenNotesOnOneStep) {
    Add({3, 3, 1});
    Stored(0).notes[0].raiseLower = -1;
    Stored(0).notes[1].raiseLower = 1;
    FCNoteEntry* entry = Load();
    EXPECT_EQ(entry->FindHighestNote(), entry->GetNoteAt(1));
    EXPECT_EQ(entry->FindLowestNote(), entry->GetNoteAt(2));
    Stored(0).notes[2].displacement = 3;
    entry = Load();
    EXPECT_EQ(entry->FindLowestNote(), entry->GetNoteAt(0));
}

TEST_F(NoteEntryTest, UniqueNoteIdIsTheSmallestFreeOne) {
    const std::vector<std::pair<std::vector<int16_t>, int16_t>> cases = {
        {{1, 2, 4}, 3}, {{2, 3}, 1}, {{}, 1}, {{3, 2, 1}, 4}, {{-1, 0}, 1}};
    for (const auto& [ids, expected] : cases) {
        document.CellLayerAt(staff, 1, 0).entries.clear();
        std::vector<int16_t> displacements(ids.size(), 0);
        EXENTRY& stored = Add(displacements);
        for (size_t i = 0; i < ids.size(); ++i) stored.notes[i].noteID = ids[i];
        EXPECT_EQ(Load()->_FindUniqueNoteID(), expected);
    }
}

TEST_F(NoteEntryTest, AddNewNoteAppendsABlankNoteThatTheHostReceives) {
    Add({4, 6});
    Stored(0).notes[1].noteID = 3;
    FCNoteEntry* entry = Load();
    FCNote* note = entry->AddNewNote();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note, entry->GetNoteAt(2));
    EXPECT_EQ(note->GetIndex(), 2);
    EXPECT_EQ(note->GetNoteID(), 2);
    EXPECT_EQ(note->GetFlags(), NOTE_CREATED);
    EXPECT_EQ(+entry->_GetEntryRecord()->noteCount, 3);
    Save();
    const EXENTRY saved = Stored(0);
    EXPECT_EQ(+saved.noteCount, 3);
    const ENOTE expected{0, 0, 2, 0x80020000};
    EXPECT_EQ(memcmp(&saved.notes[2], &expected, sizeof expected), 0);
}

TEST_F(NoteEntryTest, AddNewNoteRefusesARestAndAFullChord) {
    Add({});
    Add({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    Load();
    for (int i = 0; i < 2; ++i) {
        FCNoteEntry* entry = cell->GetEntryAt(i);
        const EXENTRY before = *entry->_GetEntryRecord();
        EXPECT_EQ(entry->AddNewNote(), nullptr);
        EXPECT_EQ(memcmp(&before, entry->_GetEntryRecord(), sizeof before), 0);
    }
}

TEST_F(NoteEntryTest, DeleteNoteKeepsTheOthersInOrderWithTheirIds) {
    Add({0, 2, 4});
    Add({7});
    Load();
    FCNoteEntry* entry = cell->GetEntryAt(0);
    FCNoteEntry* other = cell->GetEntryAt(1);
    EXPECT_FALSE(entry->DeleteNote(other->GetNoteAt(0)));
    EXPECT_FALSE(entry->DeleteNote(nullptr));
    EXPECT_TRUE(entry->DeleteNote(entry->GetNoteAt(1)));
    EXPECT_EQ(Notes(entry), "[0] d0 id1 [1] d4 id3 ");
    Save();
    EXPECT_EQ(+Stored(0).noteCount, 2);
    EXPECT_EQ(+Stored(0).notes[1].displacement, 4);
    EXPECT_EQ(+Stored(0).notes[1].noteID, 3);
    EXPECT_EQ(+Stored(0).notes[2].displacement, 0);  // zeroed by the cleaning
}

TEST_F(NoteEntryTest, DeletingTheOnlyNoteLeavesARestWithItsRecordFlags) {
    Add({2});
    Stored(0).flags |= ENTRY_NOTE_DETAILS | ENTRY_ARTICULATIONS | ENTRY_SPECIAL_ALTS;
    FCNoteEntry* entry = Load();
    EXPECT_TRUE(entry->DeleteNote(entry->GetNoteAt(0)));
    EXPECT_EQ(entry->GetCount(), 0);
    EXPECT_EQ(+entry->_GetEntryRecord()->noteCount, 0);
    EXPECT_EQ(entry->GetFlags(), ENTRY_NOTE_DETAILS | ENTRY_ARTICULATIONS | ENTRY_SPECIAL_ALTS);
}

TEST_F(NoteEntryTest, PackingAppliesTheMarksOfAHandler) {
    Add({0, 1, 2, 3});
    FCNoteEntry* entry = Load();
    entry->_PackEXENTRYNotes();  // nothing marked: the notes are not rebuilt
    FCNote* first = entry->GetNoteAt(0);
    entry->_PackEXENTRYNotes();
    EXPECT_EQ(entry->GetNoteAt(0), first);
    entry->GetNoteAt(0)->MarkDeleted();
    entry->GetNoteAt(2)->MarkDeleted();
    entry->_PackEXENTRYNotes();
    EXPECT_EQ(Notes(entry), "[0] d1 id2 [1] d3 id4 ");
}

TEST_F(NoteEntryTest, CopyNoteGivesOneNoteWithIdOne) {
    Add({1});
    Add({5, 6, 7});
    Stored(0).notes[0].noteID = 7;
    Stored(0).notes[0].raiseLower = -1;
    Stored(0).notes[0].flags = 0x41070000;
    Load();
    FCNoteEntry* target = cell->GetEntryAt(1);
    target->CopyNote(cell->GetEntryAt(0)->GetNoteAt(0));
    ASSERT_EQ(target->GetCount(), 1);
    const ENOTE copy = *target->GetNoteAt(0)->_GetNoteRecord();
    const ENOTE expected{1, -1, 1, 0x41070000};
    EXPECT_EQ(memcmp(&copy, &expected, sizeof copy), 0);
    EXPECT_EQ(+target->_GetEntryRecord()->noteCount, 1);
}

TEST_F(NoteEntryTest, CopyNotesTakesTheSourceRecordsAsTheyAre) {
    Add({1, 2, 3});
    Add({});
    Load();
    FCNoteEntry* rest = cell->GetEntryAt(1);
    rest->CopyNotes(cell->GetEntryAt(0));
    EXPECT_EQ(Notes(rest), "[0] d1 id1 [1] d2 id2 [2] d3 id3 ");
    EXPECT_TRUE(rest->IsRest());  // the entry flags are not changed
}

TEST_F(NoteEntryTest, AddPitchesStopsAtTwelveNotes) {
    Add({0, 1, 2, 3});
    Add({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    Add({});
    Stored(0).notes[0].raiseLower = 1;
    Load();
    FCNoteEntry* source = cell->GetEntryAt(0);
    FCNoteEntry* target = cell->GetEntryAt(1);
    EXPECT_EQ(target->AddPitches(cell->GetEntryAt(2)), 0);
    EXPECT_EQ(cell->GetEntryAt(2)->AddPitches(source), 0);
    EXPECT_EQ(target->AddPitches(source), 2);
    ASSERT_EQ(target->GetCount(), 12);
    EXPECT_EQ(target->GetNoteAt(10)->GetDisplacement(), 0);
    EXPECT_EQ(target->GetNoteAt(10)->GetRaiseLower(), 1);
    EXPECT_EQ(target->GetNoteAt(10)->GetNoteID(), 11);
    EXPECT_EQ(target->GetNoteAt(11)->GetDisplacement(), 1);
}

TEST_F(NoteEntryTest, MakeRestDropsTheNotesAndTheFlagsOfAttachedRecords) {
    Add({0, 4});
    Stored(0).flags |= ENTRY_NOTE_DETAILS | ENTRY_ARTICULATIONS | ENTRY_SPECIAL_ALTS | ENTRY_STEM_UP;
    FCNoteEntry* entry = Load();
    entry->MakeRest();
    EXPECT_EQ(entry->GetCount(), 0);
    EXPECT_EQ(entry->GetFlags(), ENTRY_STEM_UP);
    Save();
    EXPECT_EQ(+Stored(0).flags, ENTRY_STEM_UP | ENTRY_REST_PLACEHOLDER);
    EXPECT_EQ(+Stored(0).noteCount, 1);
}

TEST_F(NoteEntryTest, TiesAndAccidentalsChangeChordsOnly) {
    Add({0, 2});
    Add({});
    Load();
    FCNoteEntry* chord = cell->GetEntryAt(0);
    FCNoteEntry* rest = cell->GetEntryAt(1);
    chord->TieAll(true);
    chord->SetAccidentals(true);
    EXPECT_TRUE(chord->IsTied());
    EXPECT_EQ(chord->GetNoteAt(1)->GetFlags() & (NOTE_TIE | NOTE_ACCIDENTAL), NOTE_TIE | NOTE_ACCIDENTAL);
    chord->TieAll(false);
    EXPECT_FALSE(chord->IsTied());
    EXPECT_EQ(chord->GetNoteAt(0)->GetFlags() & (NOTE_TIE | NOTE_ACCIDENTAL), NOTE_ACCIDENTAL);
    const EXENTRY before = *rest->_GetEntryRecord();
    rest->TieAll(true);
    rest->SetAccidentals(true);
    EXPECT_EQ(memcmp(&before, rest->_GetEntryRecord(), sizeof before), 0);
}

TEST_F(NoteEntryTest, FlippabilityFollowsTheRules) {
    // Measure 1: rest, A (stem group start), B, C, D; measure 2 is loaded on its own.
    Add({});
    Add({0}, 1, 512);
    Add({0}, 1, 512);
    Add({0}, 1, 256);
    Add({0}, 1, 512);
    Stored(1).flags |= ENTRY_STEM_GROUP_START;
    Load();
    const std::vector<bool> expected = {false, true, false, false, false};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cell->GetEntryAt(i)->CalcFlippable(), expected[i]) << i;

    // The last chord of a measure: the previous entry's duration decides.
    for (const auto& [previous, own, flippable] :
         std::vector<std::tuple<int16_t, int16_t, bool>>{{1024, 512, true}, {1023, 512, false}, {1024, 1024, false}}) {
        document.CellLayerAt(staff, 2, 0).entries.clear();
        Add({0}, 2, previous);
        Add({0}, 2, own);
        Load(2);
        EXPECT_EQ(cell->GetEntryAt(1)->CalcFlippable(), flippable) << previous << " " << own;
        EXPECT_TRUE(cell->GetEntryAt(0)->CalcFlippable());  // no previous entry
    }
}

TEST_F(NoteEntryTest, StemDirectionComesFromTheNearestStemGroupStart) {
    Add({0});
    Add({0});
    Add({0});
    Add({0});
    Stored(0).flags |= ENTRY_STEM_GROUP_START | ENTRY_STEM_UP;
    Stored(1).flags |= ENTRY_STEM_GROUP_START;
    Stored(2).flags |= ENTRY_STEM_UP;
    Load();
    std::string trace;
    for (int i = 0; i < 4; ++i) {
        FCNoteEntry* entry = cell->GetEntryAt(i);
        trace += std::string(entry->CalcFlippable() ? "F" : "-") + (entry->CalcStemUp() ? "U " : "d ");
    }
    // Entry 2 is not flippable and takes entry 1's down stem over its own up flag; entry 3
    // is the last of the measure with the same duration as entry 2, so it follows entry 1.
    EXPECT_EQ(trace, "FU Fd -d -d ");

    document.CellLayerAt(staff, 1, 0).entries.clear();
    Add({0});
    Add({0});
    Stored(1).flags |= ENTRY_STEM_UP;
    Load();
    EXPECT_TRUE(cell->GetEntryAt(1)->CalcStemUp());  // no group start: its own flag
}

TEST_F(NoteEntryTest, TupletsAreFoundByEntryNumberAndIncident) {
    Add({0});
    Add({1});
    Add({2});
    EDTTuplet2005 first{}, second{}, stray{};
    memset(first.bytes, 0x11, sizeof first.bytes);
    memset(second.bytes, 0x22, sizeof second.bytes);
    memset(stray.bytes, 0x33, sizeof stray.bytes);
    document.AddTuplet(staff, 1, 0, 7, 0, stray);  // names no entry of the frame
    document.AddTuplet(staff, 1, 0, 1, 1, second);
    document.AddTuplet(staff, 1, 0, 1, 0, first);
    Load();
    EDTTuplet2005 out{};
    EXPECT_TRUE(cell->GetEntryAt(1)->_GetTupletDef(0, &out));
    EXPECT_EQ(memcmp(&out, &first, sizeof out), 0);
    EXPECT_TRUE(cell->GetEntryAt(1)->_GetTupletDef(1, &out));
    EXPECT_EQ(memcmp(&out, &second, sizeof out), 0);
    EDTTuplet2005 untouched{};
    memset(untouched.bytes, 0x44, sizeof untouched.bytes);
    out = untouched;
    EXPECT_FALSE(cell->GetEntryAt(1)->_GetTupletDef(2, &out));
    EXPECT_FALSE(cell->GetEntryAt(0)->_GetTupletDef(0, &out));
    EXPECT_EQ(memcmp(&out, &untouched, sizeof out), 0);

    // Entries the host has not numbered share one another's tuplets.
    FrameEntries(cell->_GetFrame(0))[0].entryNumber = 0;
    FrameEntries(cell->_GetFrame(0))[1].entryNumber = 0;
    EXPECT_TRUE(cell->GetEntryAt(0)->_GetTupletDef(1, &out));
    EXPECT_EQ(memcmp(&out, &second, sizeof out), 0);
}

TEST_F(NoteEntryTest, TheFrameIndexIsFoundByAddress) {
    Add({0});
    Add({1});
    Load();
    EXPECT_EQ(cell->GetEntryAt(1)->_CalcTGFIndex(), 1);
    EXENTRY elsewhere{};
    FCNoteEntry stranger(&elsewhere, cell->_GetFrame(0), nullptr);
    EXPECT_EQ(stranger._CalcTGFIndex(), -1);
}

TEST_F(NoteEntryTest, EachNoteFlagSetterChangesOneEntryFlag) {
    Add({0});
    FCNoteEntry* entry = Load();
    FCNote* note = entry->GetNoteAt(0);
    const uint32_t all = ENTRY_NOTE | ENTRY_NOTE_DETAILS | ENTRY_ARTICULATIONS | ENTRY_SPECIAL_ALTS;
    const std::vector<std::pair<void (FCNote::*)(bool), uint32_t>> setters = {
        {&FCNote::_SetNoteDetailEntryFlag, ENTRY_NOTE_DETAILS},
        {&FCNote::_SetSpecialAltsEntryFlag, ENTRY_SPECIAL_ALTS},
        {&FCNote::_SetArticulationEntryFlag, ENTRY_ARTICULATIONS}};
    for (const auto& [setter, flag] : setters) {
        entry->_SetEntryFlag(all, true);
        (note->*setter)(false);
        EXPECT_EQ(entry->GetFlags(), all & ~flag) << std::hex << flag;
        entry->_SetEntryFlag(all, false);
        (note->*setter)(true);
        EXPECT_EQ(entry->GetFlags(), flag) << std::hex << flag;
    }
}

TEST_F(NoteEntryTest, RepointingRebuildsTheNotesOverTheNewRecord) {
    Add({3, 5});
    FCNoteEntry* entry = Load();
    EXENTRY copy = *entry->_GetEntryRecord();
    copy.noteCount = 1;
    entry->_Repoint(&copy, cell->_GetFrame(0));
    ASSERT_EQ(entry->GetCount(), 1);
    EXPECT_EQ(entry->GetNoteAt(0)->_GetNoteRecord(), &copy.notes[0]);
    EXPECT_EQ(entry->_CalcTGFIndex(), -1);
}
