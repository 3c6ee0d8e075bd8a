// The FX_ functions the simulated host implements, each with the exact type of the host
// function of the same name (HostFX_Name has type FX_Name_fn). Functions not listed are
// functions this host lacks.
#pragma once

#include "finalepdk/fxfunctions.h"

#define HOST_FUNCTIONS(X)                                                                        \
    X(FX_LoadEData) X(FX_SaveEData) X(FX_CreateEData) X(FX_DeleteEData) X(FX_PreviousEData)      \
    X(FX_NextEData) X(FX_GetMaxLayers) X(FX_LoadTGF) X(FX_InsertEXENTRY) X(FX_DeleteEXENTRY)     \
    X(FX_SaveTGF) X(FX_FreeTGF) X(FX_ReduceEntries) X(FX_GetTGFDuration) X(FX_GetShowLayer)      \
    X(FX_AlertMessage) X(FX_SlotToInst) X(FX_InstToSlot) X(FX_FontNameToNum) X(FX_FontNumToName) \
    X(FX_GetCurERegions) X(FX_UpdateLayout) X(FX_GetCurrentEnigmaDocument) X(FX_ShowHideDlgItem) \
    X(FX_AnalyzeChord) X(FX_StartFinaleEdit) X(FX_EndFinaleEdit) X(FX_CancelFinaleEdit)          \
    X(FX_GetPartName) X(FX_CountParts) X(FX_GetTextEncoding) X(FX_RebeamRegion)

#define HOST_DECLARE(Name) extern "C" Name##_fn Host##Name;
HOST_FUNCTIONS(HOST_DECLARE)
#undef HOST_DECLARE

// The address of the host's implementation of a function, or null.
void* HostFunctionAddress(const char* name);
