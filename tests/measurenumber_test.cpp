// Measure number regions and the number the score shows for a measure.
#include "finaleframework/score/fcmeasurenumber.h"
#include "tests/support.h"

namespace {

std::string Number(int measure, int* index = nullptr) {
    FCMeasureNumberRegions regions;
    regions.LoadAll(FINALE_FRAMEWORK_VERSION);
    char text[FCMeasureNumberRegions::TEXT_CAPACITY];
    strcpy(text, "untouched");
    const int found = regions.CalcMeasureNumber(measure, text);
    if (index) *index = found;
    return found == -1 ? "-1:" + std::string(text) : text;
}

}  // namespace

TEST_F(HostTest, ShownNumberCountsFromTheRegionsStartNumber) {
    document.AddMeasureNumberRegion(1, 20, 1);
    int index = -2;
    EXPECT_EQ(Number(7, &index), "7");
    EXPECT_EQ(index, 0);
    EXPECT_EQ(Number(21), "-1:untouched");
    EXPECT_EQ(Number(0), "-1:untouched");
}

TEST_F(HostTest, ShownNumberOfALaterMovementCountsFromItsOwnStartMeasure) {
    document.AddMeasureNumberRegion(1, 9, 1);
    document.AddMeasureNumberRegion(10, 30, 1);
    document.AddMeasureNumberRegion(31, 40, 101, "A", "b");
    struct Case {
        int measure;
        const char* shown;
    };
    for (Case c : {Case{9, "9"}, Case{10, "1"}, Case{12, "3"}, Case{31, "A101b"}, Case{33, "A103b"}})
        EXPECT_EQ(Number(c.measure), c.shown) << c.measure;
}

TEST_F(HostTest, OverlappingRegionsTakeTheFirst) {
    document.AddMeasureNumberRegion(1, 10, 101);
    document.AddMeasureNumberRegion(5, 10, 1, "x");
    int index = -2;
    EXPECT_EQ(Number(3, &index), "103");
    EXPECT_EQ(Number(6, &index), "106");
    EXPECT_EQ(index, 0);
}

TEST_F(HostTest, PrefixAndSuffixWithoutTerminatorsStayInsideTheRecord) {
    document.AddMeasureNumberRegion(1, 4, 1);
    Bytes* record = document.FindRecord(0x534F4D4E, OtherKey(1));
    ASSERT_NE(record, nullptr);
    std::fill(record->begin() + 142, record->end(), 'z');  // prefix and suffix fill their fields
    const std::string shown = Number(2);
    EXPECT_EQ(shown, std::string(24, 'z') + "2" + std::string(196 - 166, 'z'));
}

TEST_F(HostTest, OlderHostsUseTheOlderLayout) {
    document.AddMeasureNumberRegion(3, 8, 10, "<", ">", /*olderLayout=*/true);
    RunningFinaleVersion = 0x0E000000;
    EXPECT_EQ(Number(4), "<11>");
    EXPECT_EQ(host.CallsTo("FX_LoadEData").back().args[3], 88);
    RunningFinaleVersion = FINALE_FRAMEWORK_VERSION;
    FCMeasureNumberRegion region(FINALE_FRAMEWORK_VERSION);
    EXPECT_EQ(region.DataSize(), 196u);
}

TEST_F(HostTest, SettersStoreTheRecordsOwnEncoding) {
    FCMeasureNumberRegion region(FINALE_FRAMEWORK_VERSION);
    region.SetStartMeasure(5);
    region.SetEndMeasure(20);
    region.SetStartNumber(1);
    EXPECT_EQ(region.GetEndMeasure(), 20);
    EXPECT_EQ(region.GetStartNumber(), 1);
    int16_t stored[5];
    memcpy(stored, static_cast<uint8_t*>(region.Allocate()) + 132, sizeof stored);
    EXPECT_EQ(stored[0], 5);
    EXPECT_EQ(stored[1], 21);
    EXPECT_EQ(stored[4], 0);  // start number 1 is stored as 0
    EXPECT_TRUE(region.ContainsMeasure(20));
    EXPECT_FALSE(region.ContainsMeasure(21));
}
