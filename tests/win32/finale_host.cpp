// The Windows test host: the simulated host built as a Windows executable that exports its
// FX_ functions under their plain names, as the real host does. It loads the plug-in DLL
// with the system's loader, finds its entry points by name, catches its message boxes by
// patching the DLL's import of MessageBoxA, and runs one scenario.
//   FINALE.EXE [--plugin DLL] list | lowmem | SCENARIO
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/lowmem.h"
#include "host/simulated_host.h"
#include "tests/win32/scenario_run.h"

namespace {

// The plug-in's message boxes, recorded with the host instead of being shown.
int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (SimulatedHost* host = SimulatedHost::Current())
        host->messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

// Points every import slot of `function` from `dll` in the module's import address table
// at `replacement`; the number of slots patched, or -1 when the image is not a PE image.
int PatchImport(HMODULE module, const char* dll, const char* function, void* replacement) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return -1;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return -1;
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return 0;
    int patched = 0;
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name; ++descriptor) {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0) continue;
        // The lookup table names the imports; the address table holds what the loader bound.
        const DWORD lookup = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk
                                                            : descriptor->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + lookup);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            ULONG_PTR* slot = &slots->u1.Function;
            DWORD old;
            if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return -1;
            *slot = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(slot, sizeof *slot, old, &old);
            ++patched;
        }
    }
    return patched;
}

template <class Fn>
Fn Find(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Frame memory as the host hands it out: below 4 GiB, writable to its last byte, followed
// by an inaccessible page, and given back whole.
int CheckLowMemory() {
    int failures = 0;
    for (size_t size : {size_t{1}, size_t{26}, size_t{146}, size_t{4096}, size_t{146 * 40}, size_t{70000}}) {
        auto* block = static_cast<uint8_t*>(LowAlloc(size));
        const uintptr_t address = reinterpret_cast<uintptr_t>(block);
        memset(block, 0x5A, size);
        MEMORY_BASIC_INFORMATION guard{}, freed{};
        VirtualQuery(block + size, &guard, sizeof guard);
        LowFree(block, size);
        VirtualQuery(block, &freed, sizeof freed);
        const bool low = address + size <= 0x100000000ull;
        const bool guarded = guard.State == MEM_COMMIT && guard.Protect == PAGE_NOACCESS;
        const bool released = freed.State == MEM_FREE;
        printf("lowmem %zu bytes: %s, %s, %s\n", size, low ? "below 4 GiB" : "ABOVE 4 GiB",
               guarded ? "guard page follows" : "NO GUARD PAGE", released ? "released" : "NOT RELEASED");
        failures += !(low && guarded && released);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n, as the native runner's do
    const char* pluginPath = "holdsync64.fxt";
    int arg = 1;
    if (arg + 1 < argc && strcmp(argv[arg], "--plugin") == 0) {
        pluginPath = argv[arg + 1];
        arg += 2;
    }
    if (arg + 1 != argc) {
        fprintf(stderr, "usage: %s [--plugin DLL] list | lowmem | SCENARIO\n", argv[0]);
        return 2;
    }
    const std::string command = argv[arg];
    if (command == "list") {
        fputs(ScenarioList().c_str(), stdout);
        return 0;
    }
    if (command == "lowmem") return CheckLowMemory();

    HMODULE plugin = LoadLibraryA(pluginPath);
    if (!plugin) {
        fprintf(stderr, "cannot load %s (error %lu)\n", pluginPath, GetLastError());
        return 2;
    }
    void* recorder = reinterpret_cast<void*>(&RecordMessageBox);
    const int patched = PatchImport(plugin, "USER32.dll", "MessageBoxA", recorder);
    if (patched < 0) {
        fprintf(stderr, "%s: cannot patch its import of MessageBoxA\n", pluginPath);
        return 2;
    }
    if (patched == 0) fprintf(stderr, "%s imports no MessageBoxA: it shows no boxes\n", pluginPath);

    const PluginExports exports{
        Find<decltype(PluginExports::version)>(plugin, "FinaleExtensionVersion"),
        Find<decltype(PluginExports::init)>(plugin, "FinaleExtensionInit"),
        Find<decltype(PluginExports::enumerate)>(plugin, "FinaleExtensionEnumerate"),
        Find<decltype(PluginExports::getMenuStatus)>(plugin, "FinaleExtensionGetMenuStatus"),
        Find<decltype(PluginExports::invoke)>(plugin, "FinaleExtensionInvoke"),
        Find<decltype(PluginExports::terminate)>(plugin, "FinaleExtensionTerminate")};
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    const char* moduleName = strrchr(self, '\\') ? strrchr(self, '\\') + 1 : self;
    std::string out;
    const bool ran = RunScenario(exports, command, moduleName, out);
    fputs(out.c_str(), ran ? stdout : stderr);
    FreeLibrary(plugin);
    return ran ? 0 : 2;
}
