// A plug-in that only shows message boxes, through its own import of MessageBoxA: the
// Windows test host must record them instead of showing them.
#include "extension/holdsync.h"

extern "C" {

uint32_t WINAPI FinaleExtensionVersion(uint32_t) { return HOLDSYNC_INTERFACE_VERSION; }
uint32_t WINAPI FinaleExtensionInit(uint32_t, uint32_t) { return 1; }
uint32_t WINAPI FinaleExtensionEnumerate(uint32_t, uint32_t index, void* menuItem) {
    if (index != 0) return 0;
    static_cast<char*>(menuItem)[0] = 0;
    return 1;
}
uint32_t WINAPI FinaleExtensionGetMenuStatus(uint32_t) { return 1; }
void WINAPI FinaleExtensionTerminate(uint32_t) {}

uint32_t WINAPI FinaleExtensionInvoke(HWND window, uint32_t, EREGION*, uint32_t) {
    MessageBoxA(window, "First box\nof the probe", "Probe", MB_OK);
    MessageBoxA(nullptr, "Second box", "Probe", MB_OK | MB_ICONWARNING);
    return 0;
}

}  // extern "C"
