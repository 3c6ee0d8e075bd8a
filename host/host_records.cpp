// The host's data-record functions.
#include <algorithm>
#include <cstring>

#include "host/hostfunctions.h"
#include "host/simulated_host.h"

namespace {
HostDocument& Doc() { return SimulatedHost::Current()->Document(); }
}  // namespace

extern "C" {

int16_t FXAPI HostFX_LoadEData(uint32_t tag, RecordKey* key, void* buffer, uint32_t* size, uint32_t version) {
    SimulatedHost::Current()->Log("FX_LoadEData", tag, key, buffer ? 1 : 0, size ? *size : 0, version);
    if (SimulatedHost::Current()->loadEDataOverride)
        return SimulatedHost::Current()->loadEDataOverride(tag, key, buffer, size, version);
    if (!key || !size) return 0;
    const Bytes* record = Doc().FindRecord(tag, *key);
    if (!record && tag == 0x534F5343) {
        // The staff in effect at an entry: without a change of staff attributes on record,
        // the staff's own record.
        uint16_t staff;
        memcpy(&staff, key->bytes, sizeof staff);
        record = Doc().FindRecord(0x534F4953, OtherKey(staff));
    }
    if (!record) return 0;
    if (!buffer) {
        *size = static_cast<uint32_t>(record->size());
        return 1;
    }
    const uint32_t delivered = std::min<uint32_t>(*size, static_cast<uint32_t>(record->size()));
    memcpy(buffer, record->data(), delivered);
    *size = delivered;
    return 1;
}

int16_t FXAPI HostFX_SaveEData(uint32_t tag, RecordKey* key, const void* buffer, uint32_t size, uint32_t version) {
    SimulatedHost::Current()->Log("FX_SaveEData", tag, key, buffer ? 1 : 0, size, version);
    if (!key || !buffer || size == 0) return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    Doc().SetRecord(tag, *key, Bytes(bytes, bytes + size));
    return 1;
}

int16_t FXAPI HostFX_CreateEData(uint32_t tag, RecordKey* key, const void* buffer, uint32_t size, uint32_t version) {
    SimulatedHost::Current()->Log("FX_CreateEData", tag, key, buffer ? 1 : 0, size, version);
    if (!key || !buffer || size == 0) return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    return Doc().CreateRecord(tag, *key, Bytes(bytes, bytes + size)) ? 1 : 0;
}

int16_t FXAPI HostFX_DeleteEData(uint32_t tag, RecordKey* key, uint32_t version) {
    SimulatedHost::Current()->Log("FX_DeleteEData", tag, key, version);
    return key && Doc().EraseRecord(tag, *key) ? 1 : 0;
}

int16_t FXAPI HostFX_NextEData(uint32_t tag, RecordKey* key, void* buffer, uint32_t size, uint32_t version) {
    SimulatedHost::Current()->Log("FX_NextEData", tag, key, buffer ? 1 : 0, size, version);
    return key && Doc().NextKey(tag, *key, true) ? 1 : 0;
}

int16_t FXAPI HostFX_PreviousEData(uint32_t tag, RecordKey* key, void* buffer, uint32_t size, uint32_t version) {
    SimulatedHost::Current()->Log("FX_PreviousEData", tag, key, buffer ? 1 : 0, size, version);
    return key && Doc().NextKey(tag, *key, false) ? 1 : 0;
}

}  // extern "C"
