// Builders for measure attributes, clef definitions, staff transposition and MIDI
// expressions, in the host's record layouts.
#include <cstring>

#include "host/document.h"

namespace {

constexpr uint32_t kMeasure = 0x534F4D53;
constexpr uint32_t kClefDef = 0x67626366;
constexpr uint32_t kStaff = 0x534F4953;
constexpr uint32_t kMidiExpression = 0x64744D45;

}  // namespace

void HostDocument::AddMeasure(int16_t measure, uint16_t keyValue) {
    Bytes record(26, 0);
    PutField(record, 2, keyValue);
    SetRecord(kMeasure, OtherKey(static_cast<uint16_t>(measure)), std::move(record));
    if (measure > _measureCount) _measureCount = measure;
}

void HostDocument::AddClefDef(int16_t clefIndex, int16_t displacementOffset) {
    Bytes record(18, 0);
    PutField(record, 0, displacementOffset);
    SetRecord(kClefDef, NumberKey(clefIndex), std::move(record));
}

bool HostDocument::SetStaffTransposition(int16_t staff, uint16_t word) {
    Bytes* record = FindRecord(kStaff, OtherKey(static_cast<uint16_t>(staff)));
    if (!record || record->size() < 22) return false;
    PutField(*record, 20, word);
    return true;
}

int16_t HostDocument::AddMidiExpression(int16_t staff, int16_t measure, int32_t position) {
    Bytes record(10, 0);
    PutField(record, 0, position);
    RecordKey key = CellKey(static_cast<uint16_t>(staff), static_cast<uint16_t>(measure), -1);
    CreateRecord(kMidiExpression, key, std::move(record));
    return ReadKeyField<int16_t>(key, 4);
}
