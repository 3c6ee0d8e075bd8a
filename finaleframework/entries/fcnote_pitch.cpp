// A note's pitch as the reader of the score sees it: its letter in the key of its
// measure, its full alteration, and its displacement under the clef and transposition.
#include "finaleframework/entries/fcnote.h"
#include "finaleframework/entries/fcnoteentry.h"
#include "finaleframework/score/fcmeasure.h"
#include "finaleframework/score/fcstaff.h"

namespace {

constexpr uint16_t kLastLinearKey = 0x01FF;

// The key value of the measure the entry lies in, through the measure's key signature;
// false when the measure does not load.
bool MeasureKey(FCNoteEntry* entry, uint16_t* keyValue, int16_t* root, int16_t* sharps, int16_t* flats) {
    FCMeasure measure(FINALE_FRAMEWORK_VERSION);
    measure.Load(static_cast<uint16_t>(entry->GetMeasure()));
    FCKeySignature* key = measure.GetKeySignature();
    if (!key) return false;
    if (keyValue) *keyValue = key->GetKeyValue();
    if (root) *root = key->CalcScaleRootIndex();
    if (sharps) *sharps = key->CalcSharps();
    if (flats) *flats = key->CalcFlats();
    return true;
}

}  // namespace

int16_t FCNote::CalcActualDisplacement() {
    int32_t displacement = GetDisplacement();
    if (!_entry) return static_cast<int16_t>(displacement);
    const int16_t clefIndex = _entry->_GetEntryRecord()->clefIndex;
    FCClefDef clef(FINALE_FRAMEWORK_VERSION);
    if (clef.Load(clefIndex)) displacement += clef.GetDisplacementOffset();
    FCCurrentStaffSpec staff(FINALE_FRAMEWORK_VERSION);
    if (staff.Load(_entry)) displacement += staff.GetTransposeInterval();
    return static_cast<int16_t>(displacement);
}

char FCNote::CalcPitchChar() {
    if (!_entry || _entry->IsRest()) return 0;
    int16_t root = 0;
    if (!MeasureKey(_entry, nullptr, &root, nullptr, nullptr)) return 0;
    int r = (root + GetDisplacement()) % 7;
    if (r < 0) r += 7;
    return static_cast<char>('A' + r);
}

// Sharps fall on F, C, G, D, A, E, B (letter indices 5, 2, 6, 3, 0, 4, 1), flats on
// B, E, A, D, G, C, F; a count beyond seven starts the order again.
int16_t FCNote::CalcPitchRaiseLower() {
    if (!_entry || _entry->IsRest()) return 0;
    uint16_t keyValue = 0;
    int16_t sharps = 0, flats = 0;
    if (!MeasureKey(_entry, &keyValue, nullptr, &sharps, &flats)) return 0;
    if (keyValue > kLastLinearKey) return 0;
    const char pitch = CalcPitchChar();
    if (pitch == 0) return 0;
    const int letter = pitch - 'A';
    int adjust = 0;
    if (sharps > 0) {
        for (int i = 0; i < sharps; ++i)
            if (letter == (5 + 4 * i) % 7) ++adjust;
    } else {
        for (int i = 0; i < flats; ++i)
            if (letter == (1 + 3 * i) % 7) --adjust;
    }
    return static_cast<int16_t>(GetRaiseLower() + adjust);
}
