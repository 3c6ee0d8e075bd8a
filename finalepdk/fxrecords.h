// Byte-exact views of the host's records that cross the plug-in boundary. Everything is
// little-endian and packed; pointer fields inside frames are 32 bits wide, as the 32-bit
// host lays them out, and are turned into real pointers by the helpers below.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "host records are little-endian");

// Interface version passed as the last argument of every host call the framework makes.
constexpr uint32_t FINALE_FRAMEWORK_VERSION = 0x0F000200;

#pragma pack(push, 1)

// The 8-byte key that, with a tag, names one host data record. Its forms:
//   item number and incident:  u16 item @0, i16 incident @2
//   globals / raw text number: i16 @0
//   cell detail:               u16 staff @0, u16 measure @2, i16 incident @4
//   entry detail:              i32 entry number @0, i16 incident @4
//   staff at an entry:         u16 staff @0, u16 measure @2, i32 position @4
struct RecordKey {
    uint8_t bytes[8];
};
static_assert(sizeof(RecordKey) == 8);

template <class T>
T ReadKeyField(const RecordKey& key, int offset) {
    T value;
    std::memcpy(&value, key.bytes + offset, sizeof value);
    return value;
}
template <class T>
void WriteKeyField(RecordKey& key, int offset, T value) {
    std::memcpy(key.bytes + offset, &value, sizeof value);
}

// The host's region record; the framework reads bytes 0-19, the host fills up to 32.
struct EREGION {
    uint16_t startSlotContext;
    int16_t startSlot;
    int16_t startMeasure;
    int32_t startPos;
    uint16_t endSlotContext;
    int16_t endSlot;
    int16_t endMeasure;
    int32_t endPos;
    uint8_t reserved[12];
};
static_assert(sizeof(EREGION) == 32);
static_assert(offsetof(EREGION, startPos) == 6 && offsetof(EREGION, endSlotContext) == 10);
static_assert(offsetof(EREGION, endMeasure) == 14 && offsetof(EREGION, endPos) == 16);

// One note of an entry, inline in the entry record.
struct ENOTE {
    int16_t displacement;  // scale steps from the key's tonic
    int16_t raiseLower;    // chromatic alteration relative to the key signature
    int16_t noteID;        // unique and non-zero within its entry after cleaning
    uint32_t flags;
};
static_assert(sizeof(ENOTE) == 10 && offsetof(ENOTE, flags) == 6);

constexpr int EXENTRY_MAX_NOTES = 12;

// One chord or rest of an entry frame.
struct EXENTRY {
    int32_t entryNumber;  // 0 until the host numbers an inserted entry on save
    int16_t duration;
    uint8_t unused6[2];
    uint32_t flags;
    uint16_t flags2;
    int16_t noteCount;
    ENOTE notes[EXENTRY_MAX_NOTES];
    int32_t position;  // elapsed duration from the start of the measure
    uint8_t unused140[4];
    int16_t clefIndex;
};
static_assert(sizeof(EXENTRY) == 146);
static_assert(offsetof(EXENTRY, flags) == 8 && offsetof(EXENTRY, flags2) == 12);
static_assert(offsetof(EXENTRY, noteCount) == 14 && offsetof(EXENTRY, notes) == 16);
static_assert(offsetof(EXENTRY, position) == 136 && offsetof(EXENTRY, clefIndex) == 144);

// Entry flags.
constexpr uint32_t ENTRY_NOTE = 0x40000000;            // a chord; clear for a rest
constexpr uint32_t ENTRY_REST_PLACEHOLDER = 0x01000000;
constexpr uint32_t ENTRY_NOTE_DETAILS = 0x00400000;
constexpr uint32_t ENTRY_ARTICULATIONS = 0x00200000;
constexpr uint32_t ENTRY_TUPLET_START = 0x00080000;
constexpr uint32_t ENTRY_SPECIAL_ALTS = 0x00001000;
constexpr uint32_t ENTRY_STEM_GROUP_START = 0x00000800;
constexpr uint32_t ENTRY_STEM_UP = 0x00000001;
// Bits that announce attached records; a copied entry does not own them.
constexpr uint32_t ENTRY_COPY_MASK = 0xFF85AB3F;
constexpr uint16_t ENTRY_COPY_MASK2 = 0xFFDF;

// Note flags.
constexpr uint32_t NOTE_CREATED = 0x80000000;
constexpr uint32_t NOTE_TIE = 0x40000000;
constexpr uint32_t NOTE_ACCIDENTAL = 0x01000000;
constexpr uint32_t NOTE_ID_BITS = 0x001F0000;

constexpr int EDTTUPLET2005_SIZE = 30;
constexpr uint32_t EDTTUPLET2005_TAG = 0x45035450;

// A tuplet definition attached to an entry, kept whole.
struct EDTTuplet2005 {
    uint8_t bytes[EDTTUPLET2005_SIZE];
};
static_assert(sizeof(EDTTuplet2005) == 30);

// A tuplet that begins on an entry of the frame.
struct ETUPLETREC {
    int16_t entryIndex;
    uint8_t unused2[2];
    int16_t incident;
    uint8_t unused6[4];
    uint8_t tuplet[EDTTUPLET2005_SIZE];  // an EDTTuplet2005 record, taken whole
};
static_assert(sizeof(ETUPLETREC) == 40 && offsetof(ETUPLETREC, tuplet) == 10);

// The header of an entry frame: the entries of one layer of one staff in one measure.
struct EXTGF2005a {
    uint16_t firstKey;
    int16_t staff;
    int16_t slot;
    int16_t measure;
    int16_t layer;
    uint8_t unused10[4];
    uint32_t entries;  // 32-bit pointer to entryCount EXENTRY records
    int16_t entryCount;
    uint32_t tuplets;  // 32-bit pointer to tupletCount ETUPLETREC records
    int16_t tupletCount;
};
static_assert(sizeof(EXTGF2005a) == 26);
static_assert(offsetof(EXTGF2005a, entries) == 14 && offsetof(EXTGF2005a, entryCount) == 18);
static_assert(offsetof(EXTGF2005a, tuplets) == 20 && offsetof(EXTGF2005a, tupletCount) == 24);

#pragma pack(pop)

// Opaque host records handed through by a few functions.
struct EEntryMetrics;
struct EMeasureMetrics;

// The entries of a frame; null when the frame has none. The count is the host's and is
// taken as 0 when negative.
inline EXENTRY* FrameEntries(const EXTGF2005a* frame) {
    return reinterpret_cast<EXENTRY*>(static_cast<uintptr_t>(frame->entries));
}
inline int FrameEntryCount(const EXTGF2005a* frame) {
    return frame && frame->entries && frame->entryCount > 0 ? frame->entryCount : 0;
}
inline ETUPLETREC* FrameTuplets(const EXTGF2005a* frame) {
    return reinterpret_cast<ETUPLETREC*>(static_cast<uintptr_t>(frame->tuplets));
}
inline int FrameTupletCount(const EXTGF2005a* frame) {
    return frame && frame->tuplets && frame->tupletCount > 0 ? frame->tupletCount : 0;
}
// The notes of an entry in use, bounded by the 12 records an entry holds.
inline int EntryNoteCount(const EXENTRY* entry) {
    int count = entry->noteCount;
    return count < 0 ? 0 : (count > EXENTRY_MAX_NOTES ? EXENTRY_MAX_NOTES : count);
}
