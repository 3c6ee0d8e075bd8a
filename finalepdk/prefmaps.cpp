// The preference maps: where each field of a struct-mapped preference record lives in the
// host's "ot" records, which run of "ot" records a list-mapped tag stands for, and the
// loads and saves that assemble and take apart such records.
#include "finalepdk/prefmaps.h"

#include <algorithm>
#include <bitset>
#include <cstring>

#include "finalepdk/finalepdk.h"

namespace {

// The nine struct tables, fields in table order, which is the order of processing.

// pfPF with item number 0: page format of the score.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTPageFormatPrefsScore_MAP_ARRAY[] = {
    "0:14.0L", "4:15.2L", "8:39.2",  "10:16.0", "12:16.1", "14:16.2", "16:16.3", "18:02.0",
    "20:02.1", "22:02.2", "24:02.3", "26:17.0", "28:17.1", "30:17.3", "32:17.2", "34:01.4",
    "36:02.4", "38:13.5", "40:13.4", "42:02.5", "44:03.0", "46:03.1"};
// pfEX: extracted parts.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTExtractPrefs_MAP_ARRAY[] = {
    "0:77(0,4).1",  "2:77(0,4).2",  "4:77(0,4).3",  "6:77(0,4).4",  "8:77(0,4).5",
    "10:77(0,5).0", "12:77(0,5).1", "14:77(0,5).2", "16:77(0,5).3", "18:77(0,5).4",
    "20:77(0,5).5", "22:77(0,6).0", "24:77(0,6).1", "26:77(0,6).2", "28:77(0,6).3",
    "30:77(0,6).4", "32:77(0,6).5", "34:77(0,7).0", "36:77(0,7).1", "38:77(0,7).2",
    "40:77(0,7).3", "46:77(0,7).4", "48:77(0,7).5", "42:77(0,8).0", "44:77(0,8).1"};
// pfPL: playback.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTPlaybackPrefs_MAP_ARRAY[] = {
    "0:13.1", "2:39.3", "4:36.0", "6:36.5", "8:37.0", "10:37.1", "12:37.2"};
// pfSS: smart shapes.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTSmartShapePrefs_MAP_ARRAY[] = {
    "0:92.0",        "2:92.1",        "4:92.2",         "6:92.3",         "8:FI(11,0).0",  "10:FI(11,0).1",
    "12:FI(12,0).4", "14:FI(11,0).4", "16:FI(12,0).0L", "20:FI(12,0).2L", "24:FI(11,0).2", "26:FI(11,0).5",
    "28:12.5B",      "30:11.5B",      "32:69.4B",       "34:69.5B",       "36:69.2B",      "38:69.3B",
    "40:51.5",       "42:53.5",       "44:51.4",        "46:53.4",        "48:50.4",       "50:53(0,1).0",
    "52:53(0,1).1",  "54:53(0,1).2",  "56:53(0,1).3",   "58:51.0L",       "62:51.2L",      "66:53.2",
    "68:53.0",       "70:53.1",       "72:93.0L",       "76:53.3",        "78:50.5",       "80:50.0",
    "82:50.1",       "84:50.2",       "86:50.3",        "88:97(0,1).0",   "90:97(0,1).1",  "92:97(0,1).2",
    "94:97(0,1).3"};
// pfPB: piano braces.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTPianoBracePrefs_MAP_ARRAY[] = {
    "0:65.2L",  "4:60.2L",  "8:65.4L",  "12:60.4L", "16:61.0L", "20:61.2L",
    "24:61.4L", "28:60.0L", "32:64.2L", "36:45.2L", "40:45.4L"};
// pfRP: repeats.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTRepeatPrefs_MAP_ARRAY[] = {
    "0:70.0",  "2:70.1",  "4:70.2",  "6:70.3",  "8:70.4",  "10:70.5", "12:71.0",
    "14:71.1", "16:71.2", "18:71.3", "20:71.4", "22:71.5", "24:05.3", "26:72.0",
    "28:76.2", "30:72.1", "32:72.2", "34:72.3", "36:72.4", "38:72.5"};
