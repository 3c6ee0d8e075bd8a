// Measure number regions: runs of measures with their own start number, prefix and suffix,
// which give the number the score shows for a measure.
#pragma once

#include <string>

#include "finaleframework/collections/fccollection.h"

// A measure number region record. Hosts before 0x0F000000 use an older 88-byte layout; the
// layout is chosen from the running host's version at every call.
class FCMeasureNumberRegion : public __FCNoInciOther {
public:
    static constexpr uint32_t CURRENT_SIZE = 196;
    static constexpr uint32_t OLDER_SIZE = 88;
    static constexpr int PREFIX_WIDTH = 24;

    using __FCNoInciOther::__FCNoInciOther;
    const char* ClassName() override { return "FCMeasureNumberRegion"; }
    uint32_t Tag() override { return 0x534F4D4E; }
    uint32_t DataSize() override;
    void* Allocate() override;
    __FCBaseData* CreateObject(uint32_t version) override { return new FCMeasureNumberRegion(version); }
    void CloneMemoryFrom(__FCBaseData* source) override;

    int16_t GetStartMeasure();
    // The last measure of the region (stored as one past it).
    int16_t GetEndMeasure();
    // The number shown for the start measure (stored as one less).
    int16_t GetStartNumber();
    void SetStartMeasure(int16_t measure);
    void SetEndMeasure(int16_t measure);
    void SetStartNumber(int16_t number);
    // The prefix and suffix inside the record; they need not be terminated there.
    const char* GetPrefix();
    const char* GetSuffix();
    // The prefix and suffix as texts, bounded by their fields.
    std::string GetPrefixText();
    std::string GetSuffixText();
    bool ContainsMeasure(int16_t measure);

private:
    struct Layout {
        int startMeasure, endMeasure, startNumber, prefix, suffix;
        uint32_t size;
    };
    static const Layout& CurrentLayout();
    std::string FieldText(int offset, int width);

    uint8_t _current[CURRENT_SIZE] = {};
    uint8_t _older[OLDER_SIZE] = {};
};

class FCMeasureNumberRegions : public __FCCollectionData {
public:
    // Room for the longest text CalcMeasureNumber writes: prefix, number, suffix, zero.
    static constexpr int TEXT_CAPACITY = FCMeasureNumberRegion::PREFIX_WIDTH + 11 +
                                         (FCMeasureNumberRegion::OLDER_SIZE - 46) + 1;

    const char* ClassName() override { return "FCMeasureNumberRegions"; }
    __FCBaseData* CreateElement(uint32_t version) override { return new FCMeasureNumberRegion(version); }

    // Writes the number the score shows for the measure into text (TEXT_CAPACITY bytes)
    // and returns the index of the region that gave it; -1, text untouched, when no
    // region holds the measure.
    int CalcMeasureNumber(int measure, char* text);
};
