#include "host/document.h"

#include <algorithm>
#include <cstring>

namespace {

template <class T>
T Read(const RecordKey& key, int offset) {
    return ReadKeyField<T>(key, offset);
}
template <class T>
void Write(RecordKey& key, int offset, T value) {
    WriteKeyField<T>(key, offset, value);
}

// The bytes of the key that name a record under the tag's form; the rest are zeroed.
RecordKey Normalize(uint32_t tag, const RecordKey& key) {
    RecordKey normal{};
    int used = 4;
    switch (FormOfTag(tag)) {
        case KeyForm::Number: used = 2; break;
        case KeyForm::CellDetail:
        case KeyForm::EntryDetail: used = 6; break;
        case KeyForm::StaffAtEntry: used = 8; break;
        case KeyForm::Other: used = 4; break;
    }
    memcpy(normal.bytes, key.bytes, used);
    return normal;
}

// Key order: the form's fields from the first to the last, as unsigned numbers.
uint64_t Order(uint32_t tag, const RecordKey& key) {
    auto w = [&](int offset) { return static_cast<uint64_t>(Read<uint16_t>(key, offset)); };
    switch (FormOfTag(tag)) {
        case KeyForm::EntryDetail: return static_cast<uint64_t>(Read<uint32_t>(key, 0)) << 32 | w(4) << 16;
        case KeyForm::StaffAtEntry: return w(0) << 48 | w(2) << 32 | Read<uint32_t>(key, 4);
        default: return w(0) << 48 | w(2) << 32 | w(4) << 16 | w(6);
    }
}

// Where a form keeps its incident, or -1 for forms without one.
int IncidentOffset(KeyForm form) {
    switch (form) {
        case KeyForm::Other: return 2;
        case KeyForm::CellDetail:
        case KeyForm::EntryDetail: return 4;
        default: return -1;
    }
}

}  // namespace

KeyForm FormOfTag(uint32_t tag) {
    switch (tag) {
        case 0x67626366:  // clef definitions
        case 0x7478626C:  // raw texts of text blocks
        case 0x74787870:  // raw texts of text expressions
            return KeyForm::Number;
        case 0x64744D45:  // MIDI expressions
            return KeyForm::CellDetail;
        case 0x6564494D:  // articulations
        case EDTTUPLET2005_TAG:
        case 0x54654E44:  // a note-bound entry detail the tests define
            return KeyForm::EntryDetail;
        case 0x534F5343:  // staff attributes in effect at an entry
            return KeyForm::StaffAtEntry;
        default:
            return KeyForm::Other;
    }
}

RecordKey OtherKey(uint16_t item, int16_t incident) {
    RecordKey key{};
    Write(key, 0, item);
    Write(key, 2, incident);
    return key;
}
RecordKey NumberKey(int16_t number) {
    RecordKey key{};
    Write(key, 0, number);
    return key;
}
RecordKey CellKey(uint16_t staff, uint16_t measure, int16_t incident) {
    RecordKey key{};
    Write(key, 0, staff);
    Write(key, 2, measure);
    Write(key, 4, incident);
    return key;
}
RecordKey EntryDetailKey(int32_t entryNumber, int16_t incident) {
    RecordKey key{};
    Write(key, 0, entryNumber);
    Write(key, 4, incident);
    return key;
}

HostDocument::HostDocument() { FontNumber("Times"); }

const Bytes* HostDocument::FindRecord(uint32_t tag, const RecordKey& key) const {
    auto byTag = _records.find(tag);
    if (byTag == _records.end()) return nullptr;
    auto record = byTag->second.find(Order(tag, Normalize(tag, key)));
    return record == byTag->second.end() ? nullptr : &record->second;
}

Bytes* HostDocument::FindRecord(uint32_t tag, const RecordKey& key) {
    return const_cast<Bytes*>(static_cast<const HostDocument*>(this)->FindRecord(tag, key));
}

void HostDocument::SetRecord(uint32_t tag, const RecordKey& key, Bytes bytes) {
    _records[tag][Order(tag, Normalize(tag, key))] = std::move(bytes);
}