// pfMS: miscellaneous document options.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTMiscDocPrefs_MAP_ARRAY[] = {
    "0:36.4",       "2:03.4",   "4:03.5",       "6:09.5",  "8:36.2",        "10:36.3",  "12:36.1N",
    "14:41.0",      "16:41.1",  "18:20.0",      "20:27.1", "22:01.0",       "24:13.2",  "26:15.4",
    "28:27.0",      "30:27.4",  "32:44.4",      "34:27.2", "36:12.2",       "38:12.3",  "40:12.1",
    "42:41(0,2).1", "44:23.1",  "46:19.2",      "48:19.3", "50:31.5",       "52:19.4B", "54:19.5B",
    "56:44.3",      "58:05.4",  "60:05.5",      "62:13.0", "64:41.5",       "66:12.4",  "68:01.1",
    "70:93.4",      "72:76.4",  "74:93.2",      "76:76.3", "78:17.5",       "80:23.4",  "82:16.5",
    "84:62.0L",     "88:62.2L", "92:41(0,2).0", "94:41.2", "96:41(0,1).3L", "100:76.5", "102:FI(10,0).2"};
// pfSI: sizes.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTSizePrefs_MAP_ARRAY[] = {
    "0:67.2",  "2:58.4",  "4:68.2L", "8:62.4L", "12:03.3", "14:23.0",  "16:14.2", "18:64.1",
    "20:27.3", "22:58.5", "24:59.0", "26:59.1", "28:01.2", "30:59.2",  "32:01.3", "34:97.0L",
    "38:20.4", "40:20.5", "42:03.2", "44:21.2", "46:64.5", "48:97.2L", "52:69.0"};
// pfDP: distances.
constexpr PREFERENCE_LOCATION_MAPRECORD EDTDistancePrefs_MAP_ARRAY[] = {
    "0:21.3",   "2:21.5",  "4:59.3",  "6:59.4",  "8:22.1",  "10:22.2", "12:22.3", "14:67.3", "16:67.4",
    "18:68.4L", "22:20.1", "24:20.2", "26:13.3", "28:19.0", "30:19.1", "32:68.0", "34:21.1", "36:68.1",
    "38:21.0",  "40:27.5", "42:18.0", "44:18.2", "46:18.1", "48:21.4", "50:39.0", "52:39.1", "54:65.0L",
    "58:67.1",  "60:18.5", "62:67.0", "64:18.3", "66:18.4", "68:14.4", "70:14.5", "74:01.5", "72:77(0,4).0"};

constexpr int constMaxPrefFields = 64;

struct StructMap {
    uint32_t tag;
    const PREFERENCE_LOCATION_MAPRECORD* fields;
    int16_t count;
};
template <size_t N>
consteval StructMap Mapped(const char (&tag)[5], const PREFERENCE_LOCATION_MAPRECORD (&fields)[N]) {
    static_assert(N <= constMaxPrefFields);
    return {FourCharTag(tag), fields, static_cast<int16_t>(N)};
}
constexpr StructMap kStructMaps[] = {
    Mapped("pfPF", EDTPageFormatPrefsScore_MAP_ARRAY), Mapped("pfEX", EDTExtractPrefs_MAP_ARRAY),
    Mapped("pfPL", EDTPlaybackPrefs_MAP_ARRAY),        Mapped("pfSS", EDTSmartShapePrefs_MAP_ARRAY),
    Mapped("pfPB", EDTPianoBracePrefs_MAP_ARRAY),      Mapped("pfRP", EDTRepeatPrefs_MAP_ARRAY),
    Mapped("pfMS", EDTMiscDocPrefs_MAP_ARRAY),         Mapped("pfSI", EDTSizePrefs_MAP_ARRAY),
    Mapped("pfDP", EDTDistancePrefs_MAP_ARRAY)};
constexpr uint32_t constPageFormatTag = FourCharTag("pfPF");

