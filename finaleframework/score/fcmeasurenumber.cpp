#include "finaleframework/score/fcmeasurenumber.h"

#include <cstdio>

#include "finalepdk/finalepdk.h"

const FCMeasureNumberRegion::Layout& FCMeasureNumberRegion::CurrentLayout() {
    static const Layout kCurrent{132, 134, 140, 142, 166, CURRENT_SIZE};
    static const Layout kOlder{6, 8, 16, 22, 46, OLDER_SIZE};
    return RunningFinaleVersion < 0x0F000000 ? kOlder : kCurrent;
}

uint32_t FCMeasureNumberRegion::DataSize() { return CurrentLayout().size; }

void* FCMeasureNumberRegion::Allocate() {
    return RunningFinaleVersion < 0x0F000000 ? _SetBlock(_older, OLDER_SIZE) : _SetBlock(_current, CURRENT_SIZE);
}

void FCMeasureNumberRegion::CloneMemoryFrom(__FCBaseData* source) {
    const uint32_t size = DataSize();
    memcpy(Allocate(), source->Allocate(), size);
    _loadedSize = static_cast<int32_t>(size);
}

// Accessors work on the storage of the layout in force now, whatever was loaded last.
int16_t FCMeasureNumberRegion::GetStartMeasure() {
    Allocate();
    return _GetField<int16_t>(CurrentLayout().startMeasure);
}
int16_t FCMeasureNumberRegion::GetEndMeasure() {
    Allocate();
    return static_cast<int16_t>(_GetField<int16_t>(CurrentLayout().endMeasure) - 1);
}
int16_t FCMeasureNumberRegion::GetStartNumber() {
    Allocate();
    return static_cast<int16_t>(_GetField<int16_t>(CurrentLayout().startNumber) + 1);
}
void FCMeasureNumberRegion::SetStartMeasure(int16_t measure) {
    Allocate();
    _SetField<int16_t>(CurrentLayout().startMeasure, measure);
}
void FCMeasureNumberRegion::SetEndMeasure(int16_t measure) {
    Allocate();
    _SetField<int16_t>(CurrentLayout().endMeasure, static_cast<int16_t>(measure + 1));
}
void FCMeasureNumberRegion::SetStartNumber(int16_t number) {
    Allocate();
    _SetField<int16_t>(CurrentLayout().startNumber, static_cast<int16_t>(number - 1));
}
const char* FCMeasureNumberRegion::GetPrefix() {
    return reinterpret_cast<const char*>(static_cast<uint8_t*>(Allocate()) + CurrentLayout().prefix);
}
const char* FCMeasureNumberRegion::GetSuffix() {
    return reinterpret_cast<const char*>(static_cast<uint8_t*>(Allocate()) + CurrentLayout().suffix);
}
std::string FCMeasureNumberRegion::GetPrefixText() { return FieldText(CurrentLayout().prefix, PREFIX_WIDTH); }
std::string FCMeasureNumberRegion::GetSuffixText() {
    const Layout& layout = CurrentLayout();
    return FieldText(layout.suffix, static_cast<int>(layout.size) - layout.suffix);
}

std::string FCMeasureNumberRegion::FieldText(int offset, int width) {
    const char* field = reinterpret_cast<const char*>(static_cast<uint8_t*>(Allocate()) + offset);
    return std::string(field, strnlen(field, static_cast<size_t>(width)));
}

bool FCMeasureNumberRegion::ContainsMeasure(int16_t measure) {
    return GetStartMeasure() <= measure && measure <= GetEndMeasure();
}

// The number shown counts from the region's start measure, so that a region starting
// part-way through the document (a later movement) shows its own numbers.
int FCMeasureNumberRegions::CalcMeasureNumber(int measure, char* text) {
    for (int i = 0; i < GetCount(); ++i) {
        auto* region = static_cast<FCMeasureNumberRegion*>(GetItemAt(i));
        if (!region || !region->ContainsMeasure(static_cast<int16_t>(measure))) continue;
        const int number = region->GetStartNumber() + (measure - region->GetStartMeasure());
        snprintf(text, TEXT_CAPACITY, "%s%d%s", region->GetPrefixText().c_str(), number,
                 region->GetSuffixText().c_str());
        return i;
    }
    return -1;
}
