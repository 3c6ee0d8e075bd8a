// Articulations: the assignment of a symbol to one note entry, all assignments of an
// entry, and the document-wide definition that says how the symbol is drawn.
#pragma once

#include "finaleframework/collections/fccollection.h"
#include "finaleframework/entries/fcentrydetail.h"

class FCArticulationDef;

// Record: u16 definition item number @0; bytes 2-9 carried unchanged.
class FCArticulation : public FCFixedRecord<FCArticulation, __FCEntryDetail, "FCArticulation", 0x6564494D, 10> {
public:
    using FCFixedRecord::FCFixedRecord;

    // Item number of the definition this assignment shows.
    int16_t GetID() const { return _GetField<int16_t>(0); }
    void SetID(int16_t definition) {
        Allocate();
        _SetField<int16_t>(0, definition);
    }
    // The definition this assignment shows, loaded or not; the caller owns it.
    FCArticulationDef* CreateArticulationDef();
    // Announces (or withdraws) articulations in the entry's flags; nothing for null.
    void _SetEntryFlag(FCNoteEntry* entry, bool on) override;
};

// All articulation assignments of one entry, in incident order.
class FCArticulations : public __FCCollectionEntryDetail {
public:
    explicit FCArticulations(FCNoteEntry* entry = nullptr) { _noteEntry = entry; }
    const char* ClassName() override { return "FCArticulations"; }
    __FCBaseData* CreateElement(uint32_t version) override;

    FCArticulation* GetArticulationAt(int index) const { return static_cast<FCArticulation*>(GetItemAt(index)); }
    // Whether some assignment shows the definition with item number id.
    bool ContainsID(int16_t id);
};

// Record: u8 main character @0, u8 main font number @2, u16 automatic position word @10,
// u8 main symbol flags @22 (0x02: the symbol is not a font character).
class FCArticulationDef
    : public FCFixedRecord<FCArticulationDef, __FCNoInciOther, "FCArticulationDef", 0x4F044958, 48> {
public:
    using FCFixedRecord::FCFixedRecord;

    // Writes the main symbol font's name; "" for a symbol that is not a font character
    // or a font number the host cannot name.
    void GetMainSymbolFont(char (*name)[256]);
    // Whether the main symbol font's name is exactly the given one (case counts).
    bool IsMainSymbolFont(const char (*name)[256]);
    // The main symbol's character; 0 when the symbol is not a font character.
    unsigned char GetMainSymbolChar();
    // The side code of automatic positioning; 0 when it is off or the code is unknown.
    int GetAutoPosSide();

private:
    bool _IsShapeSymbol() const { return (_GetField<uint8_t>(22) & 0x02) != 0; }
};
