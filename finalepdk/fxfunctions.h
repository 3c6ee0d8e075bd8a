// The host's API: every FX_ function the plug-in can call, with its exact argument list.
// This one list gives the plug-in its wrappers, the simulated host its function types and
// registration, and tests the names to check. Columns:
//   kind     A: called as found; B: answers Default when the host lacks the function;
//            S: a wrapper with behaviour of its own, written by hand
//   Ret, Name, (parameters), (arguments), Default
// Every function takes the caller's interface version last and uses __stdcall.
#pragma once

#include "finalepdk/fxrecords.h"
#include "platform/win32.h"

#define FXAPI WINAPI

typedef uint32_t P32;  // an argument whose meaning the plug-in never relies on

#define FX_HOST_FUNCTIONS(X)                                                                      \
    /* Data records (version rules and preference maps live in edata.cpp) */                      \
    X(S, int16_t, FX_LoadEData, (uint32_t tag, RecordKey* key, void* buffer, uint32_t* size, uint32_t version), (tag, key, buffer, size, version), 0) \
    X(S, int16_t, FX_SaveEData, (uint32_t tag, RecordKey* key, const void* buffer, uint32_t size, uint32_t version), (tag, key, buffer, size, version), 0) \
    X(S, int16_t, FX_CreateEData, (uint32_t tag, RecordKey* key, const void* buffer, uint32_t size, uint32_t version), (tag, key, buffer, size, version), 0) \
    X(S, int16_t, FX_DeleteEData, (uint32_t tag, RecordKey* key, uint32_t version), (tag, key, version), 0) \
    X(S, int16_t, FX_PreviousEData, (uint32_t tag, RecordKey* key, void* buffer, uint32_t size, uint32_t version), (tag, key, buffer, size, version), 0) \
    X(S, int16_t, FX_NextEData, (uint32_t tag, RecordKey* key, void* buffer, uint32_t size, uint32_t version), (tag, key, buffer, size, version), 0) \
    /* Entry frames */                                                                            \
    X(S, int16_t, FX_GetMaxLayers, (uint32_t version), (version), 4)                               \
    X(A, EXTGF2005a*, FX_LoadTGF, (uint16_t firstKey, int16_t slot, int16_t measure, int16_t layer, int16_t loadFlag, uint32_t version), (firstKey, slot, measure, layer, loadFlag, version), 0) \
    X(S, int16_t, FX_InsertEXENTRY, (EXTGF2005a* frame, int16_t position, int16_t count, uint32_t version), (frame, position, count, version), 0) \
    X(S, int16_t, FX_DeleteEXENTRY, (EXTGF2005a* frame, int16_t position, int16_t count, uint32_t version), (frame, position, count, version), 0) \
    X(S, int16_t, FX_SaveTGF, (EXTGF2005a* frame, uint32_t version), (frame, version), 0)            \
    X(A, void, FX_FreeTGF, (EXTGF2005a* frame, uint32_t version), (frame, version), 0)               \
    X(S, int16_t, FX_ReduceEntries, (EXTGF2005a* frame, uint32_t version), (frame, version), 0)      \
    X(A, int32_t, FX_GetTGFDuration, (EXTGF2005a* frame, uint32_t version), (frame, version), 0)     \
    X(A, int16_t, FX_GetShowLayer, (int16_t layer, uint32_t version), (layer, version), 0)           \
    /* Group A: called without a test for a missing function */                                   \
    X(A, int16_t, FX_RebeamRegion, (EREGION* region, int16_t mode, uint32_t version), (region, mode, version), 0) \
    X(A, int16_t, FX_RebarRegion, (EREGION* region, P32 a, P32 b, P32 c, P32 d, uint32_t version), (region, a, b, c, d, version), 0) \
    X(A, int16_t, FX_AlertMessage, (HWND owner, P32 icon, P32 buttons, const char* text, uint32_t version), (owner, icon, buttons, text, version), 0) \
    X(A, int32_t, FX_Dialog, (void* instance, P32 resource, HWND parent, void* proc, void* data, uint32_t version), (instance, resource, parent, proc, data, version), 0) \
    X(A, int16_t, FX_EndDialog, (HWND dialog, uint32_t version), (dialog, version), 0)             \
    X(A, int16_t, FX_EnableDlgItem, (HWND dialog, int32_t item, int16_t enable, uint32_t version), (dialog, item, enable, version), 0) \
    X(A, int16_t, FX_SetDlgFocus, (HWND dialog, int32_t item, uint32_t version), (dialog, item, version), 0) \
    X(A, int16_t, FX_GetDlgCntlVal, (HWND dialog, int32_t item, int16_t type, int32_t* value, uint32_t version), (dialog, item, type, value, version), 0) \
    X(A, int16_t, FX_SetDlgCntlVal, (HWND dialog, int32_t item, int16_t type, int32_t value, uint32_t version), (dialog, item, type, value, version), 0) \
    X(A, int16_t, FX_SlotToInst, (int16_t slot, uint16_t context, uint32_t version), (slot, context, version), 0) \
    X(A, int16_t, FX_InstToSlot, (int16_t staff, uint16_t context, uint32_t version), (staff, context, version), 0) \
    X(A, int16_t, FX_ScrollTo, (int16_t measure, int16_t staff, uint32_t version), (measure, staff, version), 0) \
    X(A, int16_t, FX_Playback, (EREGION* region, P32 a, P32 b, P32 c, uint32_t version), (region, a, b, c, version), 0) \
    X(A, int16_t, FX_ListenToMidi, (void* data, int16_t mode, uint32_t version), (data, mode, version), 0) \
    X(A, int16_t, FX_FontNameToNum, (const char* name, uint32_t version), (name, version), 0)       \
    X(A, int16_t, FX_FontNumToName, (int16_t font, char* name, uint32_t version), (font, name, version), 0) \
    X(A, int16_t, FX_GetCurERegions, (void* count, EREGION* selection, EREGION* document, uint32_t version), (count, selection, document, version), 0) \
    X(A, int16_t, FX_RedrawMusic, (int16_t mode, uint32_t version), (mode, version), 0)             \
    X(A, int16_t, FX_CopyMidi, (EREGION* region, void* data, int16_t mode, uint32_t version), (region, data, mode, version), 0) \
    X(A, int16_t, FX_PasteMidi, (EREGION* region, void* data, int16_t mode, uint32_t version), (region, data, mode, version), 0) \
    X(A, int16_t, FX_NoteToMidi, (EXENTRY* entry, int16_t note, uint32_t version), (entry, note, version), 0) \
    X(A, int16_t, FX_NoteMover, (EREGION* region, P32 a, P32 b, P32 c, P32 d, uint32_t version), (region, a, b, c, d, version), 0) \
    X(A, int16_t, FX_GetKeySig, (int16_t measure, int16_t staff, P32 position, void* key, uint32_t version), (measure, staff, position, key, version), 0) \
    X(A, int16_t, FX_SelectNote, (EXENTRY* entry, int16_t note, uint32_t version), (entry, note, version), 0) \
    X(A, int16_t, FX_SetTimer, (HWND window, P32 id, P32 milliseconds, uint32_t version), (window, id, milliseconds, version), 0) \
    X(A, int16_t, FX_GetDlgItemUser, (HWND dialog, int32_t item, int16_t unit, double* value, uint32_t version), (dialog, item, unit, value, version), 0) \
    X(A, int16_t, FX_SetDlgItemUser, (HWND dialog, int32_t item, int16_t unit, double value, uint32_t version), (dialog, item, unit, value, version), 0) \
    X(A, int16_t, FX_MidiNoteToString, (int16_t note, char* text, int16_t key, int16_t flags, uint32_t version), (note, text, key, flags, version), 0) \
    X(A, int16_t, FX_StringToMidiNote, (const char* text, uint32_t version), (text, version), 0)    \
    X(A, int16_t, FX_GetSyllable, (P32 a, P32 b, P32 c, char* text, uint32_t version), (a, b, c, text, version), 0) \
    X(A, int16_t, FX_SyllableInfo, (P32 a, P32 b, P32 c, P32 d, P32 e, P32 f, P32 g, P32 h, P32 i, uint32_t version), (a, b, c, d, e, f, g, h, i, version), 0) \
    X(A, int16_t, FX_ParseCaretCommand, (const char* text, P32 a, P32 b, P32 c, uint32_t version), (text, a, b, c, version), 0) \
    X(A, int16_t, FX_UpdateLayout, (int16_t page, int16_t flag, uint32_t version), (page, flag, version), 0) \
    X(A, int16_t, FX_GetEntryMetrics, (P32 a, P32 b, P32 c, P32 d, EEntryMetrics* metrics, P32 e, uint32_t version), (a, b, c, d, metrics, e, version), 0) \
    X(A, int16_t, FX_GetTGFEntryMetrics, (EXTGF2005a* frame, EEntryMetrics* entry, EMeasureMetrics* measure, int16_t index, uint32_t version), (frame, entry, measure, index, version), 0) \
    X(A, int16_t, FX_FontDialog, (HWND owner, char* name, int16_t* size, int16_t* effects, P32 flags, uint32_t version), (owner, name, size, effects, flags, version), 0) \
    X(A, int16_t, FX_SymbolDialog, (HWND owner, int16_t font, int16_t* symbol, uint32_t version), (owner, font, symbol, version), 0) \
    X(A, int16_t, FX_SelectionDialog, (HWND owner, P32 a, P32 b, P32 c, uint32_t version), (owner, a, b, c, version), 0) \
    X(A, int32_t, FX_GetMeasureDuration, (int16_t measure, int16_t staff, uint32_t version), (measure, staff, version), 0) \
    X(A, int16_t, FX_StartMassEdit, (EREGION* region, int16_t mode, uint32_t version), (region, mode, version), 0) \
    X(A, int16_t, FX_EndMassEdit, (EREGION* region, int16_t mode, uint32_t version), (region, mode, version), 0) \
    X(A, int16_t, FX_MassEditProgress, (P32 a, P32 b, P32 c, P32 d, P32 e, uint32_t version), (a, b, c, d, e, version), 0) \
    X(A, int16_t, FX_GetDlgItemVal, (HWND dialog, int32_t item, int32_t* value, uint32_t version), (dialog, item, value, version), 0) \
    X(A, int16_t, FX_SetDlgItemVal, (HWND dialog, int32_t item, int32_t value, P32 flags, uint32_t version), (dialog, item, value, flags, version), 0) \
    X(A, int16_t, FX_GetDlgString, (HWND dialog, int32_t item, char* text, P32 capacity, uint32_t version), (dialog, item, text, capacity, version), 0) \
    X(A, int16_t, FX_SetDlgString, (HWND dialog, int32_t item, const char* text, uint32_t version), (dialog, item, text, version), 0) \
    /* Group B: a default answer when the host lacks the function */                              \
    X(S, void, FX_ShowHideDlgItem, (HWND dialog, int32_t item, int16_t show, uint32_t version), (dialog, item, show, version), 0) \
    X(B, int16_t, FX_KillTimer, (HWND window, P32 id, uint32_t version), (window, id, version), 0)  \
    X(B, int16_t, FX_SetCurERegion, (EREGION* region, uint32_t version), (region, version), 0)      \
    X(B, int16_t, FX_SetCurrentEnigmaDocument, (int16_t document, uint32_t version), (document, version), 0) \
    X(B, int16_t, FX_GetCurrentEnigmaDocument, (uint32_t version), (version), 0)                    \
    X(B, int16_t, FX_GetNextEnigmaDocument, (int16_t document, uint32_t version), (document, version), 0) \
    X(B, int16_t, FX_GetFinalePath, (char* path, P32 capacity, uint32_t version), (path, capacity, version), 0) \
    X(B, int16_t, FX_GetGraphicPath, (int16_t graphic, char* path, P32 capacity, int16_t flags, uint32_t version), (graphic, path, capacity, flags, version), 0) \
    X(B, int16_t, FX_CreateGraphic, (const char* path, int16_t page, int32_t x, int32_t y, int16_t flags, int16_t* graphic, uint32_t version), (path, page, x, y, flags, graphic, version), 0) \
    X(S, int16_t, FX_StartFinaleEdit, (const char* description, uint32_t version), (description, version), 0) \
    X(S, int16_t, FX_EndFinaleEdit, (uint32_t version), (version), 0)                               \
    X(S, void, FX_CancelFinaleEdit, (uint32_t version), (version), 0)                               \
    X(B, int16_t, FX_GetDocumentPath, (char* path, P32 capacity, uint32_t version), (path, capacity, version), 0) \
    X(B, int16_t, FX_SelectExpressionDialog, (HWND owner, int16_t kind, int16_t* selected, int16_t flags, uint32_t version), (owner, kind, selected, flags, version), 0) \
    X(B, int16_t, FX_MassMover, (EREGION* region, int16_t flags, uint32_t version), (region, flags, version), 0) \
    X(B, int16_t, FX_RebuildMenuSystem, (int16_t flags, uint32_t version), (flags, version), 0)     \
    X(B, int16_t, FX_EnableBusyDetection, (int16_t on, uint32_t version), (on, version), 0)         \
    X(B, int16_t, FX_ExecuteMenuItem, (int32_t command, uint32_t version), (command, version), 0)   \
    X(S, int16_t, FX_AnalyzeChord, (EREGION* region, void* result, int16_t flags, uint32_t version), (region, result, flags, version), 0) \
    X(B, int16_t, FX_InsertMeasures, (int16_t before, int16_t count, int16_t flags, uint32_t version), (before, count, flags, version), 0) \
    X(B, int16_t, FX_DeleteMeasures, (int16_t first, int16_t last, int16_t flags, uint32_t version), (first, last, flags, version), 0) \
    X(B, int16_t, FX_NewEnigmaDocument, (uint32_t version), (version), 0)                           \
    X(B, int16_t, FX_CloseEnigmaDocument, (int16_t document, uint32_t version), (document, version), 0) \
    X(B, int16_t, FX_IsEnigmaDocumentDirty, (int16_t document, uint32_t version), (document, version), 0) \
    X(B, int16_t, FX_SetEnigmaDocumentDirty, (int16_t document, int16_t dirty, uint32_t version), (document, dirty, version), 0) \
    X(B, int16_t, FX_GetPrintSettings, (void* settings, uint32_t version), (settings, version), 0)  \
    X(B, int16_t, FX_PrintCurrentDocument, (void* settings, uint32_t version), (settings, version), 0) \
    X(B, int16_t, FX_PrintDocument, (int16_t document, void* settings, uint32_t version), (document, settings, version), 0) \
    X(B, int16_t, FX_PrintDocuments, (int16_t* documents, int16_t count, void* settings, uint32_t version), (documents, count, settings, version), 0) \
    X(B, int16_t, FX_OpenDocument, (const char* path, int16_t flags, int16_t* document, void* a, void* b, int16_t c, uint32_t version), (path, flags, document, a, b, c, version), 0) \
    X(B, int16_t, FX_CloseCurrentDocumentWindow, (uint32_t version), (version), 0)                  \
    X(B, int16_t, FX_SaveDocument, (int16_t document, const char* path, int16_t flags, uint32_t version), (document, path, flags, version), 0) \
    X(B, int16_t, FX_DeleteMidiExpressions, (EREGION* region, int16_t flags, uint32_t version), (region, flags, version), 0) \
    X(B, int16_t, FX_DeleteTempoRecords, (EREGION* region, uint32_t version), (region, version), 0) \
    X(B, int16_t, FX_GetWindowCount, (uint32_t version), (version), 0)                              \
    X(B, int16_t, FX_GetWindowInfoList, (void* list, P32 capacity, uint32_t version), (list, capacity, version), 0) \
    X(B, int16_t, FX_GetCurrentWindowInfo, (void* info, uint32_t version), (info, version), 0)      \
    X(B, int32_t, FX_GetCurrentWindow, (uint32_t version), (version), 0)                            \
    X(B, int16_t, FX_SetCurrentWindow, (int32_t window, uint32_t version), (window, version), 0)    \
    X(B, int32_t, FX_ProcessMidiData, (void* data, uint32_t version), (data, version), -1)          \
    X(B, int16_t, FX_QueryK2Slot, (P32 a, P32 b, P32 c, P32 d, P32 e, P32 f, uint32_t version), (a, b, c, d, e, f, version), 0) \
    X(B, int16_t, FX_QueryAriaSlot, (P32 a, P32 b, P32 c, P32 d, P32 e, P32 f, P32 g, P32 h, P32 i, P32 j, P32 k, P32 l, P32 m, P32 n, P32 o, P32 p, P32 q, P32 r, P32 s, uint32_t version), (a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, version), 0) \
    X(B, int32_t, FX_GetCurrentPartID, (uint32_t version), (version), -1)                           \
    X(B, int16_t, FX_SetCurrentPartID, (int32_t part, uint32_t version), (part, version), 0)        \
    X(B, int16_t, FX_SetCurrentPartInView, (int32_t part, uint32_t version), (part, version), 0)    \
    X(B, int32_t, FX_GetNextPartID, (int32_t part, uint32_t version), (part, version), -1)          \
    X(B, const char*, FX_GetPartName, (int32_t part, uint32_t version), (part, version), " ")       \
    X(B, int32_t, FX_CountParts, (uint32_t version), (version), -1)                                 \
    X(B, int16_t, FX_CopyCutMusic, (EREGION* region, int16_t cut, uint32_t version), (region, cut, version), 0) \
    X(B, int16_t, FX_InsertMergeMusic, (EREGION* region, int32_t token, int16_t flags, uint32_t version), (region, token, flags, version), 0) \
    X(B, int16_t, FX_DisposeFinClipFileToken, (int32_t token, uint32_t version), (token, version), 0) \
    X(B, int16_t, FX_SetDefaultMusicFont, (int16_t font, int16_t size, int16_t flags, uint32_t version), (font, size, flags, version), 0) \
    X(B, int16_t, FX_OpenHelpItem, (const char* topic, uint32_t version), (topic, version), 0)      \
    X(B, int32_t, FX_GetTextEncoding, (uint32_t version), (version), -2)                            \
    X(B, int16_t, FX_GetSMPParts, (void* parts, uint32_t version), (parts, version), 0)             \
    X(B, int32_t, FX_GetPlaybackSystem, (uint32_t version), (version), -1)                          \
    X(B, int16_t, FX_AutoRehearsalInsert, (EREGION* region, P32 a, P32 b, P32 c, P32 d, uint32_t version), (region, a, b, c, d, version), 0) \
    X(B, int16_t, FX_GetPercMapRefData, (P32 a, P32 b, void* data, P32 d, uint32_t version), (a, b, data, d, version), 0) \
    X(B, int16_t, FX_CreatePercMapRefData, (void* data, P32 a, uint32_t version), (data, a, version), 0) \
    X(B, int16_t, FX_GetEntryMetrics2009a, (P32 a, P32 b, P32 c, P32 d, EEntryMetrics* metrics, P32 e, uint32_t version), (a, b, c, d, metrics, e, version), 0) \
    X(B, int16_t, FX_GetTGFEntryMetrics2009a, (EXTGF2005a* frame, EEntryMetrics* entry, EMeasureMetrics* measure, int16_t index, uint32_t version), (frame, entry, measure, index, version), 0) \
    X(B, int16_t, FX_GetMeasureMetrics, (int16_t measure, int16_t staff, EMeasureMetrics* metrics, P32 flags, uint32_t version), (measure, staff, metrics, flags, version), 0) \
    X(B, int16_t, FX_FreeEntryMetrics, (EEntryMetrics* metrics, uint32_t version), (metrics, version), 0) \
    X(B, int16_t, FX_FreeMeasureMetrics, (EMeasureMetrics* metrics, uint32_t version), (metrics, version), 0)

// Function types, FX_Name_fn, for the wrappers' bindings and the simulated host.
#define FX_DECLARE_TYPE(kind, Ret, Name, Params, Args, Default) typedef Ret(FXAPI Name##_fn) Params;
FX_HOST_FUNCTIONS(FX_DECLARE_TYPE)
#undef FX_DECLARE_TYPE