// A list-mapped tag: count records of the source tag, item number constSourceItemNo, from
// incident first; the caller's item number must lie in [lowest, highest].
struct ListMap {
    uint32_t tag;
    int16_t lowest, highest;
    bool perItem;  // one record per item number: first = item number - 1
    uint32_t sourceTag;
    int16_t count;
};
consteval ListMap Always(const char (&tag)[5], const char (&source)[5], int16_t count) {
    return {FourCharTag(tag), INT16_MIN, INT16_MAX, false, FourCharTag(source), count};
}
consteval ListMap ItemOne(const char (&tag)[5], const char (&source)[5], int16_t count) {
    return {FourCharTag(tag), 1, 1, false, FourCharTag(source), count};
}
consteval ListMap PerItem(const char (&tag)[5], int16_t highest, const char (&source)[5]) {
    return {FourCharTag(tag), 1, highest, true, FourCharTag(source), 1};
}
constexpr ListMap kListMaps[] = {
    Always("pfGD", "ot79", 1),   Always("pfGG", "ot88", 11),   PerItem("pfGb", 4, "ot98"),
    Always("pfGd", "ot80", 1),   ItemOne("pfGs", "ot91", 1),   Always("pfMM", "ot25", 2),
    Always("pfND", "ot04", 1),   Always("pfNd", "ot66", 1),    ItemOne("pfPF", "ot77", 4),
    Always("pfSC", "ot52", 2),   PerItem("pfSN", 128, "ot40"), Always("pfSP", "ot94", 3),
    PerItem("pfSl", 15, "ot26"), Always("pfTC", "ot86", 5),    Always("pfTI", "ot84", 4),
    Always("pfTX", "ot78", 8),   Always("pfTp", "ot85", 4),    PerItem("pfTs", 9, "ot90")};

// One "ot" record under the item-number-and-incident key (bytes 4 to 7 zero), as six words.
// A record that does not load reads as twelve zero bytes.
struct SourceRecord {
    uint32_t tag;
    RecordKey key{};
    int16_t words[6] = {};

    SourceRecord(uint32_t sourceTag, uint16_t itemNo, int16_t inci) : tag(sourceTag) {
        WriteKeyField<uint16_t>(key, 0, itemNo);
        WriteKeyField<int16_t>(key, 2, inci);
    }
    explicit SourceRecord(const PREFERENCE_LOCATION_MAPRECORD& field)
        : SourceRecord(field.SourceTag(), field.SourceItemNo(), static_cast<int16_t>(field.inci)) {}

    void Load() {
        uint32_t size = constSourceRecordSize;
        if (!FX_LoadEData(tag, &key, words, &size, FINALE_FRAMEWORK_VERSION)) memset(words, 0, sizeof words);
    }
    void Save() { FX_SaveEData(tag, &key, words, constSourceRecordSize, FINALE_FRAMEWORK_VERSION); }
};
static_assert(sizeof(SourceRecord::words) == constSourceRecordSize);

// A 16-bit field's value read from, and written back into, its source word.
int16_t FieldFromWord(int16_t word, MAP_ARRAY_CONVERSION conversion) {
    switch (conversion) {
        case constMapInverted:
            return word == 0 ? 1 : 0;
        case constMapLowByte:
            return static_cast<int16_t>(word & 0xFF);
        default:
            return word;
    }
}
int16_t WordFromField(int16_t field, MAP_ARRAY_CONVERSION conversion) {
    switch (conversion) {
        case constMapInverted:
            return field == 0 ? 1 : 0;
        case constMapLowByte:
            return static_cast<int8_t>(field & 0xFF);
        default:
            return field;
    }
}

// Whether a field lies inside the first `limit` bytes of the caller's buffer.
bool FieldFits(const PREFERENCE_LOCATION_MAPRECORD& field, int32_t limit) {
    return field.offset >= 0 && field.offset + field.Width() <= limit;
}

