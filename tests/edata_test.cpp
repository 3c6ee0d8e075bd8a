// The data-record wrappers: version rules, the host workarounds, and preference records
// assembled from and taken apart into the host's "ot" records.
#include "finalepdk/edata.h"

#include <array>
#include <cstring>
#include <set>

#include "finalepdk/prefmaps.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t pfMS = 0x70664D53, pfDP = 0x70664450, pfPF = 0x70665046, pfGb = 0x70664762;
constexpr uint32_t pfGG = 0x70664747, pfMM = 0x70664D4D;
using Words = std::array<int16_t, 6>;

// A key as the host's call log shows it: item number, incident and bytes 4 to 7.
int64_t LoggedKey(uint16_t item, int16_t inci = 0, uint32_t high = 0) {
    return static_cast<int64_t>(high) << 32 | static_cast<int64_t>(static_cast<uint16_t>(inci)) << 16 | item;
}

class EDataTest : public HostTest {
protected:
    void SetSource(uint32_t tag, uint16_t item, int16_t inci, const Words& words) {
        Bytes bytes(12);
        memcpy(bytes.data(), words.data(), 12);
        document.SetRecord(tag, OtherKey(item, inci), bytes);
    }
    Words Source(uint32_t tag, uint16_t item, int16_t inci) {
        Words words{};
        const Bytes* bytes = document.FindRecord(tag, OtherKey(item, inci));
        if (bytes) memcpy(words.data(), bytes->data(), std::min<size_t>(bytes->size(), 12));
        return words;
    }
    // Every source record of a table, with words that tell records and words apart.
    void FillSources(uint32_t tag) {
        const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
        int16_t count = 0;
        mapPrefStruct(tag, 0, &map, &count);
        for (int16_t i = 0; i < count; ++i) {
            Words words;
            for (int w = 0; w < 6; ++w) words[w] = static_cast<int16_t>(0x100 * (i + 1) + 0x11 * (w + 1));
            if (!document.FindRecord(map[i].SourceTag(), OtherKey(map[i].SourceItemNo(), map[i].inci)))
                SetSource(map[i].SourceTag(), map[i].SourceItemNo(), map[i].inci, words);
        }
    }
    int16_t Load(uint32_t tag, int16_t item, void* buffer, uint32_t* size, uint32_t version = V) {
        RecordKey key = OtherKey(static_cast<uint16_t>(item));
        return FX_LoadEData(tag, &key, buffer, size, version);
    }
    int16_t Save(uint32_t tag, int16_t item, const void* buffer, uint32_t size, uint32_t version = V) {
        RecordKey key = OtherKey(static_cast<uint16_t>(item));
        return FX_SaveEData(tag, &key, buffer, size, version);
    }
    template <class T>
    static T At(const uint8_t* buffer, int offset) {
        T value;
        memcpy(&value, buffer + offset, sizeof value);
        return value;
    }
    template <class T>
    static void Put(uint8_t* buffer, int offset, T value) {
        memcpy(buffer + offset, &value, sizeof value);
    }
};

// ---- Struct-mapped preference records ----

TEST_F(EDataTest, MiscDocPrefsLoadsEachSourceRecordOnceAndFillsEveryField) {
    uint32_t size = 0;
    EXPECT_EQ(Load(pfMS, 0, nullptr, &size), 1);
    EXPECT_EQ(size, 104u);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 0);

    FillSources(pfMS);
    uint8_t buffer[104];
    memset(buffer, 0xAB, sizeof buffer);
    size = sizeof buffer;
    ASSERT_EQ(Load(pfMS, 0, buffer, &size), 1);
    EXPECT_EQ(size, 104u);

    std::set<std::pair<int64_t, int64_t>> sources;
    for (const HostCall& call : host.CallsTo("FX_LoadEData")) {
        EXPECT_EQ(call.args[0] >> 16, 0x6F74);
        EXPECT_EQ(call.args[3], 12);
        EXPECT_EQ(call.args[4], V);
        sources.insert({call.args[0], call.args[1]});
    }
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 23);
    EXPECT_EQ(sources.size(), 23u);
    EXPECT_EQ(sources.count({0x6F744649, LoggedKey(10, 0)}), 1u);
    EXPECT_EQ(sources.count({0x6F743431, LoggedKey(0xFFFE, 2)}), 1u);

    const PREFERENCE_LOCATION_MAPRECORD* map = nullptr;
    int16_t count = 0;
    mapPrefStruct(pfMS, 0, &map, &count);
    for (int16_t i = 0; i < count; ++i) {
        const Words words = Source(map[i].SourceTag(), map[i].SourceItemNo(), map[i].inci);
        const int w = map[i].word;
        switch (map[i].conversion) {
            case constMapHighFirst:
                EXPECT_EQ(At<uint32_t>(buffer, map[i].offset),
                          uint32_t(uint16_t(words[w])) << 16 | uint16_t(words[w + 1]))
                    << "offset " << map[i].offset;
                break;
            case constMapInverted:
                EXPECT_EQ(At<int16_t>(buffer, map[i].offset), words[w] == 0 ? 1 : 0);
                break;
            case constMapLowByte:
                EXPECT_EQ(At<int16_t>(buffer, map[i].offset), words[w] & 0xFF);
                break;
            default:
                EXPECT_EQ(At<int16_t>(buffer, map[i].offset), words[w]) << "offset " << map[i].offset;
        }
    }
}

