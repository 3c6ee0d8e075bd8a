// Memory for entry-frame arrays: below 4 GiB, so that the frame header's 32-bit pointer
// fields hold it exactly, and ending flush against an inaccessible page, so that any read
// or write past the end of an array faults at once.
#pragma once

#include <cstddef>

void* LowAlloc(size_t size);
void LowFree(void* block, size_t size);
