// The simulated host's document: data records under tags and keys, the entries of every
// cell and layer, staves in score order, fonts and a few settings. It knows nothing of
// the plug-in; the host functions (hostfunctions.h) answer from it.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "finalepdk/fxrecords.h"

using Bytes = std::vector<uint8_t>;

// Writes a little-endian field into record bytes at an offset inside them.
template <class T>
void PutField(Bytes& bytes, size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// How a tag's record key names a record: which bytes count, and where the incident is.
enum class KeyForm {
    Other,        // item number @0, incident @2 (the default for every tag)
    Number,       // a 16-bit number @0: globals, raw texts
    CellDetail,   // staff @0, measure @2, incident @4
    EntryDetail,  // entry number @0-3, incident @4
    StaffAtEntry  // staff @0, measure @2, position @4-7
};
KeyForm FormOfTag(uint32_t tag);

// Record keys written field by field, for tests and builders.
RecordKey OtherKey(uint16_t item, int16_t incident = 0);
RecordKey NumberKey(int16_t number);
RecordKey CellKey(uint16_t staff, uint16_t measure, int16_t incident);
RecordKey EntryDetailKey(int32_t entryNumber, int16_t incident);

// The entries and tuplets of one layer of one staff in one measure.
struct CellLayer {
    std::vector<EXENTRY> entries;
    std::vector<ETUPLETREC> tuplets;
};

class HostDocument {
public:
    HostDocument();

    // Data records.
    const Bytes* FindRecord(uint32_t tag, const RecordKey& key) const;
    Bytes* FindRecord(uint32_t tag, const RecordKey& key);
    void SetRecord(uint32_t tag, const RecordKey& key, Bytes bytes);
    bool EraseRecord(uint32_t tag, const RecordKey& key);
    // The key of the neighbouring record of the tag in key order; false at either end.
    bool NextKey(uint32_t tag, RecordKey& key, bool forward) const;
    // Creates a record under a key whose item number (0xFFFF) or incident (-1) the
    // document chooses; writes the choice into the key.
    bool CreateRecord(uint32_t tag, RecordKey& key, Bytes bytes);
    int RecordCount(uint32_t tag) const;

    // Score structure. Staves are numbered by the document, shown in slot order (1..N).
    int16_t AddStaff(const std::string& fullName, int16_t staffNumber = 0);
    void SetSlotOrder(const std::vector<int16_t>& staves);
    int16_t SlotToStaff(int16_t slot) const;
    int16_t StaffToSlot(int16_t staff) const;
    int StaffCount() const { return static_cast<int>(_slots.size()); }
    void SetMeasureCount(int16_t count) { _measureCount = count; }
    int16_t MeasureCount() const { return _measureCount; }

    // Text. Each call stores a raw text (tag txbl, or rawTag) and a text block naming it,
    // and returns the text block's number.
    int16_t AddTextBlock(const std::string& enigmaText, uint32_t rawTag = 0x7478626C);
    int16_t AddRawText(const std::string& enigmaText, uint32_t rawTag);

    // Fonts: numbered as added; FontNumber adds a name it does not know.
    int16_t FontNumber(const std::string& name);
    const std::string* FontName(int16_t number) const;

    // Entries. An entry is a chord of the given displacements, or a rest when none.
    EXENTRY& AddEntry(int16_t staff, int16_t measure, int16_t layer, int32_t position,
                      int16_t duration, const std::vector<int16_t>& displacements = {});
    CellLayer* FindCellLayer(int16_t staff, int16_t measure, int16_t layer);
    CellLayer& CellLayerAt(int16_t staff, int16_t measure, int16_t layer);
    EXENTRY* FindEntry(int32_t entryNumber);
    // A tuplet beginning on the entryIndex-th entry of a cell layer (document_entries.cpp);
    // sets that entry's tuplet flag when it exists.
    void AddTuplet(int16_t staff, int16_t measure, int16_t layer, int16_t entryIndex, int16_t incident,
                   const EDTTuplet2005& definition);
    int32_t NextEntryNumber() { return _nextEntryNumber++; }

    // Markings (document_markings.cpp). Each returns the number of what it made.
    // An articulation definition drawing a character in a font (an item number).
    int16_t AddArticulationDef(const std::string& font, uint8_t character);
    // Attaches an articulation to an entry and sets the entry's articulation flag.
    int16_t AddArticulation(int32_t entryNumber, int16_t definition);
    // The same for an entry the caller holds, without searching the document for it.
    int16_t AddArticulation(EXENTRY& entry, int16_t definition);
    // A text expression definition whose text (Enigma) lives in a text block.
    int16_t AddTextExpressionDef(const std::string& enigmaText);
    // An expression assignment in a measure, on a staff and optionally a staff list;
    // returns its incident within the measure.
    int16_t AddExpression(int16_t measure, int16_t staff, int16_t definition, uint16_t staffList = 0,
                          bool isText = true);
    // A staff list under one of the four staff-list tags.
    void AddStaffList(uint32_t tag, uint16_t list, const std::vector<int16_t>& staves);
    // A measure number region, in the 196-byte layout or the 88-byte layout of older hosts.
    int16_t AddMeasureNumberRegion(int16_t startMeasure, int16_t endMeasure, int16_t startNumber,
                                   const std::string& prefix = "", const std::string& suffix = "",
                                   bool olderLayout = false);

    // Measures, clefs, transposition and MIDI expressions (document_measures.cpp).
    // A measure's attribute record (26 bytes) holding a key value; the measure count
    // grows to include it.
    void AddMeasure(int16_t measure, uint16_t keyValue = 0);
    // A clef definition (18 bytes) at a clef index, with its displacement offset.
    void AddClefDef(int16_t clefIndex, int16_t displacementOffset);
    // Writes the transposition word of a staff's record; false for a staff without one.
    bool SetStaffTransposition(int16_t staff, uint16_t word);
    // A MIDI expression at a position of a cell; returns its incident within the cell.
    int16_t AddMidiExpression(int16_t staff, int16_t measure, int32_t position);

    // Layers: how many a cell has, and which are hidden.
    int16_t maxLayers = 4;
    std::set<int16_t> hiddenLayers;
    // Layers whose frames the host cannot deliver (FX_LoadTGF answers null).
    std::set<int16_t> unloadableLayers;
    // Layers whose frames the host refuses to save (FX_SaveTGF answers 0).
    std::set<int16_t> unsavableLayers;
    int16_t documentID = 1;
    // The user's selection as the host would hand it to a plug-in (all zero: none).
    EREGION selection{};

private:
    std::map<uint32_t, std::map<uint64_t, Bytes>> _records;
    std::vector<int16_t> _slots;
    int16_t _measureCount = 0;
    std::map<std::tuple<int16_t, int16_t, int16_t>, CellLayer> _cells;
    std::vector<std::string> _fonts;
    int32_t _nextEntryNumber = 1;
};
