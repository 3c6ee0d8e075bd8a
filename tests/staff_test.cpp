// Staves, clefs and the key calculations.
#include "finaleframework/core/fcstring.h"
#include "finaleframework/score/fcstaff.h"
#include "tests/support.h"

TEST(Transposition, BothWordLayouts) {
    struct Case {
        uint16_t word;
        int interval, alteration;
    };
    for (Case c : {Case{0x2105, 5, 1}, Case{0x2FFF, -1, -1}, Case{0x0041, 1, 1}, Case{0x0FFF, -1, -1},
                   Case{0x0000, 0, 0}, Case{0x2000, 0, 0}, Case{0x2080, -128, 0}, Case{0x0820, -32, -32}}) {
        FCStaff staff(FINALE_FRAMEWORK_VERSION);
        memcpy(static_cast<uint8_t*>(staff.Allocate()) + 20, &c.word, 2);
        EXPECT_EQ(staff.GetTransposeInterval(), c.interval) << std::hex << c.word;
        EXPECT_EQ(staff.GetTransposeAlteration(), c.alteration) << std::hex << c.word;
    }
}

TEST(KeySignature, SharpsFlatsAndRoot) {
    struct Case {
        uint16_t key;
        int sharps, flats, root;
    };
    const Case cases[] = {{0x0000, 0, 0, 2},  {0x0100, 0, 0, 0},  {0x0003, 3, 0, 0},  {0x00FF, 0, 1, 5},
                          {0x01FD, 0, 3, 2},  {0x0007, 7, 0, 2},  {0x00F9, 0, 7, 2},  {0x0008, 8, 0, 6},
                          {0x00F8, 0, 8, 5},  {0x0001, 1, 0, 6},  {0x0200, -1, -1, -1}, {0x4000, -1, -1, -1},
                          {0xFFFF, -1, -1, -1}};
    for (const Case& c : cases) {
        FCKeySignature key(FINALE_FRAMEWORK_VERSION);
        key.SetKeyValue(c.key);
        EXPECT_EQ(key.CalcSharps(), c.sharps) << std::hex << c.key;
        EXPECT_EQ(key.CalcFlats(), c.flats) << std::hex << c.key;
        EXPECT_EQ(key.CalcScaleRootIndex(), c.root) << std::hex << c.key;
    }
    FCKeySignature fresh(FINALE_FRAMEWORK_VERSION);
    EXPECT_EQ(fresh.GetKeyValue(), 0);
    EXPECT_EQ(fresh.Tag(), 0u);
    EXPECT_FALSE(fresh.LoadFirst());
}

TEST_F(HostTest, FullNameComesThroughTheTextBlockWithItsTags) {
    const int16_t staff = document.AddStaff("^font(Times)Clarinet in B^^b", 3);
    FCStaff record(FINALE_FRAMEWORK_VERSION);
    ASSERT_TRUE(record.Load(staff));
    FCString* name = record.CreateFullNameString();
    EXPECT_STREQ(name->GetCString(), "^font(Times)Clarinet in B^^b");
    name->TrimEnigmaTags();
    EXPECT_STREQ(name->GetCString(), "Clarinet in B^b");
    delete name;
}

TEST_F(HostTest, FullNameIsEmptyWhenTheTextIsMissing) {
    const int16_t staff = document.AddStaff("Viola", 2);
    FCStaff record(FINALE_FRAMEWORK_VERSION);
    ASSERT_TRUE(record.Load(staff));
    document.EraseRecord(0x7478626C, NumberKey(1));  // the name's raw text
    FCString* name = record.CreateFullNameString();
    EXPECT_EQ(name->GetLength(), 0);
    delete name;
    FCStaff unloaded(FINALE_FRAMEWORK_VERSION);
    unloaded.Load(99);
    name = unloaded.CreateFullNameString();
    EXPECT_EQ(name->GetLength(), 0);
    delete name;
}

TEST_F(HostTest, TheStaffInEffectAtAnEntryIsNotAddressedByItemNumber) {
    FCCurrentStaffSpec current(FINALE_FRAMEWORK_VERSION);
    EXPECT_FALSE(current.Load(uint16_t{5}));
    EXPECT_FALSE(current.SaveNew());
    EXPECT_EQ(current.GetItemNo(), 0);
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_EQ(current.Tag(), 0x534F5343u);
    EXPECT_STREQ(current.ClassName(), "FCCurrentStaffSpec");
    __FCBaseData* copy = current.CreateClone();
    EXPECT_STREQ(copy->ClassName(), "FCCurrentStaffSpec");
    delete copy;
}

TEST_F(HostTest, ClefDefinitionsAreGlobalsFromZero) {
    Bytes clef(18, 0);
    clef[0] = 0xFC;  // -4
    clef[1] = 0xFF;
    document.SetRecord(0x67626366, NumberKey(0), clef);
    FCClefDef def(FINALE_FRAMEWORK_VERSION);
    ASSERT_TRUE(def.LoadFirst());
    EXPECT_EQ(def.GetDisplacementOffset(), -4);
}
