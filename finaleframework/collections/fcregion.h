// A rectangle of the score (a run of measures on a run of staves), and its cells.
#pragma once

#include "finaleframework/collections/fccollection.h"

class FCMusicRegion : public __FCBase {
public:
    // A copy of the host's region; all zero (no selection) without one.
    explicit FCMusicRegion(EREGION* region = nullptr);
    const char* ClassName() override { return "FCMusicRegion"; }

    void SetEnigmaRegion(EREGION* region);
    // The whole current document, as the host reports it.
    void SetFullDocument();
    bool IsMeasureIncluded(int16_t measure);
    // Whether the staff number lies between the numbers of the top and bottom staves.
    bool IsStaffIncluded(int16_t staff);
    // Whether a position in the cell's measure lies inside the region (bounds included).
    bool IsCellPosWithin(class FCCell* cell, int32_t position);
    // Whether the region starts or ends part-way into a measure.
    bool IsPartial();
    bool IsCurrentDocument();
    // No selection: start and end measure both 0.
    bool IsEmpty() const { return _startMeasure == 0 && _endMeasure == 0; }

    uint16_t _startSlotContext = 0;
    int16_t _startSlot = 0;
    int16_t _startMeasure = 0;
    int32_t _startPos = 0;
    uint16_t _endSlotContext = 0;
    int16_t _endSlot = 0;
    int16_t _endMeasure = 0;
    int32_t _endPos = 0;
    int16_t _documentID = 0;
};

// One measure on one staff.
class FCCell : public __FCBase {
public:
    FCCell(int32_t measure, int32_t staff) : _measure(measure), _staff(staff) {}
    const char* ClassName() override { return "FCCell"; }

    int32_t _measure;
    int32_t _staff;  // the staff number, not its slot
};

class FCCells : public __FCCollection {
public:
    const char* ClassName() override { return "FCCells"; }
    // Replaces the contents with the region's cells, measure by measure, top slot first.
    void ApplyRegion(FCMusicRegion* region);
    // Walks the cells of one measure (or staff); the number of true answers.
    int ForEachAtMeasure(int measure, FCIteratorHandler* handler);
    int ForEachAtStaff(int staff, FCIteratorHandler* handler);
};
