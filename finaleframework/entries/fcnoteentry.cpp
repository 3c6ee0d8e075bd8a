#include "finaleframework/entries/fcnoteentry.h"

#include "finaleframework/markings/fcarticulation.h"

namespace {
constexpr int16_t NO_HIGH = -10000;
constexpr int16_t NO_LOW = 10000;
}  // namespace

FCNoteEntry::FCNoteEntry(EXENTRY* entryRecord, EXTGF2005a* frame, FCNoteEntry* previous)
    : _entryRecord(entryRecord),
      _frame(frame),
      _measure(frame ? frame->measure : 0),
      _staff(frame ? frame->staff : 0),
      _previous(previous) {}

FCNoteEntry::~FCNoteEntry() {
    delete _articulationCache;
    _articulationCache = nullptr;
}

void FCNoteEntry::_Repoint(EXENTRY* entryRecord, EXTGF2005a* frame) {
    _entryRecord = entryRecord;
    _frame = frame;
    _UpdateNoteCollection();
}

// The host's note count is believed only as far as the 12 records an entry holds.
void FCNoteEntry::_UpdateNoteCollection() {
    _Clear();
    for (int i = 0; i < EntryNoteCount(_entryRecord); ++i) Add(new FCNote(i, &_entryRecord->notes[i], this));
}

bool FCNoteEntry::_IsElementNote(int index) const {
    return index < EXENTRY_MAX_NOTES && GetItemAt(index) != nullptr;
}

void FCNoteEntry::_PackEXENTRYNotes() {
    ENOTE kept[EXENTRY_MAX_NOTES] = {};
    int k = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (!_IsElementNote(i) || GetNoteAt(i)->IsDeleted()) continue;
        kept[k++] = _entryRecord->notes[i];
    }
    if (k == GetCount()) return;
    if (k == 0) {
        _SetEntryFlag(ENTRY_NOTE, false);
        _SetNoteCount(0);
    } else {
        memcpy(_entryRecord->notes, kept, sizeof(ENOTE) * static_cast<size_t>(k));
        _SetNoteCount(k);
    }
    _UpdateNoteCollection();
}

int16_t FCNoteEntry::CalcHighestDisplacement() {
    int16_t highest = NO_HIGH;
    for (int i = 0; i < GetCount(); ++i) highest = std::max(highest, GetNoteAt(i)->GetDisplacement());
    return highest == NO_HIGH ? 0 : highest;
}

int16_t FCNoteEntry::CalcDisplacementRange() {
    int16_t highest = NO_HIGH, lowest = NO_LOW;
    for (int i = 0; i < GetCount(); ++i) {
        highest = std::max(highest, GetNoteAt(i)->GetDisplacement());
        lowest = std::min(lowest, GetNoteAt(i)->GetDisplacement());
    }
    return highest == NO_HIGH ? 0 : static_cast<int16_t>(highest - lowest);
}

FCNote* FCNoteEntry::FindHighestNote() {
    FCNote* best = nullptr;
    int16_t bestDisplacement = NO_HIGH;
    for (int i = 0; i < GetCount(); ++i) {
        FCNote* note = GetNoteAt(i);
        const int16_t displacement = note->GetDisplacement();
        if (displacement > bestDisplacement ||
            (best && displacement == bestDisplacement && note->GetRaiseLower() > best->GetRaiseLower())) {
            best = note;
            bestDisplacement = displacement;
        }
    }
    return best;
}

FCNote* FCNoteEntry::FindLowestNote() {
    FCNote* best = nullptr;
    int16_t bestDisplacement = NO_LOW;
    for (int i = 0; i < GetCount(); ++i) {
        FCNote* note = GetNoteAt(i);
        const int16_t displacement = note->GetDisplacement();
        if (displacement < bestDisplacement ||
            (best && displacement == bestDisplacement && note->GetRaiseLower() < best->GetRaiseLower())) {
            best = note;
            bestDisplacement = displacement;
        }
    }
    return best;
}

// At most 12 notes: the walk restarts at most 12 times.
int16_t FCNoteEntry::_FindUniqueNoteID() {
    int16_t id = 1;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetNoteAt(i)->GetNoteID() == id) {
            ++id;
            i = -1;
        }
    }
    return id;
}

FCNote* FCNoteEntry::AddNewNote() {
    const int n = GetCount();
    if (n >= EXENTRY_MAX_NOTES || IsRest()) return nullptr;
    ENOTE* record = &_entryRecord->notes[n];
    *record = ENOTE{};
    auto* note = new FCNote(n, record, this);
    record->flags = NOTE_CREATED;
    record->noteID = _FindUniqueNoteID();
    Add(note);
    // The count follows the notes the entry holds, whatever the host had written there.
    _SetNoteCount(n + 1);
    return note;
}

