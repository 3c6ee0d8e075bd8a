// Staff lists in their four sets, pages and systems.
#include "finaleframework/score/fcstafflist.h"
#include "tests/support.h"

namespace {
std::vector<int> Staves(uint32_t tag, uint16_t list) {
    FCStaffListElements elements;
    elements._customTag = tag;
    elements.LoadAllForItem(list, FINALE_FRAMEWORK_VERSION);
    std::vector<int> staves;
    for (int i = 0; i < elements.GetCount(); ++i) {
        auto* element = static_cast<FCStaffListElement*>(elements.GetItemAt(i));
        EXPECT_EQ(element->Tag(), tag ? tag : 0x6F744443u);
        staves.push_back(element->GetStaff());
    }
    return staves;
}
}  // namespace

TEST_F(HostTest, AStaffListLoadsItsStavesInOrderUpToTheFirstGap) {
    document.AddStaffList(0x6F74494F, 4, {2, 5, 7});
    EXPECT_EQ(Staves(0x6F74494F, 4), (std::vector<int>{2, 5, 7}));
    EXPECT_EQ(Staves(0, 4), std::vector<int>{});  // the default set has no list 4
    document.EraseRecord(0x6F74494F, OtherKey(4, 1));  // renumbers 2 -> 1
    document.SetRecord(0x6F74494F, OtherKey(4, 3), Bytes{9, 0});
    EXPECT_EQ(Staves(0x6F74494F, 4), (std::vector<int>{2, 7}));
}

TEST(StaffListModes, EachModeReadsItsOwnSet) {
    EXPECT_EQ(FCStaffListElement::TagOfMode(0), 0x6F744443u);
    EXPECT_EQ(FCStaffListElement::TagOfMode(1), 0x6F746463u);
    EXPECT_EQ(FCStaffListElement::TagOfMode(2), 0x6F74494Fu);
    EXPECT_EQ(FCStaffListElement::TagOfMode(3), 0x6F74696Fu);
    EXPECT_EQ(FCStaffListElement::TagOfMode(4), 0u);
    EXPECT_EQ(FCStaffListElement::TagOfMode(-1), 0u);
    FCStaffListElement element(FINALE_FRAMEWORK_VERSION);
    EXPECT_EQ(element.Tag(), 0x6F744443u);
    EXPECT_STREQ(element.ClassName(), "FCStaffListElement");
}

TEST_F(HostTest, PageLayoutUpdateReloadsThePage) {
    Bytes page(28, 0);
    page[8] = 4;
    document.SetRecord(0x534F5047, OtherKey(3), page);
    FCPage record(FINALE_FRAMEWORK_VERSION);
    ASSERT_TRUE(record.Load(3));
    EXPECT_EQ(record.GetFirstSystem(), 4);
    host.ClearCalls();
    EXPECT_TRUE(record.UpdateLayout(true));
    ASSERT_GE(host.Calls().size(), 2u);
    EXPECT_EQ(host.Calls()[0].name, "FX_UpdateLayout");
    EXPECT_EQ(host.Calls()[0].args, (std::vector<int64_t>{3, 1, 0x0F000200}));
    EXPECT_EQ(host.Calls()[1].name, "FX_LoadEData");
}

TEST_F(HostTest, FullLayoutUpdateStartsAtPageOne) {
    FCStaffSystems systems;
    EXPECT_EQ(systems.UpdateFullLayout(), 1);
    EXPECT_EQ(host.Calls().back().args, (std::vector<int64_t>{1, 0, 0x0F000200}));
    FCStaffListIncis incis;
    incis.LoadAllSystems();
    EXPECT_EQ(host.Calls().size(), 1u);
}