bool HostDocument::EraseRecord(uint32_t tag, const RecordKey& key) {
    auto byTag = _records.find(tag);
    if (byTag == _records.end()) return false;
    const RecordKey normal = Normalize(tag, key);
    if (byTag->second.erase(Order(tag, normal)) == 0) return false;
    // Later incidents of the same owner move down by one, as the host renumbers them.
    const int offset = IncidentOffset(FormOfTag(tag));
    if (offset < 0) return true;
    const int16_t removed = Read<int16_t>(normal, offset);
    for (int16_t incident = removed + 1;; ++incident) {
        RecordKey later = normal;
        Write(later, offset, incident);
        auto found = byTag->second.find(Order(tag, later));
        if (found == byTag->second.end()) break;
        Bytes bytes = std::move(found->second);
        byTag->second.erase(found);
        Write(later, offset, static_cast<int16_t>(incident - 1));
        byTag->second[Order(tag, later)] = std::move(bytes);
    }
    return true;
}

namespace {

RecordKey KeyFromOrder(uint32_t tag, uint64_t order) {
    RecordKey key{};
    switch (FormOfTag(tag)) {
        case KeyForm::EntryDetail:
            Write(key, 0, static_cast<uint32_t>(order >> 32));
            Write(key, 4, static_cast<uint16_t>(order >> 16));
            break;
        case KeyForm::StaffAtEntry:
            Write(key, 0, static_cast<uint16_t>(order >> 48));
            Write(key, 2, static_cast<uint16_t>(order >> 32));
            Write(key, 4, static_cast<uint32_t>(order));
            break;
        default:
            for (int i = 0; i < 4; ++i) Write(key, 2 * i, static_cast<uint16_t>(order >> (48 - 16 * i)));
    }
    return key;
}

}  // namespace

bool HostDocument::NextKey(uint32_t tag, RecordKey& key, bool forward) const {
    auto byTag = _records.find(tag);
    if (byTag == _records.end()) return false;
    const auto& records = byTag->second;
    const uint64_t here = Order(tag, Normalize(tag, key));
    auto it = forward ? records.upper_bound(here) : records.lower_bound(here);
    if (forward) {
        if (it == records.end()) return false;
    } else {
        if (it == records.begin()) return false;
        --it;
    }
    const RecordKey found = KeyFromOrder(tag, it->first);
    const int used = FormOfTag(tag) == KeyForm::Number ? 2 : (FormOfTag(tag) == KeyForm::Other ? 4 : 8);
    memcpy(key.bytes, found.bytes, used);
    return true;
}

bool HostDocument::CreateRecord(uint32_t tag, RecordKey& key, Bytes bytes) {
    const KeyForm form = FormOfTag(tag);
    auto& records = _records[tag];
    auto exists = [&](const RecordKey& candidate) {
        return records.count(Order(tag, Normalize(tag, candidate))) != 0;
    };
    if ((form == KeyForm::Other || form == KeyForm::Number) && Read<uint16_t>(key, 0) == 0xFFFF) {
        Write(key, 0, static_cast<uint16_t>(1));
        while (exists(key)) Write(key, 0, static_cast<uint16_t>(Read<uint16_t>(key, 0) + 1));
    } else if (int offset = IncidentOffset(form); offset >= 0 && Read<int16_t>(key, offset) == -1) {
        Write(key, offset, static_cast<int16_t>(0));
        while (exists(key)) Write(key, offset, static_cast<int16_t>(Read<int16_t>(key, offset) + 1));
    } else if (exists(key)) {
        return false;
    }
    records[Order(tag, Normalize(tag, key))] = std::move(bytes);
    return true;
}

int HostDocument::RecordCount(uint32_t tag) const {
    auto byTag = _records.find(tag);
    return byTag == _records.end() ? 0 : static_cast<int>(byTag->second.size());
}

int16_t HostDocument::SlotToStaff(int16_t slot) const {
    return slot >= 1 && slot <= StaffCount() ? _slots[slot - 1] : 0;
}

