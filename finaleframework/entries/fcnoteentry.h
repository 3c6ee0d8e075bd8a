// One entry (a chord or a rest) of an entry frame, seen in place in the frame's memory,
// and the collection of its notes.
#pragma once

#include "finaleframework/collections/fccollection.h"
#include "finaleframework/entries/fcnote.h"

class FCArticulations;

class FCNoteEntry : public __FCCollection {
public:
    // Made by the holders of frames for one record of a frame; the holder then builds
    // the notes and links the previous entry to this one.
    FCNoteEntry(EXENTRY* entryRecord, EXTGF2005a* frame, FCNoteEntry* previous);
    const char* ClassName() override { return "FCNoteEntry"; }
    ~FCNoteEntry() override;

    // Rebuilds one FCNote per note record in use; earlier note pointers become invalid.
    void _UpdateNoteCollection();
    // Removes from the record the notes marked deleted, keeping the others in order.
    void _PackEXENTRYNotes();
    // Highest displacement among the notes; 0 without notes.
    int16_t CalcHighestDisplacement();
    // Highest minus lowest displacement; 0 without notes.
    int16_t CalcDisplacementRange();
    // The highest (lowest) note, the raise/lower deciding at equal displacement; null
    // without notes.
    FCNote* FindHighestNote();
    FCNote* FindLowestNote();
    // The smallest positive note ID that no note of the entry has.
    int16_t _FindUniqueNoteID();
    // Appends a blank note with a fresh ID; null for a rest or a full chord.
    FCNote* AddNewNote();
    // Sets or clears the tie (shown accidental) of every note of a chord.
    void TieAll(bool on);
    void SetAccidentals(bool on);
    // Replaces the notes with the source entry's; nothing when source is null.
    void CopyNotes(FCNoteEntry* source);
    // Replaces the notes with one copy of the note, given ID 1; nothing when null.
    void CopyNote(FCNote* note);
    // Removes one note of this entry; false for a note of another entry.
    bool DeleteNote(FCNote* note);
    // Whether the entry sets its own stem direction.
    bool CalcFlippable();
    // The stem direction in effect for the entry.
    bool CalcStemUp();
    // Whether any note of a chord is tied; false for a rest.
    bool IsTied();
    // Copies the incident-th tuplet that begins on this entry; false (out untouched)
    // when there is none.
    bool _GetTupletDef(int16_t incident, EDTTuplet2005* out);
    // The entry's index in its frame's entry array; -1 when it is not there.
    int32_t _CalcTGFIndex();
    // Adds the source's pitches as new notes; the number added, 0 when either is a rest.
    int32_t AddPitches(FCNoteEntry* source);
    // Turns the entry into a rest and withdraws the flags of its attached records.
    void MakeRest();

    // Articulations (fcnoteentry_articulations.cpp). Gives this entry copies of the
    // source's articulations (from its cache when it has one), saved after this entry's
    // own; the number copied, 0 for a null source or an entry the host has not numbered.
    int32_t AddArticulations(FCNoteEntry* source, bool skipDuplicates);
    // Loads the entry's articulations into the cache; an entry without any keeps the
    // cache it had.
    void CacheArticulations();

    // The note at index; null out of range.
    FCNote* GetNoteAt(int index) const { return static_cast<FCNote*>(GetItemAt(index)); }
    int32_t GetEntryNumber() const { return _entryRecord->entryNumber; }
    uint32_t GetFlags() const { return _entryRecord->flags; }
    bool IsNote() const { return (_entryRecord->flags & ENTRY_NOTE) != 0; }
    bool IsRest() const { return !IsNote(); }
    int16_t GetDuration() const { return _entryRecord->duration; }
    // Elapsed duration from the start of the measure.
    int32_t GetMeasurePos() const { return _entryRecord->position; }
    int16_t GetMeasure() const { return _measure; }
    int16_t GetStaff() const { return _staff; }
    FCNoteEntry* GetPrevious() const { return _previous; }
    FCNoteEntry* GetNext() const { return _next; }
    EXENTRY* _GetEntryRecord() const { return _entryRecord; }
    EXTGF2005a* _GetFrame() const { return _frame; }
    // Sets or clears entry flag bits in the record.
    void _SetEntryFlag(uint32_t mask, bool on) { Set32BitFlag(&_entryRecord->flags, mask, on); }

    // Holder operations: link the chain, and re-point the entry at a fresh copy of its
    // frame (the notes are rebuilt over the new record).
    void _SetNext(FCNoteEntry* next) { _next = next; }
    void _Repoint(EXENTRY* entryRecord, EXTGF2005a* frame);

    // Owned; filled by the articulation caching of the entry, deleted with it.
    FCArticulations* _articulationCache = nullptr;

private:
    bool _IsElementNote(int index) const;
    void _SetNoteCount(int count) { _entryRecord->noteCount = static_cast<int16_t>(count); }

    EXENTRY* _entryRecord;  // inside the frame; not owned
    EXTGF2005a* _frame;     // not owned
    int16_t _measure;
    int16_t _staff;
    FCNoteEntry* _previous;
    FCNoteEntry* _next = nullptr;
};
