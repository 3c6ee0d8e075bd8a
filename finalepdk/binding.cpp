#include "finalepdk/finalepdk.h"

uint32_t RunningFinaleVersion = FINALE_FRAMEWORK_VERSION;
int32_t FinaleEditDepth = 0;

HMODULE GetFinaleHandle() {
    static bool looked = false;
    static HMODULE hFinale = nullptr;
    if (!looked) {
        hFinale = GetModuleHandleA("FINALE.EXE");
        if (!hFinale) hFinale = GetModuleHandleA("FINDEMO.EXE");
        looked = true;
    }
    return hFinale;
}

void SetFinaleFrameworkVersion(uint32_t version) { RunningFinaleVersion = version; }
