// The native plug-in library, loaded as a host loads a plug-in: found by file name, its
// entry points and platform hooks looked up by name, driven against the simulated host.
#include <dlfcn.h>

#include "extension/holdsync.h"
#include "host/demo.h"
#include "host/hostfunctions.h"
#include "tests/support.h"

#ifndef HOLDSYNC_PLUGIN_LIBRARY
#error "HOLDSYNC_PLUGIN_LIBRARY names the built libholdsync.so"
#endif

namespace {

std::vector<std::string> gBoxes;

int RecordBox(void*, const char* text, const char* caption, unsigned int) {
    gBoxes.push_back(std::string(caption) + "|" + text);
    return 1;
}

void* ResolveFromTheTestHost(const char* name) { return HostFunctionAddress(name); }

class SharedLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        library = dlopen(HOLDSYNC_PLUGIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
    }
    void TearDown() override {
        if (library) dlclose(library);
    }
    template <class Fn>
    Fn* Find(const char* name) {
        return reinterpret_cast<Fn*>(dlsym(library, name));
    }
    void* library = nullptr;
};

}  // namespace

TEST_F(SharedLibraryTest, ExportsTheEntryPointsAndPlatformHooksByPlainName) {
    for (const char* name : {"FinaleExtensionVersion", "FinaleExtensionInit", "FinaleExtensionEnumerate",
                             "FinaleExtensionGetMenuStatus", "FinaleExtensionInvoke", "FinaleExtensionTerminate",
                             "PlatformRegisterModule", "PlatformSetMessageBox", "PlatformSetDialogItemHooks"})
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    EXPECT_EQ(dlsym(library, "FX_LoadEData"), nullptr);  // the wrappers stay inside
    EXPECT_EQ(dlsym(library, "_Z8HoldsyncP6HWND__P13FCMusicRegion"), nullptr);
}

TEST_F(SharedLibraryTest, RunsTheDemoAgainstAHostInAnotherImage) {
    HostDocument document;
    BuildDemoDocument(document);
    SimulatedHost host(document);  // answers for the functions the library resolves
    Find<decltype(PlatformRegisterModule)>("PlatformRegisterModule")("FINALE.EXE", ResolveFromTheTestHost);
    Find<decltype(PlatformSetMessageBox)>("PlatformSetMessageBox")(RecordBox);

    EXPECT_EQ(Find<decltype(FinaleExtensionVersion)>("FinaleExtensionVersion")(SIMULATED_HOST_VERSION), 0x0E000000u);
    uint8_t menu[MENU_RECORD_SIZE] = {};
    EXPECT_EQ(Find<decltype(FinaleExtensionEnumerate)>("FinaleExtensionEnumerate")(0, 0, menu), 1u);
    EXPECT_STREQ(reinterpret_cast<char*>(menu), "Zorv Holdsync...");
    EXPECT_EQ(Find<decltype(FinaleExtensionInvoke)>("FinaleExtensionInvoke")(host.window, 0, nullptr, 0), 0u);

    ASSERT_EQ(gBoxes.size(), 3u);
    EXPECT_EQ(gBoxes[0], "Missing Fermata|This measure has no fermata:\nMeasure 3\n(Measure number: 2)\n\nStaff 2: Viola");
    EXPECT_TRUE(host.messageBoxes.empty());  // shown through the library's own Win32 surface
    EXPECT_TRUE(host.liveFrames.empty());
    EXPECT_GT(host.CallCount("FX_LoadTGF"), 0);
}
