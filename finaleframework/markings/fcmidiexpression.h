// MIDI expressions: playback events attached to one cell (a measure on a staff) at a
// position within the measure, and the region browser that walks them.
#pragma once

#include "finaleframework/collections/fcbrowser.h"

// Record: i32 position within the measure @0 (the unit of region positions); bytes 4-9
// carried unchanged. A cell detail: staff and measure of _cell, incident 0, 1, ...
class FCMidiExpression
    : public FCFixedRecord<FCMidiExpression, __FCCellDetail, "FCMidiExpression", 0x64744D45, 10> {
public:
    using FCFixedRecord::FCFixedRecord;

    // Position of the event within its measure; 0 before a load attempt.
    int32_t GetMeasurePos() const { return _GetField<int32_t>(0); }
    void SetMeasurePos(int32_t position) {
        Allocate();
        _SetField<int32_t>(0, position);
    }
};

// Hands every MIDI expression of a region to a handler, cell by cell. The handler gets
// one working object, reloaded for each record: it must clone what it wants to keep.
class FCBrowserMidiExpressions : public __FCBrowserRegionBase {
public:
    // This browser does not search: always null, without visiting anything.
    __FCBase* FindFirst(FCIteratorHandler* handler) override;
    // Hands the cell's MIDI expressions at positions inside the region to Iterate; false
    // when the handler asked to stop, true otherwise (also for a cell without any).
    bool RegionIterateCellHandler(FCCell* cell, FCIteratorHandler* handler, FCMusicRegion* region) override;
};
