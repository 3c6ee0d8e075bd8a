// Host module lookup and the lazy binding of host functions. Bindings last for the life of
// the process, and every test case runs in a process of its own.
#include "tests/support.h"

TEST_F(HostTest, WrapperLooksItsFunctionUpOnceOnFirstCall) {
    EXPECT_EQ(Lookups("FX_SlotToInst"), 0);
    FX_SlotToInst(1, 0, FINALE_FRAMEWORK_VERSION);
    FX_SlotToInst(1, 0, FINALE_FRAMEWORK_VERSION);
    EXPECT_EQ(Lookups("FX_SlotToInst"), 1);
    EXPECT_EQ(host.CallCount("FX_SlotToInst"), 2);
    EXPECT_EQ(Lookups("FX_InstToSlot"), 0);
}

TEST_F(HostTest, ForwardsArgumentsAndResultUnchanged) {
    document.AddStaff("Flute", 7);
    EXPECT_EQ(FX_SlotToInst(1, 0x1234, 0x0F000200), 7);
    const HostCall& call = host.Calls().back();
    EXPECT_EQ(call.name, "FX_SlotToInst");
    EXPECT_EQ(call.args, (std::vector<int64_t>{1, 0x1234, 0x0F000200}));
}

struct MissingDefault {
    const char* name;
    int64_t (*call)();
    int64_t expected;
};

class MissingFunctionTest : public HostTest, public ::testing::WithParamInterface<MissingDefault> {};

TEST_P(MissingFunctionTest, GroupBAnswersItsDefaultWithoutASecondLookup) {
    const MissingDefault& c = GetParam();
    host.Remove(c.name);
    EXPECT_EQ(c.call(), c.expected);
    EXPECT_EQ(c.call(), c.expected);
    EXPECT_EQ(Lookups(c.name), 1);
    EXPECT_EQ(host.CallCount(c.name), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, MissingFunctionTest,
    ::testing::Values(
        MissingDefault{"FX_GetPartName", [] { return int64_t{FX_GetPartName(1, 0x0F000200)[0]}; }, ' '},
        MissingDefault{"FX_CountParts", [] { return int64_t{FX_CountParts(0x0F000200)}; }, -1},
        MissingDefault{"FX_GetTextEncoding", [] { return int64_t{FX_GetTextEncoding(0x0F000200)}; }, -2},
        MissingDefault{"FX_GetCurrentEnigmaDocument", [] { return int64_t{FX_GetCurrentEnigmaDocument(0x0F000200)}; }, 0},
        MissingDefault{"FX_GetMaxLayers", [] { return int64_t{FX_GetMaxLayers(0x0F000200)}; }, 4},
        MissingDefault{"FX_GetPlaybackSystem", [] { return int64_t{FX_GetPlaybackSystem(0x0F000200)}; }, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostTest, GetPartNameIsASingleSpaceWhenMissing) {
    host.Remove("FX_GetPartName");
    EXPECT_STREQ(FX_GetPartName(1, 0x0F000200), " ");
}

TEST_F(HostTest, GroupAWithoutItsHostFunctionAnswersZeroInsteadOfCallingNull) {
    host.Remove("FX_RebeamRegion");
    host.Remove("FX_LoadTGF");
    EXPECT_EQ(FX_RebeamRegion(nullptr, 0, 0x0F000200), 0);
    EXPECT_EQ(FX_LoadTGF(0, 1, 1, 0, 1, 0x0F000200), nullptr);
    FX_FreeTGF(nullptr, 0x0F000200);  // missing and void: nothing happens
}

namespace {
std::vector<std::string> gDialogTrace;
void* FakeGetDlgItem(void* dialog, int item) {
    gDialogTrace.push_back("item " + std::to_string(reinterpret_cast<uintptr_t>(dialog)) + " " + std::to_string(item));
    return reinterpret_cast<void*>(static_cast<uintptr_t>(0x500 + item));
}
int FakeShowWindow(void* window, int command) {
    gDialogTrace.push_back("show " + std::to_string(reinterpret_cast<uintptr_t>(window)) + " " + std::to_string(command));
    return 1;
}
}  // namespace

TEST_F(HostTest, ShowHideDlgItemOnOldHostsUsesWin32) {
    PlatformSetDialogItemHooks(FakeGetDlgItem, FakeShowWindow);
    HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x40));
    FX_ShowHideDlgItem(dialog, 7, 0, 0x0B01FFFF);
    FX_ShowHideDlgItem(dialog, 7, 5, 0x0B01FFFF);
    EXPECT_EQ(gDialogTrace, (std::vector<std::string>{"item 64 7", "show 1287 0", "item 64 7", "show 1287 1"}));
    EXPECT_EQ(host.CallCount("FX_ShowHideDlgItem"), 0);
    EXPECT_EQ(Lookups("FX_ShowHideDlgItem"), 1);  // looked up whatever the version
}

TEST_F(HostTest, ShowHideDlgItemOnNewHostsIsForwarded) {
    PlatformSetDialogItemHooks(FakeGetDlgItem, FakeShowWindow);
    HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x40));
    FX_ShowHideDlgItem(dialog, 9, 1, 0x0B020000);
    EXPECT_TRUE(gDialogTrace.empty());
    EXPECT_EQ(host.Calls().back().args, (std::vector<int64_t>{0x40, 9, 1, 0x0B020000}));
}