void FillField(const PREFERENCE_LOCATION_MAPRECORD& field, const int16_t* words, uint8_t* buffer,
               int32_t limit) {
    if (!FieldFits(field, limit)) return;
    if (field.Width() == 4) {
        const uint32_t value = makePrefsFourbytes(words[field.word], words[field.word + 1], field.conversion);
        memcpy(buffer + field.offset, &value, sizeof value);
    } else {
        const int16_t value = FieldFromWord(words[field.word], field.conversion);
        memcpy(buffer + field.offset, &value, sizeof value);
    }
}

// Writes a field of the caller's buffer into its source words; true when a word changed.
bool StoreField(const PREFERENCE_LOCATION_MAPRECORD& field, const uint8_t* buffer, int32_t limit,
                int16_t* words) {
    if (!FieldFits(field, limit)) return false;
    if (field.Width() == 4) {
        uint32_t value;
        memcpy(&value, buffer + field.offset, sizeof value);
        if (value == makePrefsFourbytes(words[field.word], words[field.word + 1], field.conversion))
            return false;
        makePrefsTwobytes(static_cast<int32_t>(value), &words[field.word], &words[field.word + 1],
                          field.conversion);
        return true;
    }
    int16_t value;
    memcpy(&value, buffer + field.offset, sizeof value);
    // A field left as it loads keeps its word, even one the conversion would not write back
    // (an inverted word other than 0 or 1, a low byte stored without its sign).
    if (value == FieldFromWord(words[field.word], field.conversion)) return false;
    const int16_t word = WordFromField(value, field.conversion);
    if (word == words[field.word]) return false;
    words[field.word] = word;
    return true;
}

// Visits every field of a table with its source record, loaded once for all the fields it
// holds, in table order of their first field; when a visit reports that it changed a word,
// the record is saved after its last field.
template <class Visit>
void VisitSourceRecords(const PREFERENCE_LOCATION_MAPRECORD* map, int16_t count, Visit visit) {
    const int16_t fields = std::min<int16_t>(count, constMaxPrefFields);
    std::bitset<constMaxPrefFields> done;
    for (int16_t i = 0; i < fields; ++i) {
        if (done[i]) continue;
        SourceRecord record(map[i]);
        record.Load();
        bool changed = false;
        for (int16_t j = i; j < fields; ++j) {
            if (done[j] || !map[j].SameSource(map[i])) continue;
            if (visit(record, map[j])) changed = true;
            done[j] = true;
        }
        if (changed) record.Save();
    }
}

int16_t LoadStruct(const PREFERENCE_LOCATION_MAPRECORD* map, int16_t count, void* buffer, uint32_t* size) {
    const int32_t total = PrefLayoutSize(map, count);
    if (!buffer) {
        *size = static_cast<uint32_t>(total);
        return 1;
    }
    if (*size < static_cast<uint32_t>(total)) return 0;
    *size = static_cast<uint32_t>(total);
    auto* bytes = static_cast<uint8_t*>(buffer);
    VisitSourceRecords(map, count, [&](SourceRecord& record, const PREFERENCE_LOCATION_MAPRECORD& field) {
        FillField(field, record.words, bytes, total);
        return false;
    });
    return 1;
}

int16_t SaveStruct(const PREFERENCE_LOCATION_MAPRECORD* map, int16_t count, const void* buffer,
                   uint32_t size) {
    const int32_t total = PrefLayoutSize(map, count);
    if (!buffer || size < static_cast<uint32_t>(total)) return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    VisitSourceRecords(map, count, [&](SourceRecord& record, const PREFERENCE_LOCATION_MAPRECORD& field) {
        return StoreField(field, bytes, total, record.words);
    });
    return 1;
}

int16_t LoadList(uint32_t sourceTag, int16_t count, int16_t first, void* buffer, uint32_t* size) {
    const uint32_t total = static_cast<uint32_t>(count) * constSourceRecordSize;
    if (!buffer) {
        *size = total;
        return 1;
    }
    if (*size < total) return 0;
    for (int16_t k = 0; k < count; ++k) {
        SourceRecord record(sourceTag, constSourceItemNo, static_cast<int16_t>(first + k));
        record.Load();
        memcpy(static_cast<uint8_t*>(buffer) + k * constSourceRecordSize, record.words,
               constSourceRecordSize);
    }
    *size = total;
    return 1;
}

