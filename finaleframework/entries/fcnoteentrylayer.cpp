#include "finaleframework/entries/fcnoteentrylayer.h"

#include "finalepdk/finalepdk.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;

// Whether the frame holds an entry inserted since it was loaded: the host numbers those
// when it saves the frame.
bool HasUnnumberedEntry(const EXTGF2005a* frame) {
    const EXENTRY* entries = FrameEntries(frame);
    for (int i = 0; i < FrameEntryCount(frame); ++i)
        if (entries[i].entryNumber == 0) return true;
    return false;
}

}  // namespace

FCNoteEntryLayer::FCNoteEntryLayer(int16_t layer, int16_t staff, int16_t startMeasure, int16_t endMeasure)
    : _layerIndex(layer), _staff(staff), _startMeasure(startMeasure), _endMeasure(endMeasure) {
    if (_endMeasure == -1) {
        FCBrowserMeasures measures;
        _endMeasure = static_cast<int16_t>(measures.GetCount());
    }
}

FCNoteEntryLayer::~FCNoteEntryLayer() { _Release(); }

// The entries go first: they point into the frames.
void FCNoteEntryLayer::_Release() {
    _Clear();
    if (_frames) {
        for (int i = 0; i < _frameCount; ++i)
            if (_frames[i]) FX_FreeTGF(_frames[i], V);
        delete[] _frames;
        _frames = nullptr;
    }
    _frameCount = 0;
}

bool FCNoteEntryLayer::_MakeTable(int n) {
    if (n <= 0) return false;
    _frameCount = n;
    _frames = new EXTGF2005a*[n]();
    return true;
}

EXTGF2005a* FCNoteEntryLayer::_GetFrame(int measure) const {
    const int slot = measure - _startMeasure;
    if (!_frames || slot < 0 || slot >= _frameCount) return nullptr;
    return _frames[slot];
}

bool FCNoteEntryLayer::Load() {
    _Release();
    if (!_MakeTable(_endMeasure - _startMeasure + 1)) return false;
    for (int i = 0; i < _frameCount; ++i) {
        // The host is asked once per measure, whether or not only shown layers count.
        if (!_IsLayerShown(_layerIndex) && _onlyShown) continue;
        _frames[i] = _LoadFrame(_staff, _startMeasure + i, _layerIndex, 1);
        if (!_frames[i]) {
            _Release();
            return false;
        }
    }
    _SetupEntries();
    return true;
}

// The chain runs across the measures without a break.
void FCNoteEntryLayer::_SetupEntries() {
    FCNoteEntry* previous = nullptr;
    for (int i = 0; _frames && i < _frameCount; ++i)
        if (_frames[i]) previous = _AddFrameEntries(_frames[i], previous);
}

bool FCNoteEntryLayer::Save() {
    bool result = true;
    for (int i = 0; _frames && i < _frameCount; ++i) {
        EXTGF2005a* frame = _frames[i];
        if (!frame) continue;
        const bool reread = HasUnnumberedEntry(frame);
        if (!(FX_SaveTGF(frame, V) & 0xFFFF)) result = false;
        if (reread) _frames[i] = _SilentTGFUpdate(frame);
    }
    return result;
}

// The host delivers a saved frame's entries in the same order; a re-read of another
// entry count cannot be matched to the entries, so the old frame then stays.
EXTGF2005a* FCNoteEntryLayer::_SilentTGFUpdate(EXTGF2005a* old) {
    if (!old) return old;
    EXTGF2005a* fresh = FX_LoadTGF(old->firstKey, old->slot, old->measure, old->layer, 0, V);
    if (!fresh) return old;
    if (FrameEntryCount(fresh) != FrameEntryCount(old)) {
        FX_FreeTGF(fresh, V);
        return old;
    }
    for (int i = 0; i < GetCount(); ++i) {
        FCNoteEntry* entry = GetEntryAt(i);
        if (!entry || entry->_GetFrame() != old) continue;
        const int32_t index = entry->_CalcTGFIndex();
        if (index >= 0) entry->_Repoint(&FrameEntries(fresh)[index], fresh);
    }
    FX_FreeTGF(old, V);
    return fresh;
}

// A measure whose source frame is not delivered fails the whole copy, as a missing
// destination frame does: no copy is made from a frame that is not there.
bool FCNoteEntryLayer::_LoadRedir(int16_t layer, int16_t staff, int16_t startMeasure) {
    _Release();
    if (!_MakeTable(_endMeasure - _startMeasure + 1)) return false;
    for (int i = 0; i < _frameCount; ++i) {
        if (!_IsLayerShown(_layerIndex) && _onlyShown) continue;
        _frames[i] = _LoadFrame(staff, startMeasure + i, layer, 0);
        EXTGF2005a* source = _frames[i] ? _LoadFrame(_staff, _startMeasure + i, _layerIndex, 0) : nullptr;
        if (!source) {
            _Release();
            return false;
        }
        _CopyEntries(source, _frames[i]);
        FX_FreeTGF(source, V);
    }
    _staff = staff;
    _endMeasure = static_cast<int16_t>(startMeasure + _endMeasure - _startMeasure);
    _startMeasure = startMeasure;
    _layerIndex = layer;
    _SetupEntries();
    return true;
}

FCNoteEntryLayer* FCNoteEntryLayer::CreateCloneEntries(int16_t layer, int16_t staff, int16_t startMeasure) {
    // Built with an end of 0 and given this layer's end, so that no end needs the document.
    auto* clone = new FCNoteEntryLayer(_layerIndex, _staff, _startMeasure, 0);
    clone->_endMeasure = _endMeasure;
    clone->_LoadRedir(layer, staff, startMeasure);
    return clone;
}

bool FCNoteEntryLayer::CloneTuplets(FCNoteEntryLayer* source) {
    if (!source || GetCount() != source->GetCount()) return false;
    EDTTuplet2005 tuplet;
    // Tuplets are keyed by entry number: an entry the host has not numbered has no key.
    for (int i = 0; i < GetCount(); ++i) {
        FCNoteEntry* from = source->GetEntryAt(i);
        FCNoteEntry* to = GetEntryAt(i);
        if (!from || !to) return false;
        if ((from->GetFlags() & ENTRY_TUPLET_START) && from->_GetTupletDef(0, &tuplet) &&
            to->GetEntryNumber() == 0)
            return false;
    }
    for (int i = 0; i < GetCount(); ++i) {
        FCNoteEntry* from = source->GetEntryAt(i);
        FCNoteEntry* to = GetEntryAt(i);
        if (!(from->GetFlags() & ENTRY_TUPLET_START)) continue;
        int found = 0;
        for (int k = 0; k <= INT16_MAX && from->_GetTupletDef(static_cast<int16_t>(k), &tuplet); ++k) {
            RecordKey key{};
            WriteKeyField<int32_t>(key, 0, to->GetEntryNumber());
            WriteKeyField<int16_t>(key, 4, static_cast<int16_t>(k));
            FX_SaveEData(EDTTUPLET2005_TAG, &key, &tuplet, EDTTUPLET2005_SIZE, V);
            ++found;
        }
        to->_SetEntryFlag(ENTRY_TUPLET_START, found > 0);
    }
    return true;
}

int32_t FCNoteEntryLayer::CalcFrameDuration(int measure) {
    EXTGF2005a* frame = _GetFrame(measure);
    return frame ? FX_GetTGFDuration(frame, V) : 0;
}
