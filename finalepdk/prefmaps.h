// Preference records that the host keeps only as fields of its 12-byte "ot" records (six
// 16-bit words each). A struct-mapped preference tag is assembled from fields of several
// such records; a list-mapped one stands for a run of consecutive records of one "ot" tag.
#pragma once

#include <cstdint>
#include <optional>

// The tag named by four characters, the first in the most significant byte ("pfMS").
consteval uint32_t FourCharTag(const char (&chars)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(chars[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(chars[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(chars[2])) << 8 | static_cast<uint8_t>(chars[3]);
}

// "ot" followed by two characters: the tags of the host's source records.
constexpr uint32_t constOtherTagBase = 0x6F740000;
// Size of one source record; the item number under which the host keeps the source records.
constexpr uint32_t constSourceRecordSize = 12;
constexpr uint16_t constSourceItemNo = 0xFFFE;

// How a preference field and its source words convert into each other.
enum MAP_ARRAY_CONVERSION : int32_t {
    constMapWord = 0,       // 16-bit: the word itself
    constMapHighFirst = 1,  // 32-bit: word w is the high half, word w+1 the low half
    constMapLowFirst = 2,   // 32-bit: word w is the low half, word w+1 the high half
    constMapInverted = 3,   // 16-bit: 1 when the word is 0, else 0
    constMapLowByte = 4     // 16-bit: the word's low byte; saved sign-extended
};

// One field of a struct-mapped preference record and the source word it lives in.
// Tables are written in the notation "offset:NN.w", "offset:NN(item,incident).w", with a
// suffix L (32-bit, high half first), N (inverted) or B (low byte); the notation is checked
// while compiling. Which fields a mapped call has handled is kept by the call itself, so
// the tables stay constant.
struct PREFERENCE_LOCATION_MAPRECORD {
    char sourceChars[2];  // third and fourth characters of the source tag
    uint16_t itemNo;      // 0 stands for constSourceItemNo
    uint16_t inci;
    int16_t offset;  // in the preference record
    int16_t word;    // 0 to 5 in the source record
    int16_t size;    // 4 for a 32-bit field, anything else is 2
    MAP_ARRAY_CONVERSION conversion;

    consteval PREFERENCE_LOCATION_MAPRECORD(const char* notation);

    // The source record's tag and item number as the host knows them.
    constexpr uint32_t SourceTag() const {
        return constOtherTagBase | static_cast<uint32_t>(static_cast<uint8_t>(sourceChars[0])) << 8 |
               static_cast<uint8_t>(sourceChars[1]);
    }
    constexpr uint16_t SourceItemNo() const { return itemNo == 0 ? constSourceItemNo : itemNo; }
    // Bytes the field takes in the preference record.
    constexpr int16_t Width() const { return size == 4 ? 4 : 2; }
    constexpr bool SameSource(const PREFERENCE_LOCATION_MAPRECORD& other) const {
        return sourceChars[0] == other.sourceChars[0] && sourceChars[1] == other.sourceChars[1] &&
               itemNo == other.itemNo && inci == other.inci;
    }
};

namespace prefmaps_detail {
// Reading the notation; a throw makes a malformed field a compile error.
consteval int Number(const char*& text) {
    if (*text < '0' || *text > '9') throw "a number is expected";
    int value = 0;
    while (*text >= '0' && *text <= '9') value = value * 10 + (*text++ - '0');
    return value;
}
consteval void Expect(const char*& text, char c) {
    if (*text++ != c) throw "malformed preference field";
}
}  // namespace prefmaps_detail

consteval PREFERENCE_LOCATION_MAPRECORD::PREFERENCE_LOCATION_MAPRECORD(const char* notation)
    : sourceChars{}, itemNo(0), inci(0), offset(0), word(0), size(2), conversion(constMapWord) {
    using namespace prefmaps_detail;
    const char* text = notation;
    offset = static_cast<int16_t>(Number(text));
    Expect(text, ':');
    if (!text[0] || !text[1]) throw "two source characters are expected";
    sourceChars[0] = *text++;
    sourceChars[1] = *text++;
    if (*text == '(') {
        ++text;
        itemNo = static_cast<uint16_t>(Number(text));
        Expect(text, ',');
        inci = static_cast<uint16_t>(Number(text));
        Expect(text, ')');
    }
    Expect(text, '.');
    word = static_cast<int16_t>(Number(text));
    if (*text == 'L') {
        size = 4;
        conversion = constMapHighFirst;
    } else if (*text == 'N') {
        conversion = constMapInverted;
    } else if (*text == 'B') {
        conversion = constMapLowByte;
    }
    if (conversion != constMapWord) ++text;
    if (*text) throw "unexpected characters after a preference field";
    if (word + Width() / 2 > 6) throw "a field must lie inside the source record's six words";
}

// The table of a struct-mapped tag and its number of fields, and true. pfPF is struct-
// mapped only with item number 0: with any other it returns false and writes nothing; any
// other tag gets a null table and 0, and false.
bool mapPrefStruct(uint32_t tag, int16_t itemNo, const PREFERENCE_LOCATION_MAPRECORD** map, int16_t* count);
// Bytes of the preference record that a table describes: the sum of its field widths.
int32_t PrefLayoutSize(const PREFERENCE_LOCATION_MAPRECORD* map, int16_t count);

// The run of "ot" records that a list-mapped tag stands for; sourceTag is 0 when the tag is
// not list-mapped or the item number fails its condition (count and first then 0).
void mapPrefTag(uint32_t tag, int16_t itemNo, uint32_t* sourceTag, int16_t* count, int16_t* first);

// Two source words joined into a 32-bit field by a conversion (1 or 2); 0 for any other.
uint32_t makePrefsFourbytes(int16_t first, int16_t second, MAP_ARRAY_CONVERSION conversion);
// A 32-bit field split into two source words by a conversion (1 or 2); any other writes
// nothing.
void makePrefsTwobytes(int32_t value, int16_t* first, int16_t* second, MAP_ARRAY_CONVERSION conversion);

// A mapped preference record loaded into a buffer (null: only its size into *size), or
// saved from one: 1, or 0 when the buffer is missing or smaller than the record; nullopt
// when the tag is not mapped for this item number.
std::optional<int16_t> LoadMappedPrefs(uint32_t tag, int16_t itemNo, void* buffer, uint32_t* size);
std::optional<int16_t> SaveMappedPrefs(uint32_t tag, int16_t itemNo, const void* buffer, uint32_t size);
