// The Win32 surface the plug-in uses. On Windows it is the system's own; elsewhere a
// small stand-in with the same names and meanings, driven by the Platform* hooks, lets
// the same plug-in code run inside the simulated host.
#pragma once

#include <cstdint>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#define HOLDSYNC_EXPORT
#else

#if defined(__i386__)
#define WINAPI __attribute__((stdcall))
#else
#define WINAPI
#endif
#define HOLDSYNC_EXPORT __attribute__((visibility("default")))

typedef struct HINSTANCE__* HMODULE;
typedef struct HWND__* HWND;
typedef int BOOL;
typedef unsigned int UINT;
typedef const char* LPCSTR;
typedef intptr_t(WINAPI* FARPROC)();

constexpr UINT MB_OK = 0;
constexpr int IDOK = 1;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;

extern "C" {
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HWND WINAPI GetDlgItem(HWND dialog, int item);
BOOL WINAPI ShowWindow(HWND window, int command);

// Hooks through which a host drives the stand-in (exported by libholdsync.so).
HOLDSYNC_EXPORT void PlatformRegisterModule(const char* name, void* (*resolve)(const char* procName));
HOLDSYNC_EXPORT void PlatformSetMessageBox(
    int (*messageBox)(void* window, const char* text, const char* caption, unsigned int type));
HOLDSYNC_EXPORT void PlatformSetDialogItemHooks(void* (*getDlgItem)(void* dialog, int item),
                                                int (*showWindow)(void* window, int command));
}

#endif
