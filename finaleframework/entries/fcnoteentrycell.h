// Holders of entry frames: the entries of one cell (one measure of one staff) over every
// layer the host shows, and the browser that walks a region's entries cell by cell.
#pragma once

#include "finaleframework/collections/fcbrowser.h"
#include "finaleframework/entries/fcnoteentry.h"

// A collection of FCNoteEntry objects over frames its subclass owns.
class __FCNoteEntryCollection : public __FCCollection {
public:
    // Replaces the destination frame's entries by copies of the source's, without the
    // flags of records attached to the source entries; nothing for a null frame.
    void _CopyEntries(EXTGF2005a* source, EXTGF2005a* destination);

protected:
    // Whether the host shows the layer.
    static bool _IsLayerShown(int16_t layer);
    // The frame of a layer of a staff in a measure, found through the staff's slot; null
    // when the host cannot deliver it. The holder frees it.
    static EXTGF2005a* _LoadFrame(int16_t staff, int measure, int16_t layer, int16_t loadFlag);
    // Adds an entry object for every entry of the frame, chained after previous;
    // returns the last one added (previous when the frame has none).
    FCNoteEntry* _AddFrameEntries(EXTGF2005a* frame, FCNoteEntry* previous);

public:

    // The entry at index; null out of range.
    FCNoteEntry* GetEntryAt(int index) const { return static_cast<FCNoteEntry*>(GetItemAt(index)); }
};

class FCNoteEntryCell : public __FCNoteEntryCollection {
public:
    // The layer slots a cell has room for; a host reporting more layers gets these.
    static constexpr int MAX_LAYER_SLOTS = 20;

    FCNoteEntryCell(int32_t measure, int32_t staff) : _measure(measure), _staff(staff) {}
    const char* ClassName() override { return "FCNoteEntryCell"; }
    ~FCNoteEntryCell() override;

    // Loads the frames of every shown layer and builds the entries; false (and nothing
    // held) when the host delivers no frame for a shown layer.
    bool Load();
    // Writes every loaded frame back; false when the host refused any of them.
    bool Save();
    // The entry at index when the region includes its position; null otherwise or when
    // the index is out of range.
    FCNoteEntry* GetRegionItemAt(int index, FCMusicRegion* region);
    // The entry nearest to a position in the measure, within 20000; null when none is.
    FCNoteEntry* FindClosestPos(int32_t position);
    // Builds the entries over the loaded frames, one chain per layer.
    void _SetupEntries();

    int32_t GetMeasure() const { return _measure; }
    int32_t GetStaff() const { return _staff; }
    // The frame of a layer; null when the layer is not loaded or out of range.
    EXTGF2005a* _GetFrame(int layer) const { return layer >= 0 && layer < MAX_LAYER_SLOTS ? _frames[layer] : nullptr; }

private:
    void _FreeFrames();

    EXTGF2005a* _frames[MAX_LAYER_SLOTS] = {};  // owned
    int32_t _measure;
    int32_t _staff;
};

// Walks the entries of a region cell by cell; a handler that sets _saveFlag has each cell
// written back after its walk.
class FCBrowserNoteEntries : public __FCBrowserRegionBase {
public:
    // Finds nothing: always null, without visiting anything.
    __FCBase* FindFirst(FCIteratorHandler* handler) override;
    // Hands each entry of the cell inside the region to Iterate, then applies the notes it
    // marked deleted; false when the handler asked to stop.
    bool RegionIterateCellHandler(FCCell* cell, FCIteratorHandler* handler, FCMusicRegion* region) override;
};
