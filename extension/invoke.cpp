// The menu item's command. The fermata consistency scan arrives with the framework's
// score and marking classes; until then the command reports nothing.
#include "extension/holdsync.h"

extern "C" uint32_t WINAPI FinaleExtensionInvoke(HWND, uint32_t, EREGION*, uint32_t) { return 0; }
