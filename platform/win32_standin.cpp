// Stand-in for the few Win32 functions the plug-in calls, for builds outside Windows.
// Modules are names registered by a host, each with a resolver that plays the part of
// the module's export table.
#include "platform/win32.h"

#include <cstdio>
#include <strings.h>

namespace {

constexpr int kMaxModules = 8;

struct RegisteredModule {
    char name[64];
    void* (*resolve)(const char* procName);
};

RegisteredModule gModules[kMaxModules];
int (*gMessageBox)(void*, const char*, const char*, unsigned int) = nullptr;
void* (*gGetDlgItem)(void*, int) = nullptr;
int (*gShowWindow)(void*, int) = nullptr;

RegisteredModule* FindModule(const char* name) {
    for (RegisteredModule& module : gModules)
        if (module.resolve && strcasecmp(module.name, name) == 0) return &module;
    return nullptr;
}

}  // namespace

extern "C" {

void PlatformRegisterModule(const char* name, void* (*resolve)(const char*)) {
    if (!name) return;
    RegisteredModule* module = FindModule(name);
    if (!module) {
        if (!resolve) return;
        for (RegisteredModule& free : gModules)
            if (!free.resolve) { module = &free; break; }
        if (!module) return;
        snprintf(module->name, sizeof module->name, "%s", name);
    }
    module->resolve = resolve;
}

void PlatformSetMessageBox(int (*messageBox)(void*, const char*, const char*, unsigned int)) {
    gMessageBox = messageBox;
}

void PlatformSetDialogItemHooks(void* (*getDlgItem)(void*, int), int (*showWindow)(void*, int)) {
    gGetDlgItem = getDlgItem;
    gShowWindow = showWindow;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    if (!moduleName) return nullptr;
    return reinterpret_cast<HMODULE>(FindModule(moduleName));
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName) {
    auto* registered = reinterpret_cast<RegisteredModule*>(module);
    if (!registered || !procName || !registered->resolve) return nullptr;
    return reinterpret_cast<FARPROC>(registered->resolve(procName));
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (gMessageBox) return gMessageBox(owner, text, caption, type);
    fprintf(stderr, "%s\n%s\n", caption ? caption : "", text ? text : "");
    return IDOK;
}

HWND WINAPI GetDlgItem(HWND dialog, int item) {
    return gGetDlgItem ? static_cast<HWND>(gGetDlgItem(dialog, item)) : nullptr;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
    return gShowWindow ? gShowWindow(window, command) : 0;
}

}  // extern "C"
