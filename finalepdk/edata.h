// Version rules of the data-record wrappers: for record types whose size gives their
// layout away, the version value the host must see.
#pragma once

#include <cstdint>

// Corrects the version for a record of this tag and size (size 0 changes nothing); where
// the size contradicts the version, first warns the plug-in's developer through the host.
void HandleEnigmaVersion(uint32_t& tag, int32_t size, uint32_t& version);
