#include "finaleframework/score/fcstaff.h"

#include "finaleframework/core/fcstring.h"
#include "finaleframework/core/fctext.h"
#include "finaleframework/entries/fcnoteentry.h"

namespace {

// A two's-complement field of the given width, widened.
int SignedField(unsigned value, int bits) {
    const unsigned mask = (1u << bits) - 1;
    value &= mask;
    return value & (1u << (bits - 1)) ? static_cast<int>(value) - static_cast<int>(mask + 1) : static_cast<int>(value);
}

constexpr int kTransposeWord = 20;
constexpr int kNameBlock = 30;

}  // namespace

// The transposition word has two layouts, told apart by bit 0x2000.
int FCStaff::GetTransposeInterval() {
    const uint16_t word = _GetField<uint16_t>(kTransposeWord);
    return word & 0x2000 ? SignedField(word, 8) : SignedField(word >> 6, 6);
}

int FCStaff::GetTransposeAlteration() {
    const uint16_t word = _GetField<uint16_t>(kTransposeWord);
    return word & 0x2000 ? SignedField(word >> 8, 4) : SignedField(word, 6);
}

FCString* FCStaff::CreateFullNameString() {
    FCTextBlock block(FINALE_FRAMEWORK_VERSION);
    // A block that does not load names no raw text: the name is empty.
    if (!block.Load(_GetField<uint16_t>(kNameBlock))) return new FCString();
    return block.CreateRawTextString();
}

int16_t FCKeySignature::CalcSharps() const {
    if (!IsLinear()) return -1;
    const int8_t accidentals = static_cast<int8_t>(GetKeyValue() & 0xFF);
    return accidentals > 0 ? accidentals : 0;
}

int16_t FCKeySignature::CalcFlats() const {
    if (!IsLinear()) return -1;
    const int8_t accidentals = static_cast<int8_t>(GetKeyValue() & 0xFF);
    return accidentals < 0 ? static_cast<int16_t>(-accidentals) : 0;
}

// The root moves up a fifth with each sharp and down a fifth with each flat; entry 7
// equals entry 0 so that a multiple of seven flats lands on it.
int16_t FCKeySignature::CalcScaleRootIndex() const {
    static const int16_t kMajor[8] = {2, 6, 3, 0, 4, 1, 5, 2};
    static const int16_t kMinor[8] = {0, 4, 1, 5, 2, 6, 3, 0};
    if (!IsLinear()) return -1;
    const int16_t* table = (GetKeyValue() >> 8) == 1 ? kMinor : kMajor;
    const int16_t flats = CalcFlats();
    return flats != 0 ? table[7 - flats % 7] : table[CalcSharps() % 7];
}

bool FCCurrentStaffSpec::Load(FCNoteEntry* entry) {
    WriteKeyField<uint16_t>(_recordKey, 0, static_cast<uint16_t>(entry->GetStaff()));
    WriteKeyField<uint16_t>(_recordKey, 2, static_cast<uint16_t>(entry->GetMeasure()));
    WriteKeyField<int32_t>(_recordKey, 4, entry->GetMeasurePos());
    return LoadDataBlock();
}
