#include "finaleframework/collections/fcregion.h"

#include "finalepdk/finalepdk.h"

namespace {

// The staff number the host shows in a slot (taken as signed 16-bit).
int16_t StaffOfSlot(int16_t slot, uint16_t context) {
    return FX_SlotToInst(slot, context, FINALE_FRAMEWORK_VERSION);
}

int16_t CurrentDocument() { return FX_GetCurrentEnigmaDocument(FINALE_FRAMEWORK_VERSION); }

// Copies the eight fields of a host region (bytes 0-19) and notes the current document.
void CopyRegion(FCMusicRegion& target, const EREGION& source) {
    target._startSlotContext = source.startSlotContext;
    target._startSlot = source.startSlot;
    target._startMeasure = source.startMeasure;
    target._startPos = source.startPos;
    target._endSlotContext = source.endSlotContext;
    target._endSlot = source.endSlot;
    target._endMeasure = source.endMeasure;
    target._endPos = source.endPos;
    target._documentID = CurrentDocument();
}

}  // namespace

FCMusicRegion::FCMusicRegion(EREGION* region) {
    if (region) SetEnigmaRegion(region);
}

void FCMusicRegion::SetEnigmaRegion(EREGION* region) {
    if (!region) return;
    EREGION copy{};
    memcpy(&copy, region, 20);
    CopyRegion(*this, copy);
}

void FCMusicRegion::SetFullDocument() {
    // The host fills the current selection into the first region and the extent of the
    // whole document into the second.
    uint8_t count[4] = {};
    EREGION selection{};
    EREGION document{};
    FX_GetCurERegions(count, &selection, &document, FINALE_FRAMEWORK_VERSION);
    CopyRegion(*this, document);
}

bool FCMusicRegion::IsMeasureIncluded(int16_t measure) {
    return _startMeasure <= measure && measure <= _endMeasure;
}

bool FCMusicRegion::IsStaffIncluded(int16_t staff) {
    if (staff < StaffOfSlot(_startSlot, _startSlotContext)) return false;
    return staff <= StaffOfSlot(_endSlot, _endSlotContext);
}

bool FCMusicRegion::IsCellPosWithin(FCCell* cell, int32_t position) {
    if (!cell) return false;
    const auto measure = static_cast<int16_t>(cell->_measure);
    if (!IsMeasureIncluded(measure) || !IsStaffIncluded(static_cast<int16_t>(cell->_staff))) return false;
    if (measure == _startMeasure && _startPos > position) return false;
    if (measure == _endMeasure && _endPos < position) return false;
    return true;
}

bool FCMusicRegion::IsPartial() { return _startPos != 0 || _endPos != 0x7FFFFFFF; }

bool FCMusicRegion::IsCurrentDocument() { return _documentID == CurrentDocument(); }

void FCCells::ApplyRegion(FCMusicRegion* region) {
    _Clear();
    if (!region) return;
    // Every slot is turned into its staff with the start slot's context.
    for (int32_t measure = region->_startMeasure; measure <= region->_endMeasure; ++measure)
        for (int slot = region->_startSlot; slot <= region->_endSlot; ++slot)
            Add(new FCCell(measure, StaffOfSlot(static_cast<int16_t>(slot), region->_startSlotContext)));
}

namespace {

// The collection walk over the cells that pass the filter: null slots and cells that do
// not pass are skipped without a call; the bound is re-read after each call that goes on.
template <class Filter>
int WalkCells(const FCCells& cells, FCIteratorHandler* handler, Filter passes) {
    if (!handler) return 0;
    int count = 0;
    for (int i = 0, n = cells.GetCount(); i < n; ++i) {
        auto* cell = dynamic_cast<FCCell*>(cells.GetItemAt(i));
        if (!cell || !passes(*cell)) continue;
        if (!handler->Iterate(cell)) break;
        ++count;
        n = cells.GetCount();
    }
    return count;
}

}  // namespace

int FCCells::ForEachAtMeasure(int measure, FCIteratorHandler* handler) {
    return WalkCells(*this, handler, [measure](const FCCell& cell) { return cell._measure == measure; });
}

int FCCells::ForEachAtStaff(int staff, FCIteratorHandler* handler) {
    return WalkCells(*this, handler, [staff](const FCCell& cell) { return cell._staff == staff; });
}
