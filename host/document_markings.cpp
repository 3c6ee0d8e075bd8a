// Builders for the records that mark the music: articulations, expressions, staff lists
// and measure number regions, in the host's record layouts.
#include <algorithm>
#include <cstring>

#include "host/document.h"

namespace {

constexpr uint32_t kArticulationDef = 0x4F044958;
constexpr uint32_t kArticulation = 0x6564494D;
constexpr uint32_t kTextExpressionDef = 0x534F4454;
constexpr uint32_t kExpression = 0x534F4459;
constexpr uint32_t kMeasureNumberRegion = 0x534F4D4E;
constexpr uint32_t kExpressionRawText = 0x74787870;

// Copies text into a field, cut to leave room for its terminating zero.
void PutText(Bytes& bytes, size_t offset, size_t width, const std::string& text) {
    const size_t length = std::min(text.size(), width - 1);
    memcpy(bytes.data() + offset, text.data(), length);
}

}  // namespace

int16_t HostDocument::AddArticulationDef(const std::string& font, uint8_t character) {
    Bytes def(48, 0);
    def[0] = character;
    def[2] = static_cast<uint8_t>(FontNumber(font));
    RecordKey key = OtherKey(0xFFFF);
    CreateRecord(kArticulationDef, key, std::move(def));
    return ReadKeyField<int16_t>(key, 0);
}

int16_t HostDocument::AddArticulation(int32_t entryNumber, int16_t definition) {
    Bytes assignment(10, 0);
    PutField(assignment, 0, definition);
    RecordKey key = EntryDetailKey(entryNumber, -1);
    CreateRecord(kArticulation, key, std::move(assignment));
    if (EXENTRY* entry = FindEntry(entryNumber)) entry->flags |= ENTRY_ARTICULATIONS;
    return ReadKeyField<int16_t>(key, 4);
}

int16_t HostDocument::AddArticulation(EXENTRY& entry, int16_t definition) {
    Bytes assignment(10, 0);
    PutField(assignment, 0, definition);
    RecordKey key = EntryDetailKey(entry.entryNumber, -1);
    CreateRecord(kArticulation, key, std::move(assignment));
    entry.flags |= ENTRY_ARTICULATIONS;
    return ReadKeyField<int16_t>(key, 4);
}

int16_t HostDocument::AddTextExpressionDef(const std::string& enigmaText) {
    Bytes def(12, 0);
    PutField(def, 0, static_cast<uint16_t>(AddTextBlock(enigmaText, kExpressionRawText)));
    RecordKey key = OtherKey(0xFFFF);
    CreateRecord(kTextExpressionDef, key, std::move(def));
    return ReadKeyField<int16_t>(key, 0);
}

int16_t HostDocument::AddExpression(int16_t measure, int16_t staff, int16_t definition, uint16_t staffList,
                                    bool isText) {
    Bytes assignment(24, 0);
    PutField(assignment, 0, static_cast<uint16_t>(definition));
    PutField(assignment, 8, staff);
    if (!isText) assignment[11] |= 0x20;
    PutField(assignment, 14, staffList);
    RecordKey key = OtherKey(static_cast<uint16_t>(measure), -1);
    CreateRecord(kExpression, key, std::move(assignment));
    if (measure > _measureCount) _measureCount = measure;
    return ReadKeyField<int16_t>(key, 2);
}

void HostDocument::AddStaffList(uint32_t tag, uint16_t list, const std::vector<int16_t>& staves) {
    int16_t incident = 0;
    for (int16_t staff : staves) {
        Bytes element(2, 0);
        PutField(element, 0, staff);
        SetRecord(tag, OtherKey(list, incident++), std::move(element));
    }
}

int16_t HostDocument::AddMeasureNumberRegion(int16_t startMeasure, int16_t endMeasure, int16_t startNumber,
                                             const std::string& prefix, const std::string& suffix,
                                             bool olderLayout) {
    // Offsets of start measure, end measure (+1), start number (-1), prefix, suffix.
    const size_t size = olderLayout ? 88 : 196;
    const size_t at = olderLayout ? 6 : 132, number = olderLayout ? 16 : 140;
    const size_t prefixAt = olderLayout ? 22 : 142, suffixAt = olderLayout ? 46 : 166;
    Bytes region(size, 0);
    PutField(region, at, startMeasure);
    PutField(region, at + 2, static_cast<int16_t>(endMeasure + 1));
    PutField(region, number, static_cast<int16_t>(startNumber - 1));
    PutText(region, prefixAt, 24, prefix);
    PutText(region, suffixAt, size - suffixAt, suffix);
    RecordKey key = OtherKey(0xFFFF);
    CreateRecord(kMeasureNumberRegion, key, std::move(region));
    return ReadKeyField<int16_t>(key, 0);
}