TEST_F(HostTest, ShowHideDlgItemFallsBackWhenTheHostLacksIt) {
    PlatformSetDialogItemHooks(FakeGetDlgItem, FakeShowWindow);
    host.Remove("FX_ShowHideDlgItem");
    FX_ShowHideDlgItem(nullptr, 3, 1, 0x0F000200);
    EXPECT_EQ(gDialogTrace.size(), 2u);
}

TEST_F(HostTest, AnalyzeChordRaisesOldVersionsToTheFloor) {
    FX_AnalyzeChord(nullptr, nullptr, 0, 0x0AFFFFFF);
    FX_AnalyzeChord(nullptr, nullptr, 0, 0x0B000001);
    auto calls = host.CallsTo("FX_AnalyzeChord");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args[3], 0x0B000000);
    EXPECT_EQ(calls[1].args[3], 0x0B000001);
}

TEST_F(HostTest, EditDepthNeverFallsBelowZero) {
    EXPECT_EQ(FX_EndFinaleEdit(0x0F000200), 1);
    FX_CancelFinaleEdit(0x0F000200);
    EXPECT_EQ(host.CallCount("FX_EndFinaleEdit") + host.CallCount("FX_CancelFinaleEdit"), 0);
    EXPECT_EQ(FinaleEditDepth, 0);

    FX_StartFinaleEdit("edit", 0x0F000200);
    EXPECT_EQ(FinaleEditDepth, 1);
    FX_EndFinaleEdit(0x0F000200);
    EXPECT_EQ(FX_EndFinaleEdit(0x0F000200), 1);
    EXPECT_EQ(host.CallCount("FX_EndFinaleEdit"), 1);
    EXPECT_EQ(FinaleEditDepth, 0);
}

TEST_F(HostTest, StartFinaleEditRaisesTheDepthEvenWithoutTheHost) {
    host.Remove("FX_StartFinaleEdit");
    EXPECT_EQ(FX_StartFinaleEdit("edit", 0x0F000200), 0);
    EXPECT_EQ(FinaleEditDepth, 1);
    FX_CancelFinaleEdit(0x0F000200);
    EXPECT_EQ(FinaleEditDepth, 0);
    EXPECT_EQ(host.CallCount("FX_CancelFinaleEdit"), 1);
}

TEST(HostModule, NullWhenNeitherNameIsLoadedAndNeverLookedUpAgain) {
    EXPECT_EQ(GetFinaleHandle(), nullptr);
    HostDocument document;
    SimulatedHost host(document);
    host.Install("FINALE.EXE");
    EXPECT_EQ(GetFinaleHandle(), nullptr);
    EXPECT_EQ(FX_CountParts(0x0F000200), -1);  // bound against no module
    EXPECT_TRUE(host.lookups.empty());
}

TEST(HostModule, TheDemoHostIsFoundToo) {
    HostDocument document;
    SimulatedHost host(document);
    host.Install("FINDEMO.EXE");
    EXPECT_NE(GetFinaleHandle(), nullptr);
    EXPECT_EQ(FX_CountParts(0x0F000200), 1);
}

TEST(HostModule, AHostUnderAnotherNameGetsNoBindings) {
    HostDocument document;
    SimulatedHost host(document);
    host.Install("NOTATION.EXE");
    EXPECT_EQ(GetFinaleHandle(), nullptr);
    EXPECT_EQ(FX_GetMaxLayers(0x0F000200), 4);
    EXPECT_EQ(FX_LoadTGF(0, 1, 1, 0, 1, 0x0F000200), nullptr);
}

TEST(HostModule, ModuleNamesMatchWithoutRegardToCase) {
    HostDocument document;
    SimulatedHost host(document);
    host.Install("finale.exe");
    EXPECT_NE(GetFinaleHandle(), nullptr);
}

TEST(RunningVersion, StartsAtTheFrameworkVersion) {
    EXPECT_EQ(RunningFinaleVersion, 0x0F000200u);
    SetFinaleFrameworkVersion(0x1A000000);
    EXPECT_EQ(RunningFinaleVersion, 0x1A000000u);
}
