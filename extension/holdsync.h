// The plug-in's outward face: the entry points the host finds by their plain names.
#pragma once

#include <cstdint>

#include "finalepdk/fxrecords.h"
#include "platform/win32.h"

// Interface version the plug-in answers to the host's version exchange.
constexpr uint32_t HOLDSYNC_INTERFACE_VERSION = 0x0E000000;

// The host's menu-item record, as far as the plug-in fills it.
constexpr int MENU_TEXT_OFFSET = 0;
constexpr int MENU_DESCRIPTION_OFFSET = 64;
constexpr int MENU_EXTENSION_NAME_OFFSET = 128;
constexpr int MENU_FIELD1_OFFSET = 192;
constexpr int MENU_FIELD2_OFFSET = 194;
constexpr int MENU_RECORD_SIZE = 196;
constexpr int MENU_TEXT_WIDTH = 64;

extern "C" {
HOLDSYNC_EXPORT uint32_t WINAPI FinaleExtensionVersion(uint32_t hostVersion);
HOLDSYNC_EXPORT uint32_t WINAPI FinaleExtensionInit(uint32_t ignored1, uint32_t ignored2);
HOLDSYNC_EXPORT uint32_t WINAPI FinaleExtensionEnumerate(uint32_t ignored, uint32_t index, void* menuItem);
HOLDSYNC_EXPORT uint32_t WINAPI FinaleExtensionGetMenuStatus(uint32_t ignored);
HOLDSYNC_EXPORT void WINAPI FinaleExtensionTerminate(uint32_t ignored);
HOLDSYNC_EXPORT uint32_t WINAPI FinaleExtensionInvoke(HWND window, uint32_t ignored1, EREGION* region,
                                                      uint32_t ignored2);
}
