// A measure's attribute record: what applies to one measure across all staves (key,
// barlines, signature display, note positioning, full staff names), and the measures of
// a region.
#pragma once

#include "finaleframework/collections/fccollection.h"

class FCKeySignature;
class FCMusicRegion;

// Addressed by the measure index (1 for the first measure).
class FCMeasure : public FCFixedRecord<FCMeasure, __FCNoInciOther, "FCMeasure", 0x534F4D53, 26> {
public:
    // How the host shows a key or time signature in this measure: 0 with neither flag
    // bit, 1 with the me flags bit, 2 with the aux flags bit.
    enum DISPLAY_STATES : int { DISPLAYSTATE_NONE = 0, DISPLAYSTATE_FIRST = 1, DISPLAYSTATE_SECOND = 2 };
    // The host's barline codes, stored as the same number.
    enum BARLINE_STYLES : int {
        BARLINE_STYLE0 = 0,
        BARLINE_STYLE1,
        BARLINE_STYLE2,
        BARLINE_STYLE3,
        BARLINE_STYLE4,
        BARLINE_STYLE5,
        BARLINE_STYLE6
    };
    // How the host spaces the notes of the measure (codes 4, 0 and 6 of the aux word).
    enum POSITIONING_MODES : int { POSITIONING_MODE0 = 0, POSITIONING_MODE1 = 1, POSITIONING_MODE2 = 2 };

    using FCFixedRecord::FCFixedRecord;
    FCMeasure(const FCMeasure&) = delete;
    FCMeasure& operator=(const FCMeasure&) = delete;
    ~FCMeasure() override;

    // Set (on) or clear the mask bits of one flags word; nothing before a load attempt.
    void _SetAuxFlag(uint16_t mask, bool on) { _SetFlag(kAuxFlags, mask, on); }
    void _SetMeFlag(uint16_t mask, bool on) { _SetFlag(kMeFlags, mask, on); }
    void _SetNewFlag(uint16_t mask, bool on) { _SetFlag(kNewFlags, mask, on); }

    // Key and time signature display; a state outside the enumeration changes nothing.
    void SetKeySignatureDisplay(DISPLAY_STATES state);
    DISPLAY_STATES GetKeySignatureDisplay() const;
    void SetTimeSignatureDisplay(DISPLAY_STATES state);
    DISPLAY_STATES GetTimeSignatureDisplay() const;

    // Writes the 4-bit code of a style to *code; false (code 0) for a style outside 0-6.
    bool _GetBarlineMask(BARLINE_STYLES style, uint16_t* code) const;
    // The right (and left) barline; a style outside the enumeration changes nothing, and a
    // stored code above 6 reads as 0.
    void SetBarline(BARLINE_STYLES style);
    void SetLeftBarline(BARLINE_STYLES style);
    BARLINE_STYLES GetBarline() const;
    BARLINE_STYLES GetLeftBarline() const;

    // Whether full staff names are shown; hosts before version 0x10000000 have no such
    // flag: the setter does nothing and the getter answers false.
    void SetShowFullNames(bool show);
    bool GetShowFullNames() const;

    // Note positioning; a mode outside the enumeration changes nothing.
    void SetPositioningNotesMode(POSITIONING_MODES mode);
    POSITIONING_MODES GetPositioningNotesMode() const;

    // The measure's key, owned by the measure and refreshed from the record on every call;
    // null when the measure holds no record.
    FCKeySignature* GetKeySignature();
    // No beat chart exists in this framework: always null.
    __FCBase* CreateBeatChart(bool) { return nullptr; }

private:
    static constexpr int kKeyValue = 2;
    static constexpr int kAuxFlags = 8;
    static constexpr int kMeFlags = 10;
    static constexpr int kNewFlags = 16;

    void _SetFlag(int offset, uint16_t mask, bool on);
    uint16_t _Word(int offset) const { return _GetField<uint16_t>(offset); }
    void _SetDisplay(DISPLAY_STATES state, uint16_t auxMask, uint16_t meMask);
    DISPLAY_STATES _GetDisplay(uint16_t auxMask, uint16_t meMask) const;
    void _SetBarlineCode(int offset, BARLINE_STYLES style);
    BARLINE_STYLES _GetBarlineCode(int offset) const;

    FCKeySignature* _keySignature = nullptr;  // owned; made on first use
};

class FCMeasures : public __FCCollectionData {
public:
    const char* ClassName() override { return "FCMeasures"; }
    __FCBaseData* CreateElement(uint32_t version) override;
    // Replaces the contents with the measures of the region's measure range that load;
    // empty for a null region.
    void LoadRegion(FCMusicRegion* region, uint32_t version);

    FCMeasure* GetMeasureAt(int index) const { return static_cast<FCMeasure*>(GetItemAt(index)); }
};