int16_t HostDocument::StaffToSlot(int16_t staff) const {
    auto it = std::find(_slots.begin(), _slots.end(), staff);
    return it == _slots.end() ? 0 : static_cast<int16_t>(it - _slots.begin() + 1);
}

void HostDocument::SetSlotOrder(const std::vector<int16_t>& staves) { _slots = staves; }

int16_t HostDocument::FontNumber(const std::string& name) {
    auto it = std::find(_fonts.begin(), _fonts.end(), name);
    if (it != _fonts.end()) return static_cast<int16_t>(it - _fonts.begin());
    _fonts.push_back(name);
    return static_cast<int16_t>(_fonts.size() - 1);
}

const std::string* HostDocument::FontName(int16_t number) const {
    return number >= 0 && number < static_cast<int>(_fonts.size()) ? &_fonts[number] : nullptr;
}

int16_t HostDocument::AddRawText(const std::string& enigmaText, uint32_t rawTag) {
    RecordKey key = NumberKey(-1);  // the document chooses the number
    Bytes bytes(enigmaText.begin(), enigmaText.end());
    bytes.push_back(0);
    CreateRecord(rawTag, key, std::move(bytes));
    return Read<int16_t>(key, 0);
}

int16_t HostDocument::AddTextBlock(const std::string& enigmaText, uint32_t rawTag) {
    const int16_t raw = AddRawText(enigmaText, rawTag);
    Bytes block(26, 0);
    memcpy(block.data(), &raw, sizeof raw);
    RecordKey key = OtherKey(0xFFFF);
    CreateRecord(0x534F5458, key, std::move(block));
    return Read<int16_t>(key, 0);
}

int16_t HostDocument::AddStaff(const std::string& fullName, int16_t staffNumber) {
    if (staffNumber == 0)
        for (staffNumber = 1; std::count(_slots.begin(), _slots.end(), staffNumber);) ++staffNumber;
    Bytes staff(114, 0);
    const uint16_t nameBlock = static_cast<uint16_t>(AddTextBlock(fullName));
    memcpy(staff.data() + 30, &nameBlock, sizeof nameBlock);
    SetRecord(0x534F4953, OtherKey(static_cast<uint16_t>(staffNumber)), std::move(staff));
    _slots.push_back(staffNumber);
    return staffNumber;
}

EXENTRY& HostDocument::AddEntry(int16_t staff, int16_t measure, int16_t layer, int32_t position,
                                int16_t duration, const std::vector<int16_t>& displacements) {
    EXENTRY entry{};
    entry.entryNumber = NextEntryNumber();
    entry.duration = duration;
    entry.position = position;
    const int count = std::min<int>(static_cast<int>(displacements.size()), EXENTRY_MAX_NOTES);
    entry.noteCount = static_cast<int16_t>(count);
    if (count > 0) entry.flags |= ENTRY_NOTE;
    for (int i = 0; i < count; ++i) {
        entry.notes[i].displacement = displacements[i];
        entry.notes[i].noteID = static_cast<int16_t>(i + 1);
        entry.notes[i].flags = NOTE_CREATED | (static_cast<uint32_t>(i + 1) << 16);
    }
    if (measure > _measureCount) _measureCount = measure;
    auto& entries = CellLayerAt(staff, measure, layer).entries;
    entries.push_back(entry);
    return entries.back();
}

CellLayer* HostDocument::FindCellLayer(int16_t staff, int16_t measure, int16_t layer) {
    auto it = _cells.find({staff, measure, layer});
    return it == _cells.end() ? nullptr : &it->second;
}

CellLayer& HostDocument::CellLayerAt(int16_t staff, int16_t measure, int16_t layer) {
    return _cells[{staff, measure, layer}];
}

EXENTRY* HostDocument::FindEntry(int32_t entryNumber) {
    for (auto& [where, cell] : _cells)
        for (EXENTRY& entry : cell.entries)
            if (entry.entryNumber == entryNumber) return &entry;
    return nullptr;
}
