// Wrappers with behaviour beyond forwarding: dialog fallback, version floor, edit depth.
#include "finalepdk/binding.h"

extern "C" void FXAPI FX_ShowHideDlgItem(HWND dialog, int32_t item, int16_t show, uint32_t version) {
    FX_BINDING(FX_ShowHideDlgItem);
    FX_ShowHideDlgItem_fn* host = binding.Get();
    // Hosts up to 0x0B01FFFF lack the function or mishandle it: do the work with Win32.
    if (version > 0x0B01FFFF && host) return host(dialog, item, show, version);
    ShowWindow(GetDlgItem(dialog, item), show != 0 ? SW_SHOWNORMAL : SW_HIDE);
}

extern "C" int16_t FXAPI FX_AnalyzeChord(EREGION* region, void* result, int16_t flags, uint32_t version) {
    FX_BINDING(FX_AnalyzeChord);
    if (version <= 0x0AFFFFFF) version = 0x0B000000;
    FX_AnalyzeChord_fn* host = binding.Get();
    return host ? host(region, result, flags, version) : 0;
}

extern "C" int16_t FXAPI FX_StartFinaleEdit(const char* description, uint32_t version) {
    ++FinaleEditDepth;
    FX_BINDING(FX_StartFinaleEdit);
    FX_StartFinaleEdit_fn* host = binding.Get();
    return host ? host(description, version) : 0;
}

extern "C" int16_t FXAPI FX_EndFinaleEdit(uint32_t version) {
    if (FinaleEditDepth <= 0) return 1;
    --FinaleEditDepth;
    FX_BINDING(FX_EndFinaleEdit);
    FX_EndFinaleEdit_fn* host = binding.Get();
    return host ? host(version) : 0;
}

extern "C" void FXAPI FX_CancelFinaleEdit(uint32_t version) {
    if (FinaleEditDepth <= 0) return;
    --FinaleEditDepth;
    FX_BINDING(FX_CancelFinaleEdit);
    FX_CancelFinaleEdit_fn* host = binding.Get();
    if (host) host(version);
}

extern "C" int16_t FXAPI FX_GetMaxLayers(uint32_t version) {
    FX_BINDING(FX_GetMaxLayers);
    FX_GetMaxLayers_fn* host = binding.Get();
    return host ? host(version) : 4;
}
