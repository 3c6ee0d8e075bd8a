// Staff lists (sets of staves a marking shows on), pages and systems.
#pragma once

#include "finaleframework/collections/fccollection.h"

// One staff of a staff list: item number = list number, incidents = the list's staves.
class FCStaffListElement
    : public FCFixedRecord<FCStaffListElement, __FCInciOther, "FCStaffListElement", 0x6F744443, 2> {
public:
    // The host's four sets of staff lists, told apart by the tag their records are read with.
    enum STAFFLIST_MODES { STAFFLIST_SCORE = 0, STAFFLIST_PARTS = 1, STAFFLIST_SCORE_FORCED = 2, STAFFLIST_PARTS_FORCED = 3 };
    // The tag of a mode's records; 0 for a value that is no mode.
    static uint32_t TagOfMode(int mode);

    using FCFixedRecord::FCFixedRecord;
    // The set's tag handed over by the loading collection, else the default set's.
    uint32_t Tag() override { return _customTag ? _customTag : FCFixedRecord::Tag(); }
    int16_t GetStaff() const { return _GetField<int16_t>(0); }
};

class FCStaffListElements : public __FCCollectionInciOther {
public:
    const char* ClassName() override { return "FCStaffListElements"; }
    __FCBaseData* CreateElement(uint32_t version) override { return new FCStaffListElement(version); }
};

// One page of the score, by page number.
class FCPage : public FCFixedRecord<FCPage, __FCNoInciOther, "FCPage", 0x534F5047, 28> {
public:
    using FCFixedRecord::FCFixedRecord;
    // The number of the first staff system on the page.
    int16_t GetFirstSystem() const { return _GetField<int16_t>(8); }
    // Has the host lay out this page again and reloads it; false when it does not reload.
    bool UpdateLayout(bool flag);
};

class FCStaffSystems : public __FCBase {
public:
    const char* ClassName() override { return "FCStaffSystems"; }
    // Has the host lay out the whole document again; the host's answer.
    int16_t UpdateFullLayout();
};

class FCStaffListIncis : public __FCBase {
public:
    const char* ClassName() override { return "FCStaffListIncis"; }
    // Loads nothing.
    void LoadAllSystems() {}
};
