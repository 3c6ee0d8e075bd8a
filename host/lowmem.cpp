#include "host/lowmem.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

constexpr size_t kPage = 4096;

size_t MappedSize(size_t size) { return (size + kPage - 1) / kPage * kPage + kPage; }

// Released mappings by mapped size, guard page still in place, while reuse is on.
constexpr size_t kMaxSparePerSize = 256;
bool gReuse = false;
std::map<size_t, std::vector<uint8_t*>> gSpare;

#if defined(_WIN32)
void* MapLow(size_t bytes) {
    // Walk up from 256 MiB, a megabyte at a time, for a free range below 4 GiB.
    for (uintptr_t address = 0x10000000; address < 0xF0000000u; address += 0x100000) {
        void* block = VirtualAlloc(reinterpret_cast<void*>(address), bytes, MEM_RESERVE | MEM_COMMIT,
                                   PAGE_READWRITE);
        if (block) return block;
    }
    return nullptr;
}
void UnmapLow(void* block, size_t) { VirtualFree(block, 0, MEM_RELEASE); }
void ProtectGuard(void* page) {
    DWORD old;
    VirtualProtect(page, kPage, PAGE_NOACCESS, &old);
}
#else
void* MapLow(size_t bytes) {
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(__x86_64__)
    flags |= MAP_32BIT;
#endif
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, flags, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}
void UnmapLow(void* block, size_t bytes) { munmap(block, bytes); }
void ProtectGuard(void* page) { mprotect(page, kPage, PROT_NONE); }
#endif

}  // namespace

void* LowAlloc(size_t size) {
    const size_t mapped = MappedSize(size);
    std::vector<uint8_t*>& spare = gSpare[mapped];
    if (!spare.empty()) {
        uint8_t* block = spare.back() + mapped - kPage - size;
        spare.pop_back();
        memset(block, 0, size);
        return block;
    }
    auto* base = static_cast<uint8_t*>(MapLow(mapped));
    if (!base) abort();
    if (static_cast<uint64_t>(reinterpret_cast<uintptr_t>(base)) + mapped > 0x100000000ull) abort();
    uint8_t* guard = base + mapped - kPage;
    ProtectGuard(guard);
    uint8_t* block = guard - size;
    memset(block, 0, size);
    return block;
}

void LowFree(void* block, size_t size) {
    if (!block) return;
    const size_t mapped = MappedSize(size);
    uint8_t* base = static_cast<uint8_t*>(block) + size + kPage - mapped;
    std::vector<uint8_t*>& spare = gSpare[mapped];
    if (gReuse && spare.size() < kMaxSparePerSize) {
        spare.push_back(base);
        return;
    }
    UnmapLow(base, mapped);
}

void SetLowMemoryReuse(bool reuse) {
    gReuse = reuse;
    if (reuse) return;
    for (auto& [mapped, bases] : gSpare)
        for (uint8_t* base : bases) UnmapLow(base, mapped);
    gSpare.clear();
}
