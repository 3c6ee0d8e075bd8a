// One note of a chord: a view of one note record inside its entry's record.
#pragma once

#include "finaleframework/core/fcbase.h"

class FCNoteEntry;

class FCNote : public __FCBase {
public:
    // Made only by its entry, for note record index of that entry.
    FCNote(int32_t index, ENOTE* noteRecord, FCNoteEntry* entry)
        : _index(index), _noteRecord(noteRecord), _entry(entry) {}
    const char* ClassName() override { return "FCNote"; }
    ~FCNote() override = default;

    // The note's scale step from the key's tonic.
    int16_t GetDisplacement() const { return _noteRecord->displacement; }
    void SetDisplacement(int16_t value) { _noteRecord->displacement = value; }
    // The chromatic alteration relative to the key signature.
    int16_t GetRaiseLower() const { return _noteRecord->raiseLower; }
    void SetRaiseLower(int16_t value) { _noteRecord->raiseLower = value; }
    int16_t GetNoteID() const { return _noteRecord->noteID; }
    uint32_t GetFlags() const { return _noteRecord->flags; }
    bool IsTied() const { return (_noteRecord->flags & NOTE_TIE) != 0; }

    // Marks the note for removal; the entry's _PackEXENTRYNotes applies it.
    void MarkDeleted() { _deleted = true; }
    bool IsDeleted() const { return _deleted; }
    int32_t GetIndex() const { return _index; }
    ENOTE* _GetNoteRecord() const { return _noteRecord; }
    FCNoteEntry* GetEntry() const { return _entry; }

    // The entry number of the note's entry; 0 for an entry the host has not numbered.
    int32_t _GetEntryNumber() const;
    // Announce (or withdraw) records attached to the note's entry: note details,
    // special alterations, articulations.
    void _SetNoteDetailEntryFlag(bool on);
    void _SetSpecialAltsEntryFlag(bool on);
    void _SetArticulationEntryFlag(bool on);

    // Pitch as the reader sees it (fcnote_pitch.cpp). The displacement with the clef's
    // offset and the staff's transposition added; clef and staff that do not load add 0.
    int16_t CalcActualDisplacement();
    // The letter name 'A' to 'G' in the key of the note's measure; 0 for a note of a rest
    // or a measure that does not load.
    char CalcPitchChar();
    // The full chromatic alteration of the letter (+1 sharp, -1 flat); 0 for a rest, a
    // measure that does not load or a key that is not linear.
    int16_t CalcPitchRaiseLower();

private:
    void _SetEntryFlag(uint32_t mask, bool on);

    bool _deleted = false;
    int32_t _index;
    ENOTE* _noteRecord;    // inside the entry record; not owned
    FCNoteEntry* _entry;   // the owner
};
