// Expressions: markings placed in a measure on a staff (and on the staves of a staff
// list), and the text expression definitions they show.
#pragma once

#include "finaleframework/collections/fccollection.h"
#include "finaleframework/score/fcstafflist.h"

class FCCell;
class FCString;

// A text expression definition; its record's length varies, so it lives in an owned block.
class FCTextExpressionDef : public FCDynamicRecord<__FCNoInciOther> {
public:
    using FCDynamicRecord::FCDynamicRecord;
    const char* ClassName() override { return "FCTextExpressionDef"; }
    uint32_t Tag() override { return 0x534F4454; }
    __FCBaseData* CreateObject(uint32_t version) override { return new FCTextExpressionDef(version); }

    // The expression's text with its Enigma tags; empty when it cannot be read. Caller owns it.
    FCString* CreateTextString();
};

// An expression assignment: item number = measure, incidents = the measure's expressions.
class FCExpression : public FCFixedRecord<FCExpression, __FCInciOther, "FCExpression", 0x534F4459, 24> {
public:
    using FCFixedRecord::FCFixedRecord;
    uint16_t GetDefinitionID() const { return _GetField<uint16_t>(0); }
    int16_t GetStaff() const { return _GetField<int16_t>(8); }
    uint16_t GetStaffList() const { return _GetField<uint16_t>(14); }
    bool IsTextExpression() const { return !(_GetField<uint8_t>(11) & 0x20); }

    // Whether the expression shows on the staff: assigned to it, or through its staff list
    // in the given mode.
    bool IsVisibleOnStaff(int16_t staff, FCStaffListElement::STAFFLIST_MODES mode);
    // The loaded text definition; null for an expression that is not a text. Caller owns it.
    FCTextExpressionDef* CreateTextExpressionDef();
};

class FCExpressions : public __FCCollectionInciOther {
public:
    const char* ClassName() override { return "FCExpressions"; }
    __FCBaseData* CreateElement(uint32_t version) override { return new FCExpression(version); }
    // Replaces the contents with the expressions of the cell's measure that show on its staff.
    virtual void LoadAllInCell(FCCell* cell, FCStaffListElement::STAFFLIST_MODES mode, uint32_t version);
};
