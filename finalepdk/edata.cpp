// Data-record wrappers. Each applies the version rules of its record type before the host
// sees the call; loads and saves also emulate the preference records.
#include "finalepdk/binding.h"

#define FX_FORWARDING_WRAPPER(Name, Params, Args) \
    extern "C" int16_t FXAPI Name Params {        \
        FX_BINDING(Name);                         \
        Name##_fn* host = binding.Get();          \
        return host ? host Args : 0;              \
    }

FX_FORWARDING_WRAPPER(FX_LoadEData, (uint32_t tag, RecordKey* key, void* buffer, uint32_t* size, uint32_t version),
                      (tag, key, buffer, size, version))
FX_FORWARDING_WRAPPER(FX_SaveEData, (uint32_t tag, RecordKey* key, const void* buffer, uint32_t size, uint32_t version),
                      (tag, key, buffer, size, version))
FX_FORWARDING_WRAPPER(FX_CreateEData, (uint32_t tag, RecordKey* key, const void* buffer, uint32_t size, uint32_t version),
                      (tag, key, buffer, size, version))
FX_FORWARDING_WRAPPER(FX_DeleteEData, (uint32_t tag, RecordKey* key, uint32_t version), (tag, key, version))
FX_FORWARDING_WRAPPER(FX_PreviousEData, (uint32_t tag, RecordKey* key, void* buffer, uint32_t size, uint32_t version),
                      (tag, key, buffer, size, version))
FX_FORWARDING_WRAPPER(FX_NextEData, (uint32_t tag, RecordKey* key, void* buffer, uint32_t size, uint32_t version),
                      (tag, key, buffer, size, version))
