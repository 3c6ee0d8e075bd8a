// The host binding: the host module, the running host's version, and one wrapper per
// host function under the host function's own name.
#pragma once

#include "finalepdk/fxfunctions.h"

// Version value of the running host; FINALE_FRAMEWORK_VERSION until the host tells.
extern uint32_t RunningFinaleVersion;
// Edits opened with FX_StartFinaleEdit and not yet ended or cancelled.
extern int32_t FinaleEditDepth;
// Whether cleaning a frame gives every rest a placeholder note record.
extern bool CanAddNoteRecordToRests;

// The host module (FINALE.EXE, else FINDEMO.EXE), looked up once; null outside a host.
HMODULE GetFinaleHandle();
void SetFinaleFrameworkVersion(uint32_t version);

// Puts the note records of every entry of a frame in order, in place: unique non-zero
// note IDs mirrored in the note flags, unused records zeroed, placeholders on rests.
void CleanTGF(const EXTGF2005a* frame);

#define FX_DECLARE_WRAPPER(kind, Ret, Name, Params, Args, Default) extern "C" Ret FXAPI Name Params;
FX_HOST_FUNCTIONS(FX_DECLARE_WRAPPER)
#undef FX_DECLARE_WRAPPER
