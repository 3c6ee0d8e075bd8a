// Cleaning of entry frames before the host receives them: note IDs made unique and
// mirrored in the note flags, unused note records zeroed, placeholder notes on rests.
#include <vector>

#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;

class EntryFrameTest : public HostTest {
protected:
    EntryFrameTest() {
        staff = document.AddStaff("Flute");
        document.SetMeasureCount(1);
    }

    // A chord at position (index * 256) with one note per ID, displacements 0, 1, 2 ...
    void AddChord(const std::vector<int16_t>& ids) {
        const int32_t position = static_cast<int32_t>(Entries().size()) * 256;
        std::vector<int16_t> displacements;
        for (size_t i = 0; i < ids.size(); ++i) displacements.push_back(static_cast<int16_t>(i));
        EXENTRY& entry = document.AddEntry(staff, 1, 0, position, 256, displacements);
        for (size_t i = 0; i < ids.size() && i < EXENTRY_MAX_NOTES; ++i) entry.notes[i].noteID = ids[i];
    }
    std::vector<EXENTRY>& Entries() { return document.CellLayerAt(staff, 1, 0).entries; }

    // Loads layer 0 of the measure, saves it through the cleaning wrapper and frees it.
    void SaveThroughHost() {
        EXTGF2005a* frame = FX_LoadTGF(0, 1, 1, 0, 1, V);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(FX_SaveTGF(frame, V), 1);
        FX_FreeTGF(frame, V);
    }

    void TearDown() override {
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }

    int16_t staff;
};

std::vector<int16_t> IDs(const EXENTRY& entry) {
    std::vector<int16_t> ids;
    for (int i = 0; i < EntryNoteCount(&entry); ++i) ids.push_back(entry.notes[i].noteID);
    return ids;
}

bool RecordIsZero(const ENOTE& note) {
    static const ENOTE zero{};
    return memcmp(&note, &zero, sizeof zero) == 0;
}

}  // namespace

TEST_F(EntryFrameTest, NoteIDsAreRenumberedEarlierDuplicateFirst) {
    struct Case {
        std::vector<int16_t> in, out;
    };
    const std::vector<Case> cases = {
        {{0, 0, 3}, {4, 5, 3}}, {{2, 2}, {3, 2}},       {{1, 2, 3}, {1, 2, 3}},
        {{5, 5, 5}, {6, 7, 5}}, {{-4, 0}, {-4, 1}},     {{0}, {1}},
        {{35, 0}, {35, 36}},    {{7, 0, 7, 0}, {8, 9, 7, 10}},
        // Near the 16-bit limit the numbers wrap round, never onto an ID in use.
        {{32767, 0}, {32767, -32768}}, {{-32768, 32767, 0}, {-32768, 32767, -32767}},
    };
    for (const Case& c : cases) AddChord(c.in);
    SaveThroughHost();
    ASSERT_EQ(Entries().size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const EXENTRY& entry = Entries()[i];
        EXPECT_EQ(IDs(entry), cases[i].out) << "case " << i;
        for (int n = 0; n < EntryNoteCount(&entry); ++n) {
            const uint32_t idBits = (entry.notes[n].flags >> 16) & 0x1F;
            EXPECT_EQ(idBits, static_cast<uint32_t>(entry.notes[n].noteID) & 0x1F) << "case " << i;
        }
    }
}

TEST_F(EntryFrameTest, IdBitsOfTheFlagsFollowTheIdAndOtherBitsStay) {
    AddChord({35});
    Entries()[0].notes[0].flags = 0x80FF00FF;
    SaveThroughHost();
    EXPECT_EQ(+Entries()[0].notes[0].flags, 0x80E300FFu);
}

