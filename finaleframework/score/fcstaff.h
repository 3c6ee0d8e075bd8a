// Staves, the staff in effect at an entry, clef definitions and key signatures.
#pragma once

#include "finaleframework/core/fcfamilies.h"

class FCString;
class FCNoteEntry;

constexpr uint32_t FC_STAFF_TAG = 0x534F4953;
constexpr uint32_t FC_STAFF_SIZE = 114;

// A staff's attribute record, by staff number.
class FCStaff : public FCFixedRecord<FCStaff, __FCNoInciOther, "FCStaff", FC_STAFF_TAG, FC_STAFF_SIZE> {
public:
    using FCFixedRecord::FCFixedRecord;
    // The transposition interval in staff steps; 0 when the staff does not transpose.
    int GetTransposeInterval();
    // The transposition's chromatic alteration; 0 when the staff does not transpose.
    int GetTransposeAlteration();
    // The full name as stored, with its Enigma tags; empty when there is none. Caller owns it.
    FCString* CreateFullNameString();
};

// The staff record in effect at one entry, as the host resolves changes within the score.
class FCCurrentStaffSpec : public FCStaff {
public:
    using FCStaff::FCStaff;
    const char* ClassName() override { return "FCCurrentStaffSpec"; }
    uint32_t Tag() override { return 0x534F5343; }
    // A copy is of this class too, so that it saves under its own tag.
    __FCBaseData* CreateObject(uint32_t version) override { return new FCCurrentStaffSpec(version); }
    // Addressed by an entry, not by item number: these do nothing.
    bool Load(uint16_t) override { return false; }
    bool SaveAs(uint16_t) override { return false; }
    bool SaveNew() override { return false; }
    uint16_t GetItemNo() override { return 0; }

    // Loads the staff record in effect at the entry's staff, measure and position.
    bool Load(FCNoteEntry* entry);
};

// One clef of the document's clef table, by clef index.
class FCClefDef : public FCFixedRecord<FCClefDef, __FCGlobals, "FCClefDef", 0x67626366, 18> {
public:
    using FCFixedRecord::FCFixedRecord;
    // Staff steps added to a note's displacement under this clef.
    int16_t GetDisplacementOffset() const { return _GetField<int16_t>(0); }
};

// A 16-bit key value and the calculations on it. Names no host record: a measure fills it.
// Linear keys are 0x0000-0x01FF: the high byte the mode (0 major, 1 minor), the low byte
// the accidentals (positive sharps, negative flats).
class FCKeySignature : public FCFixedRecord<FCKeySignature, __FCBaseData, "FCKeySignature", 0, 2> {
public:
    explicit FCKeySignature(uint32_t version) : FCFixedRecord(version) { Allocate(); }
    bool LoadFirst() override { return false; }

    uint16_t GetKeyValue() const { return _GetField<uint16_t>(0); }
    void SetKeyValue(uint16_t key) { _SetField<uint16_t>(0, key); }
    // Sharps of the key; -1 for a key that is not linear.
    int16_t CalcSharps() const;
    // Flats of the key; -1 for a key that is not linear.
    int16_t CalcFlats() const;
    // The letter of the key's root, A = 0 to G = 6; -1 for a key that is not linear.
    int16_t CalcScaleRootIndex() const;

private:
    bool IsLinear() const { return GetKeyValue() <= 0x01FF; }
};