TEST_F(EDataTest, MappedLoadIntoATooSmallBufferFailsWithoutTouchingHostOrBuffer) {
    FillSources(pfMS);
    uint8_t buffer[104];
    memset(buffer, 0xAB, sizeof buffer);
    uint32_t size = 103;
    EXPECT_EQ(Load(pfMS, 0, buffer, &size), 0);
    EXPECT_EQ(size, 103u);
    EXPECT_EQ(host.Calls().size(), 0u);
    for (uint8_t b : buffer) ASSERT_EQ(b, 0xAB);
}

TEST_F(EDataTest, ConversionsReadAndWriteTheirSourceWords) {
    SetSource(0x6F743336, 0xFFFE, 0, {0, 0, 0, 0, 0, 0});            // ot36: word 1 -> offset 12 (N)
    SetSource(0x6F743139, 0xFFFE, 0, {1, 2, 3, 4, 0x1234, 0x7F80});  // ot19: words 4, 5 -> 52, 54 (B)
    SetSource(0x6F743632, 0xFFFE, 0, {0x0001, 0x0002, 9, 9, 9, 9});  // ot62: words 0-1 -> 84 (L)
    uint8_t buffer[104];
    uint32_t size = sizeof buffer;
    ASSERT_EQ(Load(pfMS, 0, buffer, &size), 1);
    EXPECT_EQ(At<int16_t>(buffer, 12), 1);
    EXPECT_EQ(At<int16_t>(buffer, 52), 0x34);
    EXPECT_EQ(At<int16_t>(buffer, 54), 0x80);
    EXPECT_EQ(At<uint32_t>(buffer, 84), 0x00010002u);

    Put<int16_t>(buffer, 12, 0);
    Put<int16_t>(buffer, 52, 0x00FF);
    Put<int16_t>(buffer, 54, 0x0112);
    Put<uint32_t>(buffer, 84, 0xAAAABBBB);
    ASSERT_EQ(Save(pfMS, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(Source(0x6F743336, 0xFFFE, 0), (Words{0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Source(0x6F743139, 0xFFFE, 0), (Words{1, 2, 3, 4, -1, 0x12}));
    EXPECT_EQ(Source(0x6F743632, 0xFFFE, 0), (Words{int16_t(0xAAAA), int16_t(0xBBBB), 9, 9, 9, 9}));

    Put<int16_t>(buffer, 12, 5);
    ASSERT_EQ(Save(pfMS, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(Source(0x6F743336, 0xFFFE, 0)[1], 0);
    SetSource(0x6F743336, 0xFFFE, 0, {0, 7, 0, 0, 0, 0});
    ASSERT_EQ(Load(pfMS, 0, buffer, &size), 1);
    EXPECT_EQ(At<int16_t>(buffer, 12), 0);
}

TEST_F(EDataTest, SavingWhatWasLoadedWritesNoSourceRecordAndAChangeWritesOnlyItsRecord) {
    FillSources(pfDP);
    uint8_t buffer[76];
    uint32_t size = sizeof buffer;
    ASSERT_EQ(Load(pfDP, 0, buffer, &size), 1);
    host.ClearCalls();
    EXPECT_EQ(Save(pfDP, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);

    const Words before = Source(0x6F743638, 0xFFFE, 0);  // ot68: words 4-5 -> offset 18 (L)
    Put<uint32_t>(buffer, 18, 0x00050006);
    host.ClearCalls();
    EXPECT_EQ(Save(pfDP, 0, buffer, sizeof buffer), 1);
    ASSERT_EQ(host.CallCount("FX_SaveEData"), 1);
    const HostCall save = host.CallsTo("FX_SaveEData")[0];
    EXPECT_EQ(save.args, (std::vector<int64_t>{0x6F743638, LoggedKey(0xFFFE, 0), 1, 12, V}));
    Words after = before;
    after[4] = 5;
    after[5] = 6;
    EXPECT_EQ(Source(0x6F743638, 0xFFFE, 0), after);
}

TEST_F(EDataTest, FieldsLeftAsLoadedKeepWordsTheConversionWouldNotWriteBack) {
    SetSource(0x6F743336, 0xFFFE, 0, {0, 7, 0, 0, 0, 0});       // offset 12 (N) loads 0
    SetSource(0x6F743139, 0xFFFE, 0, {0, 0, 0, 0, 0x0080, 0});  // offset 52 (B) loads 0x80
    uint8_t buffer[104];
    uint32_t size = sizeof buffer;
    ASSERT_EQ(Load(pfMS, 0, buffer, &size), 1);
    EXPECT_EQ(At<int16_t>(buffer, 12), 0);
    EXPECT_EQ(At<int16_t>(buffer, 52), 0x80);
    host.ClearCalls();
    EXPECT_EQ(Save(pfMS, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);

    Put<int16_t>(buffer, 12, 1);
    Put<int16_t>(buffer, 52, 0x81);
    EXPECT_EQ(Save(pfMS, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 2);
    EXPECT_EQ(Source(0x6F743336, 0xFFFE, 0)[1], 0);
    EXPECT_EQ(Source(0x6F743139, 0xFFFE, 0)[4], -127);
}

TEST_F(EDataTest, OnlySavesAreGatedByVersion) {
    FillSources(pfDP);
    uint8_t buffer[76] = {};
    EXPECT_EQ(Save(pfDP, 0, buffer, sizeof buffer, 0x07FFFFFF), 1);
    ASSERT_EQ(host.Calls().size(), 1u);
    EXPECT_EQ(host.Calls()[0].args, (std::vector<int64_t>{pfDP, LoggedKey(0), 1, 76, 0x07FFFFFF}));

    host.ClearCalls();
    EXPECT_EQ(Save(pfDP, 0, buffer, sizeof buffer, 0x08000000), 1);
    EXPECT_GT(host.CallCount("FX_SaveEData"), 0);
    for (const HostCall& call : host.Calls()) EXPECT_EQ(call.args[0] >> 16, 0x6F74) << call.name;

    host.ClearCalls();
    uint32_t size = sizeof buffer;
    EXPECT_EQ(Load(pfDP, 0, buffer, &size, 0x07FFFFFF), 1);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 15) << "one load per source record";
    for (const HostCall& call : host.Calls()) EXPECT_EQ(call.args[0] >> 16, 0x6F74) << call.name;
}

TEST_F(EDataTest, MappedSaveRefusesAMissingOrShortBuffer) {
    uint8_t buffer[104] = {};
    EXPECT_EQ(Save(pfMS, 0, nullptr, 104), 0);
    EXPECT_EQ(Save(pfMS, 0, buffer, 103), 0);
    EXPECT_EQ(host.Calls().size(), 0u);
}

TEST_F(EDataTest, AMissingSourceRecordReadsAsZerosAndIsWrittenOnlyWhenAFieldChangesIt) {
    uint8_t buffer[104];
    memset(buffer, 0xAB, sizeof buffer);
    uint32_t size = sizeof buffer;
    ASSERT_EQ(Load(pfMS, 0, buffer, &size), 1);
    for (int offset = 0; offset < 104; offset += 2)
        EXPECT_EQ(At<int16_t>(buffer, offset), offset == 12 ? 1 : 0) << "offset " << offset;

    host.ClearCalls();
    EXPECT_EQ(Save(pfMS, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);
    EXPECT_EQ(document.RecordCount(0x6F743336), 0);

    Put<int16_t>(buffer, 10, 42);  // ot36 word 3
    EXPECT_EQ(Save(pfMS, 0, buffer, sizeof buffer), 1);
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 1);
    EXPECT_EQ(Source(0x6F743336, 0xFFFE, 0), (Words{0, 0, 0, 42, 0, 0}));
}

// ---- List-mapped preference records ----

TEST_F(EDataTest, ListMappedTagReadsTheRecordOfItsItemNumber) {
    SetSource(0x6F743938, 0xFFFE, 2, {1, 2, 3, 4, 5, 6});
    Words buffer{};
    uint32_t size = 12;
    ASSERT_EQ(Load(pfGb, 3, buffer.data(), &size), 1);
    EXPECT_EQ(buffer, (Words{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(size, 12u);
    ASSERT_EQ(host.Calls().size(), 1u);
    EXPECT_EQ(host.Calls()[0].args, (std::vector<int64_t>{0x6F743938, LoggedKey(0xFFFE, 2), 1, 12, V}));

    host.ClearCalls();
    EXPECT_EQ(Load(pfGb, 5, buffer.data(), &size), 0);
    ASSERT_EQ(host.Calls().size(), 1u);
    EXPECT_EQ(host.Calls()[0].args[0], pfGb);
}

TEST_F(EDataTest, ListMappedLoadNeedsRoomForEveryRecord) {
    for (int16_t inci = 0; inci < 11; ++inci)
        SetSource(0x6F743838, 0xFFFE, inci, {inci, 0, 0, 0, 0, int16_t(-inci)});
    uint32_t size = 0;
    EXPECT_EQ(Load(pfGG, 0, nullptr, &size), 1);
    EXPECT_EQ(size, 132u);

    std::array<int16_t, 66> buffer{};
    size = 131;
    EXPECT_EQ(Load(pfGG, 0, buffer.data(), &size), 0);
    EXPECT_EQ(host.Calls().size(), 0u);

    size = 132;
    ASSERT_EQ(Load(pfGG, 0, buffer.data(), &size), 1);
    EXPECT_EQ(size, 132u);
    const auto calls = host.CallsTo("FX_LoadEData");
    ASSERT_EQ(calls.size(), 11u);
    for (int16_t k = 0; k < 11; ++k) {
        EXPECT_EQ(calls[k].args[1], LoggedKey(0xFFFE, k));
        EXPECT_EQ(buffer[6 * k], k);
        EXPECT_EQ(buffer[6 * k + 5], -k);
    }
}

TEST_F(EDataTest, ListMappedSaveWritesEveryRecordOfTheRun) {
    const std::array<int16_t, 12> buffer{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(Save(pfMM, 0, buffer.data(), 23), 0);
    EXPECT_EQ(Save(pfMM, 0, nullptr, 24), 0);
    EXPECT_EQ(host.Calls().size(), 0u);

    EXPECT_EQ(Save(pfMM, 0, buffer.data(), 24), 1);
    const auto calls = host.CallsTo("FX_SaveEData");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].args, (std::vector<int64_t>{0x6F743235, LoggedKey(0xFFFE, 1), 1, 12, V}));
    EXPECT_EQ(Source(0x6F743235, 0xFFFE, 0), (Words{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Source(0x6F743235, 0xFFFE, 1), (Words{7, 8, 9, 10, 11, 12}));
}

TEST_F(EDataTest, PageFormatHasTwoFacesByItemNumber) {
    FillSources(pfPF);
    uint8_t buffer[48];
    uint32_t size = sizeof buffer;
    ASSERT_EQ(Load(pfPF, 0, buffer, &size), 1);
    EXPECT_EQ(At<uint32_t>(buffer, 0), 0x01110122u) << "the page format table: ot14 words 0-1";
    for (const HostCall& call : host.Calls()) EXPECT_NE(call.args[0], 0x6F743737);

    host.ClearCalls();
    for (int16_t inci = 0; inci < 4; ++inci) SetSource(0x6F743737, 0xFFFE, inci, {inci, 0, 0, 0, 0, 0});
    size = sizeof buffer;
    ASSERT_EQ(Load(pfPF, 1, buffer, &size), 1);
    const auto calls = host.CallsTo("FX_LoadEData");
    ASSERT_EQ(calls.size(), 4u);
    for (int16_t k = 0; k < 4; ++k) {
        EXPECT_EQ(calls[k].args[0], 0x6F743737);
        EXPECT_EQ(calls[k].args[1], LoggedKey(0xFFFE, k));
        EXPECT_EQ(At<int16_t>(buffer, 12 * k), k);
    }

    host.ClearCalls();
    EXPECT_EQ(Load(pfPF, 2, buffer, &size), 0);
    ASSERT_EQ(host.Calls().size(), 1u);
    EXPECT_EQ(host.Calls()[0].args[0], pfPF);
}

// ---- Version rules ----

struct VersionCase {
    const char* name;
    uint32_t tag;
    int32_t size;
    uint32_t version;
    uint32_t expected;
    const char* warning;
};

class VersionRuleTest : public HostTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionRuleTest, CorrectsTheVersionAndWarnsOnContradictions) {
    const VersionCase& c = GetParam();
    uint32_t tag = c.tag, version = c.version;
    HandleEnigmaVersion(tag, c.size, version);
    EXPECT_EQ(version, c.expected);
    EXPECT_EQ(tag, c.tag);
    if (!c.warning) {
        EXPECT_TRUE(host.alerts.empty());
        return;
    }
    ASSERT_EQ(host.alerts, std::vector<std::string>{c.warning});
    const std::vector<int64_t> args = host.CallsTo("FX_AlertMessage")[0].args;
    EXPECT_EQ(args[0], 0);
    EXPECT_EQ(args[1], 0);
    EXPECT_EQ(args[2], 0);
    EXPECT_EQ(args[4], V);
}

constexpr const char* kGfhold =
    "Warning to plug-in developer: EDTGfhold2004 used with wrong version parameter";
constexpr const char* kTextBlock =
    "Warning to plug-in developer: EDTTextBlock2004 used with wrong version parameter";
constexpr const char* kShape =
    "Warning to plug-in developer: EDTShapeExpression2004 used with wrong version parameter";

INSTANTIATE_TEST_SUITE_P(
    Rules, VersionRuleTest,
    ::testing::Values(VersionCase{"SOMS26_Old", 0x534F4D53, 26, 0x09FFFFFF, 0x0A000000, nullptr},
                      VersionCase{"SOMS26_New", 0x534F4D53, 26, 0x0A000000, 0x0A000000, nullptr},
                      VersionCase{"SOMS26_Framework", 0x534F4D53, 26, V, V, nullptr},
                      VersionCase{"SOMS24", 0x534F4D53, 24, V, 0x09000000, nullptr},
                      VersionCase{"SOMS_Size0", 0x534F4D53, 0, 0x01000000, 0x01000000, nullptr},
                      VersionCase{"SOSS28_Old", 0x534F5353, 28, 0x09FFFFFF, 0x0A000000, nullptr},
                      VersionCase{"SOSS28_New", 0x534F5353, 28, V, V, nullptr},
                      VersionCase{"OldSOSS28", 0x4F025353, 28, 0x05000000, 0x0A000000, nullptr},
                      VersionCase{"SOSS24_Old", 0x534F5353, 24, 0x05FFFFFF, 0x06000000, nullptr},
                      VersionCase{"SOSS24_New", 0x534F5353, 24, 0x06000000, 0x06000000, nullptr},
                      VersionCase{"OldSOSS24", 0x4F025353, 24, 0x01000000, 0x06000000, nullptr},
                      VersionCase{"SOSS22", 0x534F5353, 22, V, 0x05000000, nullptr},
                      VersionCase{"OldSOSS22", 0x4F025353, 22, V, 0x05000000, nullptr},
                      VersionCase{"SOIS66", 0x534F4953, 66, V, 0x05000000, nullptr},
                      VersionCase{"SOIS102", 0x534F4953, 102, 0x01000000, 0x08000000, nullptr},
                      VersionCase{"SOIS114_Framework", 0x534F4953, 114, V, V, nullptr},
                      VersionCase{"SDGF12_Above", 0x53444746, 12, 0x08000001, 0x08000000, nullptr},
                      VersionCase{"SDGF12_At", 0x53444746, 12, 0x08000000, 0x08000000, nullptr},
                      VersionCase{"SDGF10_Old", 0x53444746, 10, 0x08FFFFFF, 0x09000000, kGfhold},
                      VersionCase{"SDGF10_New", 0x53444746, 10, 0x09000000, 0x09000000, nullptr},
                      VersionCase{"SOTX48", 0x534F5458, 48, V, 0x08000000, nullptr},
                      VersionCase{"SOTX48_Old", 0x534F5458, 48, 0x07000000, 0x07000000, nullptr},
                      VersionCase{"SOTX26_Old", 0x534F5458, 26, 0x08000000, 0x09000000, kTextBlock},
                      VersionCase{"SOTX26_Framework", 0x534F5458, 26, V, V, nullptr},
                      VersionCase{"otDO12", 0x6F74444F, 12, V, 0x08000000, nullptr},
                      VersionCase{"otDO34_Old", 0x6F74444F, 34, 0x05000000, 0x09000000, kShape},
                      VersionCase{"otDO34_New", 0x6F74444F, 34, 0x09000000, 0x09000000, nullptr},
                      VersionCase{"OtherTag", pfMS, 26, 0x01000000, 0x01000000, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EDataTest, LoadAndTheNeighbourWrappersPassTheCorrectedVersion) {
    RecordKey key = OtherKey(1);
    uint8_t buffer[66] = {};
    uint32_t size = 22;
    FX_LoadEData(0x534F5353, &key, buffer, &size, V);
    FX_SaveEData(0x534F4953, &key, buffer, 66, V);
    FX_CreateEData(0x534F5353, &key, buffer, 22, V);
    FX_NextEData(0x534F5353, &key, nullptr, 22, V);
    FX_PreviousEData(0x534F5353, &key, nullptr, 24, 0x05000000);
    FX_DeleteEData(0x534F5353, &key, 0x01000000);
    const std::vector<std::pair<std::string, int64_t>> expected{
        {"FX_LoadEData", 0x05000000}, {"FX_SaveEData", 0x05000000},     {"FX_CreateEData", 0x05000000},
        {"FX_NextEData", 0x05000000}, {"FX_PreviousEData", 0x06000000}, {"FX_DeleteEData", 0x01000000}};
    std::vector<std::pair<std::string, int64_t>> seen;
    for (const HostCall& call : host.Calls()) seen.push_back({call.name, call.args.back()});
    EXPECT_EQ(seen, expected);
}

TEST_F(EDataTest, ContradictingSizeWarnsOnEveryCallAndGoesOnWithTheCorrectedVersion) {
    RecordKey key = OtherKey(1);
    uint8_t buffer[12] = {};
    uint32_t size = 10;
    FX_LoadEData(0x53444746, &key, buffer, &size, 0x08000000);
    size = 10;
    FX_LoadEData(0x53444746, &key, buffer, &size, 0x08000000);
    size = 10;
    FX_LoadEData(0x53444746, &key, buffer, &size, V);
    EXPECT_EQ(host.alerts, (std::vector<std::string>{kGfhold, kGfhold}));
    const auto loads = host.CallsTo("FX_LoadEData");
    ASSERT_EQ(loads.size(), 3u);
    EXPECT_EQ(loads[0].args[4], 0x09000000);
    EXPECT_EQ(loads[2].args[4], V);
}

// ---- Load workarounds ----

struct FilledOnFailure {
    const char* name;
    uint32_t tag;
    uint32_t bytes;
};

class FilledOnFailureTest : public HostTest, public ::testing::WithParamInterface<FilledOnFailure> {};

TEST_P(FilledOnFailureTest, FailureCountsAsSuccessWhenTheHostWroteIntoTheClearedBytes) {
    const FilledOnFailure& c = GetParam();
    uint8_t buffer[128];
    RecordKey key = OtherKey(3);
    int writeAt = -1;
    host.loadEDataOverride = [&](uint32_t, RecordKey*, void* into, uint32_t*, uint32_t) -> int16_t {
        if (writeAt >= 0) static_cast<uint8_t*>(into)[writeAt] = 1;
        return 0;
    };
    memset(buffer, 0xEE, sizeof buffer);
    uint32_t size = c.bytes;
    EXPECT_EQ(FX_LoadEData(c.tag, &key, buffer, &size, V), 0);
    for (uint32_t b = 0; b < c.bytes; ++b) ASSERT_EQ(buffer[b], 0) << b;
    EXPECT_EQ(buffer[c.bytes], 0xEE);

    writeAt = static_cast<int>(c.bytes) - 1;
    EXPECT_EQ(FX_LoadEData(c.tag, &key, buffer, &size, V), 1);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 2);

    // A smaller buffer is cleared only as far as it reaches.
    memset(buffer, 0xEE, sizeof buffer);
    writeAt = -1;
    size = 20;
    EXPECT_EQ(FX_LoadEData(c.tag, &key, buffer, &size, V), 0);
    EXPECT_EQ(buffer[19], 0);
    EXPECT_EQ(buffer[20], 0xEE);
}

TEST_P(FilledOnFailureTest, SuccessAsksTheHostASecondTime) {
    const FilledOnFailure& c = GetParam();
    document.SetRecord(c.tag, OtherKey(3), Bytes(c.bytes, 7));
    uint8_t buffer[128] = {};
    RecordKey key = OtherKey(3);
    uint32_t size = c.bytes;
    EXPECT_EQ(FX_LoadEData(c.tag, &key, buffer, &size, V), 1);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 2);
    EXPECT_EQ(buffer[c.bytes - 1], 7);
    size = 0;
    EXPECT_EQ(FX_LoadEData(c.tag, &key, nullptr, &size, V), 1) << "no buffer: no workaround";
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 3);
}

INSTANTIATE_TEST_SUITE_P(Tags, FilledOnFailureTest,
                         ::testing::Values(FilledOnFailure{"ArticulationDef", 0x4F044958, 48},
                                           FilledOnFailure{"O9fI", 0x4F096649, 108}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EDataTest, StaffStyleDefKnownOnlyByItsOtRecordReadsAsEmpty) {
    const uint32_t SOSD = 0x534F5344, otSD = 0x6F745344;
    SetSource(otSD, 5, 0, {1, 1, 1, 1, 1, 1});
    RecordKey key = OtherKey(5, 3);
    WriteKeyField<uint32_t>(key, 4, 0x11223344);
    uint8_t buffer[80];
    memset(buffer, 0xEE, sizeof buffer);
    uint32_t size = sizeof buffer;
    EXPECT_EQ(FX_LoadEData(SOSD, &key, buffer, &size, V), 1);
    EXPECT_EQ(size, 80u);
    for (int b = 0; b < 66; ++b) ASSERT_EQ(buffer[b], 0) << b;
    EXPECT_EQ(buffer[66], 0xEE);
    const auto calls = host.CallsTo("FX_LoadEData");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].args, (std::vector<int64_t>{otSD, LoggedKey(5, 0, 0x11223344), 1, 12, V}));

    memset(buffer, 0xEE, sizeof buffer);
    size = 40;
    EXPECT_EQ(FX_LoadEData(SOSD, &key, buffer, &size, V), 1);
    EXPECT_EQ(size, 40u);
    EXPECT_EQ(buffer[39], 0);
    EXPECT_EQ(buffer[40], 0xEE);

    size = 0;
    EXPECT_EQ(FX_LoadEData(SOSD, &key, nullptr, &size, V), 1);
    EXPECT_EQ(size, 66u);

    RecordKey other = OtherKey(6);
    size = sizeof buffer;
    EXPECT_EQ(FX_LoadEData(SOSD, &other, buffer, &size, V), 0);

    document.SetRecord(SOSD, OtherKey(6), Bytes(66, 9));
    host.ClearCalls();
    EXPECT_EQ(FX_LoadEData(SOSD, &other, buffer, &size, V), 1);
    EXPECT_EQ(host.CallCount("FX_LoadEData"), 2) << "the host succeeded: asked a second time";
    EXPECT_EQ(buffer[65], 9);
}

TEST_F(EDataTest, LoadWithoutASizeCountFailsWithoutCallingTheHost) {
    RecordKey key = OtherKey(1);
    uint8_t buffer[12];
    EXPECT_EQ(FX_LoadEData(0x6F741111, &key, buffer, nullptr, V), 0);
    EXPECT_EQ(host.Calls().size(), 0u);
}

}  // namespace
