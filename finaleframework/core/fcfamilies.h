// The families that address host records: by item number, by item number and incident,
// by globals number, and by cell. Each concrete record class derives from one of them.
#pragma once

#include "finaleframework/core/fcbase.h"

class FCCell;

class __FCOther : public __FCBaseData {
public:
    using __FCBaseData::__FCBaseData;
    const char* ClassName() override { return "__FCOther"; }
};

// Records named by an item number alone (incident written as 0).
class __FCNoInciOther : public __FCOther {
public:
    using __FCOther::__FCOther;
    // Loads item number 1, the first of the walk.
    bool LoadFirst() override;
    virtual bool Load(uint16_t itemNo);
    virtual bool SaveAs(uint16_t itemNo);
    // Creates a new record under an item number the host chooses; false when nothing
    // is held.
    virtual bool SaveNew();
    virtual uint16_t GetItemNo();
};

// Records named by item number and incident; not walked with LoadFirst/LoadNext.
class __FCInciOther : public __FCOther {
public:
    using __FCOther::__FCOther;
    bool LoadFirst() override { return false; }
    virtual bool Load(uint16_t itemNo, int16_t incident);
};

// Records named by one globals number; the walk starts at 0.
class __FCGlobals : public __FCBaseData {
public:
    using __FCBaseData::__FCBaseData;
    bool LoadFirst() override { return Load(0); }
    bool Load(int16_t number);
};

// Records of one cell (staff and measure), walked by incident from 0 to the first gap.
class __FCCellDetail : public __FCBaseData {
public:
    using __FCBaseData::__FCBaseData;
    bool LoadFirst() override;
    bool LoadNext() override;

    FCCell* _cell = nullptr;  // not owned; set before LoadFirst
};

// Loads by item number and incident, as __FCInciOther does; nothing derives from it.
class __FCInci {
public:
    explicit __FCInci(__FCInciOther* record) : _record(record) {}
    bool Load(uint16_t itemNo, int16_t incident) { return _record && _record->Load(itemNo, incident); }

private:
    __FCInciOther* _record;
};
