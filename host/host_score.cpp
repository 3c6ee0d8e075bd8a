// The host's functions for staves, regions, fonts, documents, alerts and the few others
// the plug-in's wrappers can be exercised with.
#include <cstdio>
#include <cstring>

#include "host/hostfunctions.h"
#include "host/simulated_host.h"

namespace {
SimulatedHost& Host() { return *SimulatedHost::Current(); }
HostDocument& Doc() { return Host().Document(); }
}  // namespace

extern "C" {

int16_t FXAPI HostFX_SlotToInst(int16_t slot, uint16_t context, uint32_t version) {
    Host().Log("FX_SlotToInst", slot, context, version);
    return Doc().SlotToStaff(slot);
}

int16_t FXAPI HostFX_InstToSlot(int16_t staff, uint16_t context, uint32_t version) {
    Host().Log("FX_InstToSlot", staff, context, version);
    return Doc().StaffToSlot(staff);
}

int16_t FXAPI HostFX_GetCurERegions(void* count, EREGION* selection, EREGION* document, uint32_t version) {
    Host().Log("FX_GetCurERegions", count, selection, document, version);
    if (count) {
        const int32_t one = 1;
        memcpy(count, &one, sizeof one);
    }
    if (selection) *selection = Doc().selection;
    if (document) {
        *document = EREGION{};
        document->startSlot = 1;
        document->endSlot = static_cast<int16_t>(Doc().StaffCount());
        document->startMeasure = 1;
        document->endMeasure = Doc().MeasureCount();
        document->startPos = 0;
        document->endPos = 0x7FFFFFFF;
    }
    return 1;
}

int16_t FXAPI HostFX_GetCurrentEnigmaDocument(uint32_t version) {
    Host().Log("FX_GetCurrentEnigmaDocument", version);
    return Doc().documentID;
}

int16_t FXAPI HostFX_FontNumToName(int16_t font, char* name, uint32_t version) {
    Host().Log("FX_FontNumToName", font, name, version);
    const std::string* known = Doc().FontName(font);
    if (!known || !name) return 0;
    snprintf(name, 256, "%s", known->c_str());
    return 1;
}

int16_t FXAPI HostFX_FontNameToNum(const char* name, uint32_t version) {
    Host().Log("FX_FontNameToNum", name, version);
    return name ? Doc().FontNumber(name) : 0;
}

int16_t FXAPI HostFX_AlertMessage(HWND owner, P32 icon, P32 buttons, const char* text, uint32_t version) {
    Host().Log("FX_AlertMessage", owner, icon, buttons, text, version);
    Host().alerts.push_back(text ? text : "");
    return 1;
}

int16_t FXAPI HostFX_UpdateLayout(int16_t page, int16_t flag, uint32_t version) {
    Host().Log("FX_UpdateLayout", page, flag, version);
    return 1;
}

void FXAPI HostFX_ShowHideDlgItem(HWND dialog, int32_t item, int16_t show, uint32_t version) {
    Host().Log("FX_ShowHideDlgItem", dialog, item, show, version);
}

int16_t FXAPI HostFX_AnalyzeChord(EREGION* region, void* result, int16_t flags, uint32_t version) {
    Host().Log("FX_AnalyzeChord", region, result, flags, version);
    return 1;
}

int16_t FXAPI HostFX_StartFinaleEdit(const char* description, uint32_t version) {
    Host().Log("FX_StartFinaleEdit", description, version);
    return 1;
}

int16_t FXAPI HostFX_EndFinaleEdit(uint32_t version) {
    Host().Log("FX_EndFinaleEdit", version);
    return 1;
}

void FXAPI HostFX_CancelFinaleEdit(uint32_t version) { Host().Log("FX_CancelFinaleEdit", version); }

const char* FXAPI HostFX_GetPartName(int32_t part, uint32_t version) {
    Host().Log("FX_GetPartName", part, version);
    return "Score";
}

int32_t FXAPI HostFX_CountParts(uint32_t version) {
    Host().Log("FX_CountParts", version);
    return 1;
}

int32_t FXAPI HostFX_GetTextEncoding(uint32_t version) {
    Host().Log("FX_GetTextEncoding", version);
    return 0;
}

int16_t FXAPI HostFX_RebeamRegion(EREGION* region, int16_t mode, uint32_t version) {
    Host().Log("FX_RebeamRegion", region, mode, version);
    return 1;
}

}  // extern "C"
