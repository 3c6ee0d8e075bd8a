#include "finaleframework/score/fcmeasure.h"

#include "finaleframework/collections/fcregion.h"
#include "finaleframework/score/fcstaff.h"
#include "finalepdk/finalepdk.h"

namespace {

constexpr uint16_t kKeyDisplayAux = 0x0020;
constexpr uint16_t kKeyDisplayMe = 0x0800;
constexpr uint16_t kTimeDisplayAux = 0x0010;
constexpr uint16_t kTimeDisplayMe = 0x0400;
constexpr uint16_t kFullNames = 0x0800;
constexpr uint16_t kPositioningBits = 0x0007;
// The first host version whose measures carry the full-name flag.
constexpr uint32_t kFullNamesVersion = 0x10000000;

}  // namespace

FCMeasure::~FCMeasure() {
    delete _keySignature;
    _keySignature = nullptr;
}

// Flag words may sit at any byte offset of the record: Set16BitFlag reads them whole.
void FCMeasure::_SetFlag(int offset, uint16_t mask, bool on) {
    if (uint8_t* word = _FieldAddress(offset, sizeof(uint16_t)))
        Set16BitFlag(reinterpret_cast<uint16_t*>(word), mask, on);
}

void FCMeasure::_SetDisplay(DISPLAY_STATES state, uint16_t auxMask, uint16_t meMask) {
    if (state < DISPLAYSTATE_NONE || state > DISPLAYSTATE_SECOND) return;
    _SetAuxFlag(auxMask, state == DISPLAYSTATE_SECOND);
    _SetMeFlag(meMask, state == DISPLAYSTATE_FIRST);
}

FCMeasure::DISPLAY_STATES FCMeasure::_GetDisplay(uint16_t auxMask, uint16_t meMask) const {
    if (_Word(kAuxFlags) & auxMask) return DISPLAYSTATE_SECOND;
    return (_Word(kMeFlags) & meMask) ? DISPLAYSTATE_FIRST : DISPLAYSTATE_NONE;
}

void FCMeasure::SetKeySignatureDisplay(DISPLAY_STATES state) {
    _SetDisplay(state, kKeyDisplayAux, kKeyDisplayMe);
}
FCMeasure::DISPLAY_STATES FCMeasure::GetKeySignatureDisplay() const {
    return _GetDisplay(kKeyDisplayAux, kKeyDisplayMe);
}
void FCMeasure::SetTimeSignatureDisplay(DISPLAY_STATES state) {
    _SetDisplay(state, kTimeDisplayAux, kTimeDisplayMe);
}
FCMeasure::DISPLAY_STATES FCMeasure::GetTimeSignatureDisplay() const {
    return _GetDisplay(kTimeDisplayAux, kTimeDisplayMe);
}

bool FCMeasure::_GetBarlineMask(BARLINE_STYLES style, uint16_t* code) const {
    const bool known = style >= BARLINE_STYLE0 && style <= BARLINE_STYLE6;
    if (code) *code = known ? static_cast<uint16_t>(style) : 0;
    return known;
}

void FCMeasure::_SetBarlineCode(int offset, BARLINE_STYLES style) {
    uint16_t code = 0;
    if (!_GetBarlineMask(style, &code)) return;
    _SetField<uint16_t>(offset, static_cast<uint16_t>((_Word(offset) & 0xFF0F) | (code << 4)));
}

FCMeasure::BARLINE_STYLES FCMeasure::_GetBarlineCode(int offset) const {
    const int code = (_Word(offset) >> 4) & 0x0F;
    return code <= BARLINE_STYLE6 ? static_cast<BARLINE_STYLES>(code) : BARLINE_STYLE0;
}

void FCMeasure::SetBarline(BARLINE_STYLES style) { _SetBarlineCode(kMeFlags, style); }
void FCMeasure::SetLeftBarline(BARLINE_STYLES style) { _SetBarlineCode(kNewFlags, style); }
FCMeasure::BARLINE_STYLES FCMeasure::GetBarline() const { return _GetBarlineCode(kMeFlags); }
FCMeasure::BARLINE_STYLES FCMeasure::GetLeftBarline() const { return _GetBarlineCode(kNewFlags); }

void FCMeasure::SetShowFullNames(bool show) {
    if (RunningFinaleVersion >= kFullNamesVersion) _SetAuxFlag(kFullNames, show);
}

bool FCMeasure::GetShowFullNames() const {
    return RunningFinaleVersion >= kFullNamesVersion && (_Word(kAuxFlags) & kFullNames) != 0;
}

void FCMeasure::SetPositioningNotesMode(POSITIONING_MODES mode) {
    static constexpr uint16_t kCodes[3] = {4, 0, 6};
    if (mode < POSITIONING_MODE0 || mode > POSITIONING_MODE2) return;
    _SetField<uint16_t>(kAuxFlags,
                        static_cast<uint16_t>((_Word(kAuxFlags) & ~kPositioningBits) | kCodes[mode]));
}

FCMeasure::POSITIONING_MODES FCMeasure::GetPositioningNotesMode() const {
    switch (_Word(kAuxFlags) & kPositioningBits) {
        case 4:
            return POSITIONING_MODE0;
        case 0:
            return POSITIONING_MODE1;
        default:
            return POSITIONING_MODE2;
    }
}

FCKeySignature* FCMeasure::GetKeySignature() {
    if (_loadedSize <= 0) return nullptr;
    if (!_keySignature) _keySignature = new FCKeySignature(FINALE_FRAMEWORK_VERSION);
    _keySignature->SetKeyValue(_Word(kKeyValue));
    return _keySignature;
}

__FCBaseData* FCMeasures::CreateElement(uint32_t version) { return new FCMeasure(version); }

void FCMeasures::LoadRegion(FCMusicRegion* region, uint32_t version) {
    _Clear();
    if (!region) return;
    auto* prototype = static_cast<FCMeasure*>(CreateElement(version));
    for (int32_t measure = region->_startMeasure; measure <= region->_endMeasure; ++measure)
        if (prototype->Load(static_cast<uint16_t>(measure))) Add(prototype->CreateClone());
    delete prototype;
}