int16_t SaveList(uint32_t sourceTag, int16_t count, int16_t first, const void* buffer, uint32_t size) {
    if (!buffer || size < static_cast<uint32_t>(count) * constSourceRecordSize) return 0;
    for (int16_t k = 0; k < count; ++k) {
        SourceRecord record(sourceTag, constSourceItemNo, static_cast<int16_t>(first + k));
        memcpy(record.words, static_cast<const uint8_t*>(buffer) + k * constSourceRecordSize,
               constSourceRecordSize);
        record.Save();
    }
    return 1;
}

}  // namespace

bool mapPrefStruct(uint32_t tag, int16_t itemNo, const PREFERENCE_LOCATION_MAPRECORD** map, int16_t* count) {
    if (tag == constPageFormatTag && itemNo != 0) return false;
    for (const StructMap& mapped : kStructMaps) {
        if (mapped.tag != tag) continue;
        *map = mapped.fields;
        *count = mapped.count;
        return true;
    }
    *map = nullptr;
    *count = 0;
    return false;
}

int32_t PrefLayoutSize(const PREFERENCE_LOCATION_MAPRECORD* map, int16_t count) {
    int32_t total = 0;
    for (int16_t i = 0; map && i < count; ++i) total += map[i].Width();
    return total;
}

void mapPrefTag(uint32_t tag, int16_t itemNo, uint32_t* sourceTag, int16_t* count, int16_t* first) {
    *sourceTag = 0;
    *count = 0;
    *first = 0;
    for (const ListMap& mapped : kListMaps) {
        if (mapped.tag != tag) continue;
        if (itemNo < mapped.lowest || itemNo > mapped.highest) return;
        *sourceTag = mapped.sourceTag;
        *count = mapped.count;
        *first = mapped.perItem ? static_cast<int16_t>(itemNo - 1) : 0;
        return;
    }
}

uint32_t makePrefsFourbytes(int16_t first, int16_t second, MAP_ARRAY_CONVERSION conversion) {
    const uint32_t a = static_cast<uint16_t>(first);
    const uint32_t b = static_cast<uint16_t>(second);
    switch (conversion) {
        case constMapHighFirst:
            return a << 16 | b;
        case constMapLowFirst:
            return b << 16 | a;
        default:
            return 0;
    }
}

void makePrefsTwobytes(int32_t value, int16_t* first, int16_t* second, MAP_ARRAY_CONVERSION conversion) {
    const auto high = static_cast<int16_t>(static_cast<uint32_t>(value) >> 16);
    const auto low = static_cast<int16_t>(value & 0xFFFF);
    if (conversion == constMapHighFirst) {
        *first = high;
        *second = low;
    } else if (conversion == constMapLowFirst) {
        *first = low;
        *second = high;
    }
}

std::optional<int16_t> LoadMappedPrefs(uint32_t tag, int16_t itemNo, void* buffer, uint32_t* size) {
    const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
    int16_t count = 0;
    if (mapPrefStruct(tag, itemNo, &map, &count)) return LoadStruct(map, count, buffer, size);
    uint32_t sourceTag;
    int16_t first;
    mapPrefTag(tag, itemNo, &sourceTag, &count, &first);
    if (sourceTag) return LoadList(sourceTag, count, first, buffer, size);
    return std::nullopt;
}

std::optional<int16_t> SaveMappedPrefs(uint32_t tag, int16_t itemNo, const void* buffer, uint32_t size) {
    const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
    int16_t count = 0;
    if (mapPrefStruct(tag, itemNo, &map, &count)) return SaveStruct(map, count, buffer, size);
    uint32_t sourceTag;
    int16_t first;
    mapPrefTag(tag, itemNo, &sourceTag, &count, &first);
    if (sourceTag) return SaveList(sourceTag, count, first, buffer, size);
    return std::nullopt;
}
