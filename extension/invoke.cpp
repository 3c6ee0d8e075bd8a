// The menu item's command: the fermata consistency scan over the selection, or over the
// whole document when nothing is selected.
#include "extension/fermatascan.h"
#include "extension/holdsync.h"
#include "finaleframework/collections/fcregion.h"

extern "C" uint32_t WINAPI FinaleExtensionInvoke(HWND window, uint32_t, EREGION* region, uint32_t) {
    FCMusicRegion selection(region);
    if (selection.IsEmpty()) selection.SetFullDocument();
    if (Holdsync(window, &selection) == 0)
        MessageBoxA(window, "No fermata inconsistencies were found.", "Fermatas OK", MB_OK);
    return 0;
}
