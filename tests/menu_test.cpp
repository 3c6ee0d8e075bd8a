// The plug-in shell: version exchange and the menu-item record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "extension/holdsync.h"
#include "finalepdk/finalepdk.h"

namespace {
struct MenuRecord {
    uint8_t bytes[256];
    MenuRecord() { memset(bytes, 0xAB, sizeof bytes); }
    std::string Field(int offset, int width) const { return std::string(bytes + offset, bytes + offset + width); }
};
}  // namespace

TEST(Shell, VersionExchangeKeepsTheHostsValue) {
    for (uint32_t value : {0u, 0x0E000000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(FinaleExtensionVersion(value), 0x0E000000u);
        EXPECT_EQ(RunningFinaleVersion, value);
    }
}

TEST(Shell, InitStatusAndTerminateAlwaysAgree) {
    EXPECT_EQ(FinaleExtensionInit(0, 0), 1u);
    EXPECT_EQ(FinaleExtensionInit(7, 9), 1u);
    EXPECT_EQ(FinaleExtensionGetMenuStatus(0), 1u);
    EXPECT_EQ(FinaleExtensionGetMenuStatus(42), 1u);
    FinaleExtensionTerminate(0);
}

TEST(Shell, EnumerateFillsTheOneMenuItem) {
    MenuRecord record;
    ASSERT_EQ(FinaleExtensionEnumerate(0, 0, record.bytes), 1u);
    EXPECT_EQ(record.Field(0, 17), std::string("Zorv Holdsync...\0", 17));
    EXPECT_EQ(record.Field(17, 47), std::string(47, '\0'));
    // The 78-character description fills its field with no terminator.
    EXPECT_EQ(record.Field(64, 64), "Scans the document (or region) and warns is some staff doesn't s");
    EXPECT_EQ(record.Field(128, 9), std::string("Holdsync\0", 9));
    EXPECT_EQ(record.Field(136, 56), std::string(56, '\0'));
    EXPECT_EQ(record.Field(192, 4), std::string(4, '\0'));
    EXPECT_EQ(record.bytes[196], 0xAB);  // nothing beyond the record's fields
}

TEST(Shell, EnumerateReadsTheIndexAsASigned16BitNumber) {
    struct Case {
        uint32_t index;
        uint32_t expected;
    };
    for (Case c : {Case{1, 0}, Case{0x7FFF, 0}, Case{0xFFFF, 1}, Case{0x8000, 1}, Case{0x10000, 1}, Case{0x10001, 0}}) {
        MenuRecord record;
        EXPECT_EQ(FinaleExtensionEnumerate(0, c.index, record.bytes), c.expected) << std::hex << c.index;
        if (c.expected == 0) EXPECT_EQ(record.Field(0, 256), MenuRecord().Field(0, 256));  // untouched
    }
}