void FCNoteEntry::TieAll(bool on) {
    if (IsRest()) return;
    for (int i = 0; i < GetCount(); ++i) Set32BitFlag(&GetNoteAt(i)->_GetNoteRecord()->flags, NOTE_TIE, on);
}

void FCNoteEntry::SetAccidentals(bool on) {
    if (IsRest()) return;
    for (int i = 0; i < GetCount(); ++i)
        Set32BitFlag(&GetNoteAt(i)->_GetNoteRecord()->flags, NOTE_ACCIDENTAL, on);
}

void FCNoteEntry::CopyNotes(FCNoteEntry* source) {
    if (!source) return;
    const int count = EntryNoteCount(source->_entryRecord);
    _SetNoteCount(count);
    memmove(_entryRecord->notes, source->_entryRecord->notes, sizeof(ENOTE) * static_cast<size_t>(count));
    _UpdateNoteCollection();
}

void FCNoteEntry::CopyNote(FCNote* note) {
    if (!note) return;
    ENOTE copy = *note->_GetNoteRecord();
    _SetNoteCount(1);
    copy.noteID = 1;
    _entryRecord->notes[0] = copy;
    _UpdateNoteCollection();
}

bool FCNoteEntry::DeleteNote(FCNote* note) {
    if (!note || !ElementExists(note)) return false;
    note->MarkDeleted();
    _PackEXENTRYNotes();
    return true;
}

bool FCNoteEntry::CalcFlippable() {
    if (IsRest()) return false;
    if (_entryRecord->flags & ENTRY_STEM_GROUP_START) return true;
    if (!_previous) return true;
    if (_next && _next->_measure == _measure) return false;
    if (GetDuration() == _previous->GetDuration()) return false;
    return _previous->GetDuration() > 1023;
}

bool FCNoteEntry::CalcStemUp() {
    if (!CalcFlippable())
        for (FCNoteEntry* entry = _previous; entry; entry = entry->_previous)
            if (entry->GetFlags() & ENTRY_STEM_GROUP_START) return (entry->GetFlags() & ENTRY_STEM_UP) != 0;
    return (GetFlags() & ENTRY_STEM_UP) != 0;
}

bool FCNoteEntry::IsTied() {
    if (IsRest()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (GetNoteAt(i)->IsTied()) return true;
    return false;
}

// The tuplet records name their entry by index: an index outside the frame's entries
// names none.
bool FCNoteEntry::_GetTupletDef(int16_t incident, EDTTuplet2005* out) {
    if (!_frame || !out) return false;
    const EXENTRY* entries = FrameEntries(_frame);
    const int entryCount = FrameEntryCount(_frame);
    const ETUPLETREC* tuplets = FrameTuplets(_frame);
    for (int i = 0; i < FrameTupletCount(_frame); ++i) {
        const int index = tuplets[i].entryIndex;
        if (index < 0 || index >= entryCount) continue;
        if (entries[index].entryNumber != GetEntryNumber() || tuplets[i].incident != incident) continue;
        memcpy(out->bytes, tuplets[i].tuplet, sizeof out->bytes);
        return true;
    }
    return false;
}

int32_t FCNoteEntry::_CalcTGFIndex() {
    if (!_frame) return -1;
    const EXENTRY* entries = FrameEntries(_frame);
    for (int i = 0; i < FrameEntryCount(_frame); ++i)
        if (&entries[i] == _entryRecord) return i;
    return -1;
}

int32_t FCNoteEntry::AddPitches(FCNoteEntry* source) {
    if (!source || IsRest() || source->IsRest()) return 0;
    int32_t added = 0;
    for (int i = 0, n = source->GetCount(); i < n; ++i) {
        FCNote* from = source->GetNoteAt(i);
        FCNote* note = AddNewNote();
        if (!note) break;
        note->SetDisplacement(from->GetDisplacement());
        note->SetRaiseLower(from->GetRaiseLower());
        ++added;
    }
    return added;
}

void FCNoteEntry::MakeRest() {
    _SetNoteCount(0);
    _UpdateNoteCollection();
    _SetEntryFlag(ENTRY_NOTE, false);
    _SetEntryFlag(ENTRY_NOTE_DETAILS, false);
    _SetEntryFlag(ENTRY_SPECIAL_ALTS, false);
    _SetEntryFlag(ENTRY_ARTICULATIONS, false);
}
