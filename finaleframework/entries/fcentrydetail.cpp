#include "finaleframework/entries/fcentrydetail.h"

#include "finaleframework/collections/fccollection.h"
#include "finaleframework/entries/fcnoteentry.h"
#include "finalepdk/finalepdk.h"

namespace {

RecordKey DetailKey(int32_t entryNumber, int16_t incident) {
    RecordKey key{};
    WriteKeyField<int32_t>(key, 0, entryNumber);
    WriteKeyField<int16_t>(key, 4, incident);
    return key;
}

bool Succeeded(int16_t result) { return (result & 0xFFFF) != 0; }

// Takes over the entry number and incident of a local key; bytes 6-7 stay as they were.
void TakeKey(RecordKey& target, const RecordKey& source) {
    WriteKeyField<int32_t>(target, 0, ReadKeyField<int32_t>(source, 0));
    WriteKeyField<int16_t>(target, 4, ReadKeyField<int16_t>(source, 4));
}

}  // namespace

bool __FCEntryDetail::_EnsureBlock() {
    if (!_dataBlock) _dataBlock = Allocate();
    return _dataBlock != nullptr && _BlockSize() > 0;
}

bool __FCEntryDetail::Load(int32_t entryNumber, int16_t incident) {
    WriteKeyField<int32_t>(_recordKey, 0, entryNumber);
    WriteKeyField<int16_t>(_recordKey, 4, incident);
    return LoadDataBlock();
}

bool __FCEntryDetail::SaveAs(int32_t entryNumber, int16_t incident) {
    WriteKeyField<int32_t>(_recordKey, 0, entryNumber);
    WriteKeyField<int16_t>(_recordKey, 4, incident);
    return Save();
}

bool __FCEntryDetail::LoadFirst() {
    if (!_noteEntry) return false;
    return Load(_noteEntry->GetEntryNumber(), 0);
}

// The walk ends at the last incident a key can hold rather than wrapping round to the
// negative ones.
bool __FCEntryDetail::LoadNext() {
    const int16_t incident = GetIncident();
    if (incident == INT16_MAX) return false;
    WriteKeyField<int16_t>(_recordKey, 4, static_cast<int16_t>(incident + 1));
    if (LoadDataBlock()) return true;
    WriteKeyField<int16_t>(_recordKey, 4, incident);
    return false;
}

void __FCEntryDetail::_SetEntryFlag(FCNoteEntry* entry, bool on) {
    if (entry) entry->_SetEntryFlag(ENTRY_NOTE_DETAILS, on);
}

// The held record bytes are sent as the object has them; a record never loaded is sent
// from the class's own (cleared) storage, never from a missing block.
bool __FCEntryDetail::SaveNew() {
    if (!_noteEntry || !_EnsureBlock()) return false;
    RecordKey key = DetailKey(GetEntryNumber(), -1);
    const uint32_t size = std::min(DataSize(), _BlockSize());
    if (!Succeeded(FX_CreateEData(Tag(), &key, _dataBlock, size, FINALE_FRAMEWORK_VERSION))) return false;
    TakeKey(_recordKey, key);
    _SetEntryFlag(_noteEntry, true);
    return true;
}

bool __FCEntryDetail::_HasAnyMod(FCNote* note) {
    if (!note) return false;
    uint8_t scratch[SCRATCH_SIZE];
    uint32_t size = std::min(DataSize(), SCRATCH_SIZE);
    RecordKey key = DetailKey(note->_GetEntryNumber(), 0);
    return Succeeded(FX_LoadEData(Tag(), &key, scratch, &size, FINALE_FRAMEWORK_VERSION));
}

// A host that answers every incident is stopped at the last incident a key can hold.
int16_t __FCEntryDetailNoteID::_ScanForNoteID(FCNote* note) {
    if (!note) return -1;
    const int16_t id = note->GetNoteID();
    const uint32_t capacity = std::min(DataSize(), SCRATCH_SIZE);
    uint8_t scratch[SCRATCH_SIZE];
    for (int32_t k = 0; k <= INT16_MAX; ++k) {
        memset(scratch, 0, sizeof scratch);
        uint32_t size = capacity;
        RecordKey key = DetailKey(note->_GetEntryNumber(), static_cast<int16_t>(k));
        if (!Succeeded(FX_LoadEData(Tag(), &key, scratch, &size, FINALE_FRAMEWORK_VERSION))) return -1;
        if (_IsNoteIDMatch(scratch, id)) return static_cast<int16_t>(k);
    }
    return -1;
}

bool __FCEntryDetailNoteID::SaveAt(FCNote* note) {
    if (!note || !_EnsureBlock()) return false;
    const int16_t incident = _ScanForNoteID(note);
    RecordKey key = DetailKey(note->_GetEntryNumber(), incident);
    _SetNoteID(note->GetNoteID());
    const uint32_t size = std::min(DataSize(), _BlockSize());
    const int16_t result = incident == -1
                               ? FX_CreateEData(Tag(), &key, _dataBlock, size, FINALE_FRAMEWORK_VERSION)
                               : FX_SaveEData(Tag(), &key, _dataBlock, size, FINALE_FRAMEWORK_VERSION);
    if (!Succeeded(result)) return false;
    TakeKey(_recordKey, key);
    _SetNoteFlag(note, true);
    return true;
}

bool __FCEntryDetailNoteID::EraseAt(FCNote* note) {
    if (!note) return false;
    RecordKey key = DetailKey(note->_GetEntryNumber(), _ScanForNoteID(note));
    if (!Succeeded(FX_DeleteEData(Tag(), &key, FINALE_FRAMEWORK_VERSION))) return false;
    if (!_HasAnyMod(note)) _SetNoteFlag(note, false);
    TakeKey(_recordKey, key);
    WriteKeyField<int16_t>(_recordKey, 4, -1);
    return true;
}

void __FCCollectionEntryDetail::LoadAll(uint32_t version) {
    if (!_noteEntry) return;
    _Clear();
    auto* prototype = static_cast<__FCEntryDetail*>(CreateElement(version));
    prototype->SetNoteEntry(_noteEntry);
    prototype->_customTag = _customTag;
    prototype->_SetEntryNumber(_noteEntry->GetEntryNumber());
    if (prototype->LoadFirst()) {
        do {
            auto* element = static_cast<__FCEntryDetail*>(prototype->CreateClone());
            if (element) element->SetNoteEntry(_noteEntry);
            Add(element);
        } while (_elementCount < FC_MAX_RECORD_WALK && prototype->LoadNext());
    }
    delete prototype;
}

// The removed element is destroyed: once its record is gone from the document nothing
// may address it, and the caller has no way to take it back.
bool __FCCollectionEntryDetail::DestroyItemAt(int index) {
    auto* item = static_cast<__FCBaseData*>(GetItemAt(index));
    if (!item) return false;
    const int16_t removed = ReadKeyField<int16_t>(item->GetRecordKey(), 4);
    for (int i = 0; i < _elementCount; ++i) {
        auto* element = static_cast<__FCBaseData*>(GetItemAt(i));
        if (!element) continue;
        const int16_t incident = ReadKeyField<int16_t>(element->GetRecordKey(), 4);
        if (incident > removed)
            WriteKeyField<int16_t>(element->_GetRecordKey(), 4, static_cast<int16_t>(incident - 1));
    }
    item->DeleteData();
    DeleteItemAt(index);
    delete item;
    return _elementCount > 0;
}
