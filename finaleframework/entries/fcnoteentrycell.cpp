#include "finaleframework/entries/fcnoteentrycell.h"

#include <cstdlib>

#include "finalepdk/finalepdk.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;

// Whether layer slot i is in use: the host is asked before each step, and a host that
// reports more layers than a cell has slots gets the cell's slots.
bool LayerSlotInUse(int i) { return i < FCNoteEntryCell::MAX_LAYER_SLOTS && i < FX_GetMaxLayers(V); }

}  // namespace

// Each copy keeps the entry number of the record it lands on; no more records are written
// than the destination holds after the host's insertion.
void __FCNoteEntryCollection::_CopyEntries(EXTGF2005a* source, EXTGF2005a* destination) {
    if (!source || !destination) return;
    FX_DeleteEXENTRY(destination, 0, static_cast<int16_t>(FrameEntryCount(destination)), V);
    const int count = FrameEntryCount(source);
    FX_InsertEXENTRY(destination, 0, static_cast<int16_t>(count), V);
    for (int i = 0; i < count && i < FrameEntryCount(destination); ++i) {
        EXENTRY* to = &FrameEntries(destination)[i];
        const int32_t entryNumber = to->entryNumber;
        memcpy(to, &FrameEntries(source)[i], sizeof(EXENTRY));
        to->entryNumber = entryNumber;
        to->flags = to->flags & ENTRY_COPY_MASK;
        to->flags2 = to->flags2 & ENTRY_COPY_MASK2;
    }
}

FCNoteEntryCell::~FCNoteEntryCell() {
    _Clear();
    _FreeFrames();
}

// Every slot is freed, whatever the host reports now, so that no frame is ever lost.
void FCNoteEntryCell::_FreeFrames() {
    for (EXTGF2005a*& frame : _frames) {
        if (frame) FX_FreeTGF(frame, V);
        frame = nullptr;
    }
}

bool FCNoteEntryCell::Load() {
    _Clear();
    _FreeFrames();
    for (int i = 0; LayerSlotInUse(i); ++i) {
        const auto layer = static_cast<int16_t>(i);
        if (!_IsLayerShown(layer)) continue;
        _frames[i] = _LoadFrame(static_cast<int16_t>(_staff), _measure, layer, 1);
        if (!_frames[i]) {
            _Clear();
            _FreeFrames();
            return false;
        }
    }
    _SetupEntries();
    return true;
}

bool __FCNoteEntryCollection::_IsLayerShown(int16_t layer) { return (FX_GetShowLayer(layer, V) & 0xFFFF) != 0; }

EXTGF2005a* __FCNoteEntryCollection::_LoadFrame(int16_t staff, int measure, int16_t layer, int16_t loadFlag) {
    const int16_t slot = FX_InstToSlot(staff, 0, V);
    return FX_LoadTGF(0, slot, static_cast<int16_t>(measure), layer, loadFlag, V);
}

FCNoteEntry* __FCNoteEntryCollection::_AddFrameEntries(EXTGF2005a* frame, FCNoteEntry* previous) {
    for (int j = 0; j < FrameEntryCount(frame); ++j) {
        auto* entry = new FCNoteEntry(&FrameEntries(frame)[j], frame, previous);
        entry->_UpdateNoteCollection();
        if (previous) previous->_SetNext(entry);
        Add(entry);
        previous = entry;
    }
    return previous;
}

// The chain restarts with each layer.
void FCNoteEntryCell::_SetupEntries() {
    for (int i = 0; LayerSlotInUse(i); ++i)
        if (_frames[i]) _AddFrameEntries(_frames[i], nullptr);
}

bool FCNoteEntryCell::Save() {
    bool result = true;
    for (int i = 0; LayerSlotInUse(i); ++i)
        if (_frames[i] && !(FX_SaveTGF(_frames[i], V) & 0xFFFF)) result = false;
    return result;
}

FCNoteEntry* FCNoteEntryCell::GetRegionItemAt(int index, FCMusicRegion* region) {
    FCNoteEntry* entry = GetEntryAt(index);
    if (!entry || !region) return nullptr;
    const int32_t position = entry->GetMeasurePos();
    if (_measure == region->_startMeasure && position < region->_startPos) return nullptr;
    if (_measure == region->_endMeasure && position > region->_endPos) return nullptr;
    return entry;
}

FCNoteEntry* FCNoteEntryCell::FindClosestPos(int32_t position) {
    FCNoteEntry* best = nullptr;
    int64_t bestDistance = 20000;
    for (int i = 0; i < GetCount(); ++i) {
        FCNoteEntry* entry = GetEntryAt(i);
        if (!entry) continue;
        const int64_t distance = std::llabs(static_cast<int64_t>(entry->GetMeasurePos()) - position);
        if (distance < bestDistance) {
            best = entry;
            bestDistance = distance;
        }
    }
    return best;
}

__FCBase* FCBrowserNoteEntries::FindFirst(FCIteratorHandler*) { return nullptr; }

bool FCBrowserNoteEntries::RegionIterateCellHandler(FCCell* cell, FCIteratorHandler* handler, FCMusicRegion* region) {
    if (!cell || !handler) return true;
    auto* entries = new FCNoteEntryCell(cell->_measure, cell->_staff);
    entries->Load();
    bool result = true;
    for (int i = 0; result && i < entries->GetCount(); ++i) {
        FCNoteEntry* entry = entries->GetRegionItemAt(i, region);
        if (!entry) continue;
        result = handler->Iterate(entry);
        entry->_PackEXENTRYNotes();
    }
    if (handler->_saveFlag) entries->Save();
    delete entries;
    return result;
}
