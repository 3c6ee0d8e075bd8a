// Entry-frame wrappers that hand a frame to the host: each cleans the frame first.
#include <cstring>

#include "finalepdk/binding.h"

bool CanAddNoteRecordToRests = true;

namespace {

bool IdInUse(const ENOTE* notes, int count, int16_t id) {
    for (int m = 0; m < count; ++m)
        if (notes[m].noteID == id) return true;
    return false;
}

void CleanEntry(EXENTRY* entry) {
    // The count is the host's: outside 0..12 it is left alone and only the records an
    // entry can hold are touched.
    const int count = EntryNoteCount(entry);
    ENOTE* notes = entry->notes;
    int16_t top = 0;
    for (int j = 0; j < count; ++j)
        if (notes[j].noteID > top) top = notes[j].noteID;
    for (int j = 0; j < count; ++j) {
        bool clash = notes[j].noteID == 0;
        for (int m = 0; m < count && !clash; ++m)
            clash = m != j && notes[m].noteID == notes[j].noteID;
        if (!clash) continue;
        // The next number above the top; an ID near the 16-bit limit wraps round, and the
        // wrapped numbers skip 0 and the IDs the other notes hold.
        do ++top;
        while (top == 0 || IdInUse(notes, count, top));
        notes[j].noteID = top;
    }
    for (int j = 0; j < count; ++j)
        notes[j].flags = (notes[j].flags & ~NOTE_ID_BITS) |
                         ((static_cast<uint32_t>(notes[j].noteID) << 16) & NOTE_ID_BITS);
    if (entry->noteCount >= 0 && entry->noteCount < EXENTRY_MAX_NOTES)
        memset(&notes[count], 0, sizeof(ENOTE) * (EXENTRY_MAX_NOTES - count));
    if (entry->noteCount == 0 && CanAddNoteRecordToRests) {
        entry->flags |= ENTRY_REST_PLACEHOLDER;
        entry->noteCount = 1;
        notes[0].flags = NOTE_CREATED;
    }
}

}  // namespace

void CleanTGF(const EXTGF2005a* frame) {
    if (!frame) return;
    EXENTRY* entries = FrameEntries(frame);
    for (int i = 0, n = FrameEntryCount(frame); i < n; ++i) CleanEntry(&entries[i]);
}

#define FX_CLEANING_WRAPPER(Name, Params, Args)  \
    extern "C" int16_t FXAPI Name Params {       \
        CleanTGF(frame);                         \
        FX_BINDING(Name);                        \
        Name##_fn* host = binding.Get();         \
        return host ? host Args : 0;             \
    }

FX_CLEANING_WRAPPER(FX_SaveTGF, (EXTGF2005a* frame, uint32_t version), (frame, version))
FX_CLEANING_WRAPPER(FX_ReduceEntries, (EXTGF2005a* frame, uint32_t version), (frame, version))
FX_CLEANING_WRAPPER(FX_InsertEXENTRY, (EXTGF2005a* frame, int16_t position, int16_t count, uint32_t version),
                    (frame, position, count, version))
FX_CLEANING_WRAPPER(FX_DeleteEXENTRY, (EXTGF2005a* frame, int16_t position, int16_t count, uint32_t version),
                    (frame, position, count, version))
