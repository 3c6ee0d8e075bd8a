// Memory for entry-frame arrays: below 4 GiB, so that the frame header's 32-bit pointer
// fields hold it exactly, and ending flush against an inaccessible page, so that any read
// or write past the end of an array faults at once.
#pragma once

#include <cstddef>

void* LowAlloc(size_t size);
void LowFree(void* block, size_t size);

// Whether freed blocks are kept for reuse instead of being unmapped. Off by default, so
// that a stale pointer into a freed frame faults at once in tests; a long run over many
// documents turns it on and saves the mapping work of every frame.
void SetLowMemoryReuse(bool reuse);