TEST_F(EntryFrameTest, UnusedNoteRecordsAreZeroedAndAFullChordKeepsAll) {
    AddChord({1, 2});
    AddChord({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    for (int n = 2; n < EXENTRY_MAX_NOTES; ++n) memset(&Entries()[0].notes[n], 0xAB, sizeof(ENOTE));
    SaveThroughHost();
    const EXENTRY& pair = Entries()[0];
    EXPECT_EQ(+pair.noteCount, 2);
    EXPECT_EQ(+pair.notes[1].displacement, 1);
    for (int n = 2; n < EXENTRY_MAX_NOTES; ++n) EXPECT_TRUE(RecordIsZero(pair.notes[n])) << n;
    const EXENTRY& full = Entries()[1];
    for (int n = 0; n < EXENTRY_MAX_NOTES; ++n) {
        EXPECT_EQ(+full.notes[n].displacement, n);
        EXPECT_EQ(+full.notes[n].noteID, n + 1);
    }
}

TEST_F(EntryFrameTest, ARestGetsAPlaceholderThatALaterCleaningNumbers) {
    document.AddEntry(staff, 1, 0, 0, 1024);
    memset(&Entries()[0].notes[3], 0x5A, sizeof(ENOTE));
    EXTGF2005a* frame = FX_LoadTGF(0, 1, 1, 0, 1, V);
    ASSERT_EQ(FX_SaveTGF(frame, V), 1);
    {
        const EXENTRY rest = Entries()[0];
        EXPECT_EQ(+rest.noteCount, 1);
        EXPECT_EQ(+rest.flags, ENTRY_REST_PLACEHOLDER);
        const ENOTE placeholder{0, 0, 0, NOTE_CREATED};
        EXPECT_EQ(memcmp(&rest.notes[0], &placeholder, sizeof placeholder), 0);
        for (int n = 1; n < EXENTRY_MAX_NOTES; ++n) EXPECT_TRUE(RecordIsZero(rest.notes[n])) << n;
    }
    ASSERT_EQ(FX_SaveTGF(frame, V), 1);  // the same frame, still in memory
    const EXENTRY rest = Entries()[0];
    EXPECT_EQ(+rest.noteCount, 1);
    EXPECT_EQ(+rest.notes[0].noteID, 1);
    EXPECT_EQ(+rest.notes[0].flags, 0x80010000u);
    FX_FreeTGF(frame, V);
}

TEST_F(EntryFrameTest, WithoutPlaceholdersARestIsOnlyZeroed) {
    CanAddNoteRecordToRests = false;
    document.AddEntry(staff, 1, 0, 0, 1024);
    Entries()[0].flags = 0x00000800;
    memset(&Entries()[0].notes[0], 0x5A, sizeof(ENOTE));
    SaveThroughHost();
    CanAddNoteRecordToRests = true;
    const EXENTRY rest = Entries()[0];
    EXPECT_EQ(+rest.noteCount, 0);
    EXPECT_EQ(+rest.flags, 0x00000800u);
    for (int n = 0; n < EXENTRY_MAX_NOTES; ++n) EXPECT_TRUE(RecordIsZero(rest.notes[n])) << n;
}

// The last entry of a frame ends against the host's guard page: cleaning an entry whose
// count lies outside 0..12 must stay inside its 12 note records.
TEST_F(EntryFrameTest, ANoteCountOutsideTheRecordsIsClampedAndLeftAlone) {
    struct Case {
        int16_t count;
        std::vector<int16_t> ids;  // of the 12 records after cleaning
    };
    const std::vector<int16_t> renumbered = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::vector<int16_t> untouched(12, 0);
    const std::vector<Case> cases = {{13, renumbered}, {0x7FFF, renumbered}, {-3, untouched}, {-32768, untouched}};
    for (const Case& c : cases) {
        document.CellLayerAt(staff, 1, 0).entries.clear();
        AddChord(untouched);
        Entries()[0].noteCount = c.count;
        EXTGF2005a* frame = FX_LoadTGF(0, 1, 1, 0, 1, V);
        CleanTGF(frame);
        const EXENTRY entry = FrameEntries(frame)[0];
        FX_FreeTGF(frame, V);
        EXPECT_EQ(+entry.noteCount, c.count);
        EXPECT_EQ(+entry.flags, ENTRY_NOTE) << c.count;  // no placeholder
        std::vector<int16_t> ids;
        for (const ENOTE& note : entry.notes) ids.push_back(note.noteID);
        EXPECT_EQ(ids, c.ids) << c.count;
        EXPECT_EQ(+entry.notes[11].displacement, 11) << c.count;
    }
}

TEST_F(EntryFrameTest, AFrameWithoutEntriesOrWithANegativeCountIsLeftAlone) {
    AddChord({0, 0});
    EXTGF2005a* frame = FX_LoadTGF(0, 1, 1, 0, 1, V);
    CleanTGF(nullptr);
    frame->entryCount = -1;
    CleanTGF(frame);
    frame->entryCount = 1;
    const uint32_t entries = frame->entries;
    frame->entries = 0;
    CleanTGF(frame);
    frame->entries = entries;
    EXPECT_EQ(IDs(FrameEntries(frame)[0]), (std::vector<int16_t>{0, 0}));
    FX_FreeTGF(frame, V);
}

TEST_F(EntryFrameTest, InsertAndDeleteCleanTheFrameFirst) {
    AddChord({0});
    EXTGF2005a* frame = FX_LoadTGF(0, 1, 1, 0, 1, V);
    ASSERT_EQ(FX_InsertEXENTRY(frame, 1, 1, V), 1);
    EXPECT_EQ(+FrameEntries(frame)[0].notes[0].noteID, 1);
    EXPECT_EQ(FrameEntryCount(frame), 2);
    FrameEntries(frame)[0].notes[0].noteID = 0;
    ASSERT_EQ(FX_DeleteEXENTRY(frame, 1, 1, V), 1);
    EXPECT_EQ(+FrameEntries(frame)[0].notes[0].noteID, 1);
    EXPECT_EQ(FrameEntryCount(frame), 1);
    EXPECT_EQ(host.CallCount("FX_InsertEXENTRY"), 1);
    EXPECT_EQ(host.CallCount("FX_DeleteEXENTRY"), 1);
    FX_FreeTGF(frame, V);
}
