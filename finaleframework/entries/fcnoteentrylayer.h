// The entries of one layer of one staff over a run of measures, one entry frame per
// measure, chained across the measures; copying them to another place with their tuplets.
#pragma once

#include "finaleframework/entries/fcnoteentrycell.h"

class FCNoteEntryLayer : public __FCNoteEntryCollection {
public:
    // An end measure of -1 stands for the last measure the document's measure records
    // count (FCBrowserMeasures::GetCount). Nothing is loaded.
    FCNoteEntryLayer(int16_t layer, int16_t staff, int16_t startMeasure, int16_t endMeasure);
    FCNoteEntryLayer(const FCNoteEntryLayer&) = delete;
    FCNoteEntryLayer& operator=(const FCNoteEntryLayer&) = delete;
    const char* ClassName() override { return "FCNoteEntryLayer"; }
    ~FCNoteEntryLayer() override;

    // Loads the frame of every measure while the host shows the layer and builds the
    // entries; false (nothing held) when a frame is not delivered or the range is empty.
    bool Load();
    // Writes every frame back and re-reads those with entries the host had not numbered;
    // false when the host refused any frame (every frame is still offered).
    bool Save();
    // A copy of this layer's entries, as the document holds them, placed at another layer,
    // staff and start measure; the caller owns it. Without entries when the copy failed.
    FCNoteEntryLayer* CreateCloneEntries(int16_t layer, int16_t staff, int16_t startMeasure);
    // Saves, for each entry, the tuplets that begin on the source's entry at the same
    // index; false (nothing saved) for a source of another entry count, a null source, or
    // entries to receive tuplets that the host has not numbered yet.
    bool CloneTuplets(FCNoteEntryLayer* source);
    // The host's duration of the frame of one measure; 0 outside the range or for a
    // measure without a frame.
    int32_t CalcFrameDuration(int measure);

    // Builds the entries over the frames, one chain through all measures.
    void _SetupEntries();
    // Loads this layer's entries into the frames of another place and takes that place;
    // false (nothing held, place unchanged) when a frame of either place is not delivered.
    bool _LoadRedir(int16_t layer, int16_t staff, int16_t startMeasure);
    // Re-reads a saved frame, re-points its entries at the fresh copy and frees the old
    // one; the fresh frame, or the old one (kept, entries unchanged) when the host
    // delivers none or a frame of another entry count.
    EXTGF2005a* _SilentTGFUpdate(EXTGF2005a* frame);

    int16_t GetLayerIndex() const { return _layerIndex; }
    int16_t GetStaff() const { return _staff; }
    int16_t GetStartMeasure() const { return _startMeasure; }
    int16_t GetEndMeasure() const { return _endMeasure; }
    int32_t GetFrameCount() const { return _frameCount; }
    // The frame of a measure; null outside the range or when the measure has none.
    EXTGF2005a* _GetFrame(int measure) const;

private:
    // Deletes the entries, frees every frame and the table.
    void _Release();
    // A fresh table of n null slots; false (no table) when n is 0 or less.
    bool _MakeTable(int n);

    int16_t _layerIndex;
    int16_t _staff;
    int16_t _startMeasure;
    int16_t _endMeasure;
    bool _onlyShown = true;
    int32_t _frameCount = 0;
    EXTGF2005a** _frames = nullptr;  // owned, with the frames in it
};
