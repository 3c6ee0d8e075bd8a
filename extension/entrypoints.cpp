// The five entry points of the plug-in shell. None depends on another having run.
#include <cstring>

#include "extension/holdsync.h"
#include "finalepdk/finalepdk.h"

namespace {

const char kMenuText[] = "Zorv Holdsync...";
const char kDescription[] =
    "Scans the document (or region) and warns is some staff doesn't synch fermatas.";
const char kExtensionName[] = "Holdsync";

// A bounded copy into a 64-byte field: zero-filled when shorter, unterminated when not.
void FillField(uint8_t* record, int offset, const char* text) {
    strncpy(reinterpret_cast<char*>(record + offset), text, MENU_TEXT_WIDTH);
}

}  // namespace

extern "C" {

uint32_t WINAPI FinaleExtensionVersion(uint32_t hostVersion) {
    SetFinaleFrameworkVersion(hostVersion);
    return HOLDSYNC_INTERFACE_VERSION;
}

uint32_t WINAPI FinaleExtensionInit(uint32_t, uint32_t) { return 1; }

uint32_t WINAPI FinaleExtensionEnumerate(uint32_t, uint32_t index, void* menuItem) {
    if (static_cast<int16_t>(index & 0xFFFF) > 0) return 0;
    auto* record = static_cast<uint8_t*>(menuItem);
    FillField(record, MENU_TEXT_OFFSET, kMenuText);
    FillField(record, MENU_DESCRIPTION_OFFSET, kDescription);
    FillField(record, MENU_EXTENSION_NAME_OFFSET, kExtensionName);
    const uint16_t zero = 0;
    memcpy(record + MENU_FIELD1_OFFSET, &zero, sizeof zero);
    memcpy(record + MENU_FIELD2_OFFSET, &zero, sizeof zero);
    return 1;
}

uint32_t WINAPI FinaleExtensionGetMenuStatus(uint32_t) { return 1; }

void WINAPI FinaleExtensionTerminate(uint32_t) {}

}  // extern "C"
