// Records attached to one note entry, addressed by its entry number and an incident, and
// the records among them that belong to one note of the entry (by note ID).
#pragma once

#include "finaleframework/core/fcbase.h"

class FCNote;
class FCNoteEntry;

class __FCEntryDetail : public __FCBaseData {
public:
    using __FCBaseData::__FCBaseData;

    // Loads incident 0 of the connected entry; false without a connected entry.
    bool LoadFirst() override;
    // Loads the next incident; false (key unchanged) at the first incident without one.
    bool LoadNext() override;
    // Announces (or withdraws) this record type in the entry's flags; nothing for null.
    virtual void _SetEntryFlag(FCNoteEntry* entry, bool on);

    // Loads the record at entry number and incident; false when there is none.
    bool Load(int32_t entryNumber, int16_t incident);
    // Writes the held record at entry number and incident; false when nothing is held.
    bool SaveAs(int32_t entryNumber, int16_t incident);
    // Adds the held record to the connected entry under an incident the host chooses and
    // sets the entry's flag; false (key unchanged) when refused or without an entry.
    bool SaveNew();
    // Whether the note's entry has a record of this type at incident 0.
    bool _HasAnyMod(FCNote* note);

    int32_t GetEntryNumber() const { return ReadKeyField<int32_t>(_recordKey, 0); }
    int16_t GetIncident() const { return ReadKeyField<int16_t>(_recordKey, 4); }
    void _SetEntryNumber(int32_t entryNumber) { WriteKeyField<int32_t>(_recordKey, 0, entryNumber); }
    FCNoteEntry* GetNoteEntry() const { return _noteEntry; }
    void SetNoteEntry(FCNoteEntry* entry) { _noteEntry = entry; }

protected:
    // Scratch space for a record read beside the held one: entry details fit in it.
    static constexpr uint32_t SCRATCH_SIZE = 208;
    // The held block, made from the class's storage when nothing was loaded yet.
    bool _EnsureBlock();

    FCNoteEntry* _noteEntry = nullptr;  // the connected entry; not owned
};

// Entry details that belong to one note of the entry, found by the note's ID. A concrete
// class keeps the ID in its record (of at most SCRATCH_SIZE bytes) and says which entry
// flag announces it.
class __FCEntryDetailNoteID : public __FCEntryDetail {
public:
    using __FCEntryDetail::__FCEntryDetail;

    // Writes the note ID into the held record.
    virtual void _SetNoteID(int16_t noteID) = 0;
    // Whether a record of this type (raw bytes) belongs to the note with the ID.
    virtual bool _IsNoteIDMatch(const void* record, int16_t noteID) = 0;
    // Announces (or withdraws) this record type for the note's entry.
    virtual void _SetNoteFlag(FCNote* note, bool on) = 0;

    // The incident of the note's own record; -1 when it has none.
    int16_t _ScanForNoteID(FCNote* note);
    // Stores the held record as the note's record (overwriting or creating it); false
    // (key unchanged) when the host refuses.
    bool SaveAt(FCNote* note);
    // Deletes the note's record; false (nothing changed) when the host refuses.
    bool EraseAt(FCNote* note);
};
