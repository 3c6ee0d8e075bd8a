// The preference maps as data: the nine struct tables, the list-mapped tags and the two
// word conversions. Loads and saves through the maps are in edata_test.cpp.
#include "finalepdk/prefmaps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct StructTable {
    const char* name;
    uint32_t tag;
    int16_t fields;
    int32_t bytes;
};

class StructTableTest : public ::testing::TestWithParam<StructTable> {};

TEST_P(StructTableTest, FieldsCoverTheRecordExactlyWithTheStatedCountAndSize) {
    const StructTable& table = GetParam();
    const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
    int16_t count = -1;
    ASSERT_TRUE(mapPrefStruct(table.tag, 0, &map, &count));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(count, table.fields);
    EXPECT_EQ(PrefLayoutSize(map, count), table.bytes);

    std::vector<int> covered(table.bytes, 0);
    for (int16_t i = 0; i < count; ++i) {
        const PREFERENCE_LOCATION_MAPRECORD& field = map[i];
        const int offset = field.offset, width = field.Width(), word = field.word;
        ASSERT_GE(offset, 0) << "field " << i;
        ASSERT_LE(offset + width, table.bytes) << "field " << i;
        EXPECT_LE(word + width / 2, 6) << "field " << i;
        EXPECT_EQ(field.SourceTag() >> 16, 0x6F74u) << "field " << i;
        for (int b = offset; b < offset + width; ++b) ++covered[b];
    }
    for (int b = 0; b < table.bytes; ++b) EXPECT_EQ(covered[b], 1) << "byte " << b;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, StructTableTest,
    ::testing::Values(StructTable{"PageFormatScore", 0x70665046, 22, 48},
                      StructTable{"Extract", 0x70664558, 25, 50}, StructTable{"Playback", 0x7066504C, 7, 14},
                      StructTable{"SmartShape", 0x70665353, 43, 96},
                      StructTable{"PianoBrace", 0x70665042, 11, 44},
                      StructTable{"Repeat", 0x70665250, 20, 40}, StructTable{"MiscDoc", 0x70664D53, 49, 104},
                      StructTable{"Size", 0x70665349, 23, 54}, StructTable{"Distance", 0x70664450, 36, 76}),
    [](const auto& info) { return std::string(info.param.name); });

// The field of a table at a byte offset, as (tag, item number, incident, word, size, conversion).
std::tuple<uint32_t, int, int, int, int, int> FieldAt(uint32_t tag, int offset) {
    const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
    int16_t count = 0;
    mapPrefStruct(tag, 0, &map, &count);
    for (int16_t i = 0; i < count; ++i)
        if (map[i].offset == offset)
            return {map[i].SourceTag(), map[i].SourceItemNo(), map[i].inci,
                    map[i].word,        map[i].Width(),        map[i].conversion};
    return {};
}

TEST(PrefNotation, EveryFormOfTheNotationReadsAsWritten) {
    using F = std::tuple<uint32_t, int, int, int, int, int>;
    const uint32_t pfMS = 0x70664D53, pfSS = 0x70665353;
    EXPECT_EQ(FieldAt(pfMS, 0), (F{0x6F743336, 0xFFFE, 0, 4, 2, constMapWord}));
    EXPECT_EQ(FieldAt(pfMS, 12), (F{0x6F743336, 0xFFFE, 0, 1, 2, constMapInverted}));
    EXPECT_EQ(FieldAt(pfMS, 42), (F{0x6F743431, 0xFFFE, 2, 1, 2, constMapWord}));
    EXPECT_EQ(FieldAt(pfMS, 52), (F{0x6F743139, 0xFFFE, 0, 4, 2, constMapLowByte}));
    EXPECT_EQ(FieldAt(pfMS, 96), (F{0x6F743431, 0xFFFE, 1, 3, 4, constMapHighFirst}));
    EXPECT_EQ(FieldAt(pfMS, 102), (F{0x6F744649, 10, 0, 2, 2, constMapWord}));
    EXPECT_EQ(FieldAt(pfSS, 16), (F{0x6F744649, 12, 0, 0, 4, constMapHighFirst}));
    EXPECT_EQ(FieldAt(0x70664558, 46), (F{0x6F743737, 0xFFFE, 7, 4, 2, constMapWord}));

    constexpr PREFERENCE_LOCATION_MAPRECORD byNotation("7:AB(300,9).5B");
    EXPECT_EQ(byNotation.SourceTag(), 0x6F744142u);
    EXPECT_EQ(byNotation.SourceItemNo(), 300);
    EXPECT_EQ(byNotation.inci, 9);
    EXPECT_EQ(byNotation.offset, 7);
}

TEST(PrefNotation, FourCharTagReadsFromTheMostSignificantByteDown) {
    EXPECT_EQ(FourCharTag("pfPF"), 0x70665046u);
    EXPECT_EQ(FourCharTag("ot98"), 0x6F743938u);
    EXPECT_EQ(FourCharTag("SOSS"), 0x534F5353u);
}

TEST(MapPrefStruct, PageFormatIsStructMappedOnlyWithItemNumberZero) {
    const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
    int16_t count = 0;
    EXPECT_TRUE(mapPrefStruct(0x70665046, 0, &map, &count));
    EXPECT_EQ(count, 22);

    const auto* untouched = reinterpret_cast<const PREFERENCE_LOCATION_MAPRECORD*>(0x1234);
    map = untouched;
    count = 99;
    for (int16_t item : {1, 2, -1}) {
        EXPECT_FALSE(mapPrefStruct(0x70665046, item, &map, &count));
        EXPECT_EQ(map, untouched);
        EXPECT_EQ(count, 99);
    }

    EXPECT_TRUE(mapPrefStruct(0x70664D53, 7, &map, &count)) << "other tables have no condition";
    EXPECT_EQ(count, 49);
    EXPECT_FALSE(mapPrefStruct(0x70664744, 0, &map, &count));
    EXPECT_EQ(map, nullptr);
    EXPECT_EQ(count, 0);
}

struct ListCase {
    const char* name;
    uint32_t tag;
    int16_t itemNo;
    uint32_t sourceTag;
    int16_t count;
    int16_t first;
};

class MapPrefTagTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(MapPrefTagTest, GivesTheRunOfSourceRecords) {
    const ListCase& c = GetParam();
    uint32_t sourceTag = 0xDEAD;
    int16_t count = 77, first = 77;
    mapPrefTag(c.tag, c.itemNo, &sourceTag, &count, &first);
    EXPECT_EQ(sourceTag, c.sourceTag);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(first, c.first);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, MapPrefTagTest,
    ::testing::Values(
        ListCase{"GD", 0x70664744, 0, 0x6F743739, 1, 0},
        ListCase{"GD_AnyItem", 0x70664744, -5, 0x6F743739, 1, 0},
        ListCase{"GG", 0x70664747, 0, 0x6F743838, 11, 0}, ListCase{"Gb_1", 0x70664762, 1, 0x6F743938, 1, 0},
        ListCase{"Gb_4", 0x70664762, 4, 0x6F743938, 1, 3}, ListCase{"Gb_0", 0x70664762, 0, 0, 0, 0},
        ListCase{"Gb_5", 0x70664762, 5, 0, 0, 0}, ListCase{"Gd", 0x70664764, 3, 0x6F743830, 1, 0},
        ListCase{"Gs_1", 0x70664773, 1, 0x6F743931, 1, 0}, ListCase{"Gs_2", 0x70664773, 2, 0, 0, 0},
        ListCase{"MM", 0x70664D4D, 0, 0x6F743235, 2, 0}, ListCase{"ND", 0x70664E44, 0, 0x6F743034, 1, 0},
        ListCase{"Nd", 0x70664E64, 0, 0x6F743636, 1, 0}, ListCase{"PF_1", 0x70665046, 1, 0x6F743737, 4, 0},
        ListCase{"PF_0", 0x70665046, 0, 0, 0, 0}, ListCase{"PF_2", 0x70665046, 2, 0, 0, 0},
        ListCase{"SC", 0x70665343, 0, 0x6F743532, 2, 0},
        ListCase{"SN_128", 0x7066534E, 128, 0x6F743430, 1, 127}, ListCase{"SN_129", 0x7066534E, 129, 0, 0, 0},
        ListCase{"SP", 0x70665350, 0, 0x6F743934, 3, 0}, ListCase{"Sl_15", 0x7066536C, 15, 0x6F743236, 1, 14},
        ListCase{"Sl_16", 0x7066536C, 16, 0, 0, 0}, ListCase{"TC", 0x70665443, 0, 0x6F743836, 5, 0},
        ListCase{"TI", 0x70665449, 0, 0x6F743834, 4, 0}, ListCase{"TX", 0x70665458, 0, 0x6F743738, 8, 0},
        ListCase{"Tp", 0x70665470, 0, 0x6F743835, 4, 0}, ListCase{"Ts_9", 0x70665473, 9, 0x6F743930, 1, 8},
        ListCase{"Ts_0", 0x70665473, 0, 0, 0, 0}, ListCase{"StructTag", 0x70664D53, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrefWords, FourbytesJoinsUnsignedHalvesByConversion) {
    EXPECT_EQ(makePrefsFourbytes(0x1234, 0x5678, constMapHighFirst), 0x12345678u);
    EXPECT_EQ(makePrefsFourbytes(0x1234, 0x5678, constMapLowFirst), 0x56781234u);
    EXPECT_EQ(makePrefsFourbytes(-1, 1, constMapHighFirst), 0xFFFF0001u);
    EXPECT_EQ(makePrefsFourbytes(1, -2, constMapHighFirst), 0x0001FFFEu);
    EXPECT_EQ(makePrefsFourbytes(-2, 1, constMapLowFirst), 0x0001FFFEu);
    for (auto other : {constMapWord, constMapInverted, constMapLowByte, static_cast<MAP_ARRAY_CONVERSION>(9)})
        EXPECT_EQ(makePrefsFourbytes(0x1234, 0x5678, other), 0u) << other;
}

TEST(PrefWords, TwobytesSplitsByConversionAndIsTheInverseOfFourbytes) {
    int16_t first = 0, second = 0;
    makePrefsTwobytes(0x12345678, &first, &second, constMapHighFirst);
    EXPECT_EQ(first, 0x1234);
    EXPECT_EQ(second, 0x5678);
    makePrefsTwobytes(0x12345678, &first, &second, constMapLowFirst);
    EXPECT_EQ(first, 0x5678);
    EXPECT_EQ(second, 0x1234);
    first = second = 7;
    makePrefsTwobytes(0x12345678, &first, &second, constMapInverted);
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, 7);

    for (auto conversion : {constMapHighFirst, constMapLowFirst})
        for (uint32_t value : {0u, 1u, 0x0000FFFFu, 0xFFFF0000u, 0x80017FFEu, 0xFFFFFFFFu}) {
            makePrefsTwobytes(static_cast<int32_t>(value), &first, &second, conversion);
            EXPECT_EQ(makePrefsFourbytes(first, second, conversion), value) << conversion << " " << value;
        }
}

}  // namespace
