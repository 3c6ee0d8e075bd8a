// Data-record wrappers. Each applies the version rules of its record type before the host
// sees the call; loads and saves also emulate the preference records (prefmaps.h), and
// loads work around the host's answers for three record types.
#include "finalepdk/edata.h"

#include <algorithm>
#include <cstring>

#include "finalepdk/binding.h"
#include "finalepdk/prefmaps.h"

namespace {

// A version rule: a record of this tag and size whose version lies in [lowest, highest]
// goes to the host with `becomes`, after the warning when there is one.
struct VersionRule {
    uint32_t tag;
    int32_t size;
    uint32_t lowest, highest;
    uint32_t becomes;
    const char* warning;
};
consteval VersionRule AtMost(const char (&tag)[5], int32_t size, uint32_t highest, uint32_t becomes) {
    return {FourCharTag(tag), size, 0, highest, becomes, nullptr};
}
consteval VersionRule Always(const char (&tag)[5], int32_t size, uint32_t becomes) {
    return {FourCharTag(tag), size, 0, UINT32_MAX, becomes, nullptr};
}
consteval VersionRule Above(const char (&tag)[5], int32_t size, uint32_t highest) {
    return {FourCharTag(tag), size, highest + 1, UINT32_MAX, highest, nullptr};
}
consteval VersionRule Warn(const char (&tag)[5], int32_t size, uint32_t highest, uint32_t becomes,
                           const char* warning) {
    return {FourCharTag(tag), size, 0, highest, becomes, warning};
}

// Measures (SOMS), staff styles (SOSS), staves (SOIS), graphics (SDGF), text blocks (SOTX)
// and shape expressions (otDO): each size is one layout, and with it one host version.
constexpr VersionRule kVersionRules[] = {
    AtMost("SOMS", 26, 0x09FFFFFF, 0x0A000000),
    Always("SOMS", 24, 0x09000000),
    AtMost("SOSS", 28, 0x09FFFFFF, 0x0A000000),
    AtMost("SOSS", 24, 0x05FFFFFF, 0x06000000),
    Always("SOSS", 22, 0x05000000),
    Always("SOIS", 66, 0x05000000),
    Always("SOIS", 102, 0x08000000),
    Above("SDGF", 12, 0x08000000),
    Warn("SDGF", 10, 0x08FFFFFF, 0x09000000,
         "Warning to plug-in developer: EDTGfhold2004 used with wrong version parameter"),
    Above("SOTX", 48, 0x08000000),
    Warn("SOTX", 26, 0x08FFFFFF, 0x09000000,
         "Warning to plug-in developer: EDTTextBlock2004 used with wrong version parameter"),
    Above("otDO", 12, 0x08000000),
    Warn("otDO", 34, 0x08FFFFFF, 0x09000000,
         "Warning to plug-in developer: EDTShapeExpression2004 used with wrong version parameter"),
};
// The older tag of the staff style shares its rules.
constexpr uint32_t constStaffStyleTag = FourCharTag("SOSS");
constexpr uint32_t constOldStaffStyleTag = 0x4F025353;

// Records the host may fail to load while still filling them: the answer then lies in
// whether it wrote anything into the cleared bytes.
constexpr uint32_t constArticulationDefTag = 0x4F044958;
constexpr uint32_t constArticulationDefBytes = 48;
constexpr uint32_t constFilledOnFailureTag = 0x4F096649;
constexpr uint32_t constFilledOnFailureBytes = 108;
// A staff style definition the host does not answer for, though its "ot" record exists:
// it then reads as an empty 66-byte record.
constexpr uint32_t constStaffStyleDefTag = 0x534F5344;
constexpr uint32_t constStaffStyleDefSourceTag = 0x6F745344;
constexpr uint32_t constStaffStyleDefBytes = 66;

// Callers up to this version save preference records to the host as they are, unmapped.
constexpr uint32_t constLastUnmappedSaveVersion = 0x07FFFFFF;

// The staff style definition under the caller's item number, read as empty when its "ot"
// record exists; 0 when that does not exist either.
int16_t LoadEmptyStaffStyleDef(const RecordKey* key, void* buffer, uint32_t* size) {
    if (!key) return 0;
    RecordKey sourceKey = *key;
    WriteKeyField<int16_t>(sourceKey, 2, 0);
    uint8_t source[constSourceRecordSize] = {};
    uint32_t sourceSize = sizeof source;
    if (!FX_LoadEData(constStaffStyleDefSourceTag, &sourceKey, source, &sourceSize, FINALE_FRAMEWORK_VERSION))
        return 0;
    if (!buffer)
        *size = constStaffStyleDefBytes;
    else
        memset(buffer, 0, std::min(*size, constStaffStyleDefBytes));
    return 1;
}

}  // namespace

void HandleEnigmaVersion(uint32_t& tag, int32_t size, uint32_t& version) {
    const uint32_t ruleTag = tag == constOldStaffStyleTag ? constStaffStyleTag : tag;
    for (const VersionRule& rule : kVersionRules) {
        if (rule.tag != ruleTag || rule.size != size || version < rule.lowest || version > rule.highest)
            continue;
        if (rule.warning) FX_AlertMessage(nullptr, 0, 0, rule.warning, FINALE_FRAMEWORK_VERSION);
        version = rule.becomes;
        return;
    }
}

// Loads a record into a buffer of *size bytes (null: only its size into *size); 0 when it
// does not exist, a mapped record does not fit, or the host lacks the function.
extern "C" int16_t FXAPI FX_LoadEData(uint32_t tag, RecordKey* key, void* buffer, uint32_t* size,
                                      uint32_t version) {
    FX_BINDING(FX_LoadEData);
    FX_LoadEData_fn* host = binding.Get();
    if (!host || !size) return 0;
    uint32_t corrected = version;
    HandleEnigmaVersion(tag, static_cast<int32_t>(*size), corrected);

    // After a successful first answer for these tags, the host is asked again below.
    if (buffer && (tag == constArticulationDefTag || tag == constFilledOnFailureTag)) {
        const uint32_t bytes =
            tag == constArticulationDefTag ? constArticulationDefBytes : constFilledOnFailureBytes;
        const uint32_t cleared = std::min(*size, bytes);
        memset(buffer, 0, cleared);
        if (!host(tag, key, buffer, size, corrected)) {
            const auto* begin = static_cast<const uint8_t*>(buffer);
            return std::any_of(begin, begin + cleared, [](uint8_t b) { return b != 0; }) ? 1 : 0;
        }
    } else if (tag == constStaffStyleDefTag) {
        if (!host(tag, key, buffer, size, corrected)) return LoadEmptyStaffStyleDef(key, buffer, size);
    }

    if (key) {
        if (auto mapped = LoadMappedPrefs(tag, ReadKeyField<int16_t>(*key, 0), buffer, size)) return *mapped;
    }
    return host(tag, key, buffer, size, corrected);
}

// Saves size bytes of a buffer as a record; 0 when the host refuses, or a mapped record is
// missing or shorter than its layout.
extern "C" int16_t FXAPI FX_SaveEData(uint32_t tag, RecordKey* key, const void* buffer, uint32_t size,
                                      uint32_t version) {
    FX_BINDING(FX_SaveEData);
    FX_SaveEData_fn* host = binding.Get();
    if (!host) return 0;
    uint32_t corrected = version;
    HandleEnigmaVersion(tag, static_cast<int32_t>(size), corrected);
    if (key && version > constLastUnmappedSaveVersion) {
        if (auto mapped = SaveMappedPrefs(tag, ReadKeyField<int16_t>(*key, 0), buffer, size)) return *mapped;
    }
    return host(tag, key, buffer, size, corrected);
}

// Create, previous and next: the host's answer (0 on failure) after the version rules, with
// the fourth argument as the size.
#define FX_VERSIONED_WRAPPER(Name, BufferType)                                                    \
    extern "C" int16_t FXAPI Name(uint32_t tag, RecordKey* key, BufferType buffer, uint32_t size, \
                                  uint32_t version) {                                             \
        FX_BINDING(Name);                                                                         \
        Name##_fn* host = binding.Get();                                                          \
        if (!host) return 0;                                                                      \
        HandleEnigmaVersion(tag, static_cast<int32_t>(size), version);                            \
        return host(tag, key, buffer, size, version);                                             \
    }
FX_VERSIONED_WRAPPER(FX_CreateEData, const void*)
FX_VERSIONED_WRAPPER(FX_PreviousEData, void*)
FX_VERSIONED_WRAPPER(FX_NextEData, void*)
#undef FX_VERSIONED_WRAPPER

// Deletes a record; 0 when the host refuses or lacks the function.
extern "C" int16_t FXAPI FX_DeleteEData(uint32_t tag, RecordKey* key, uint32_t version) {
    FX_BINDING(FX_DeleteEData);
    FX_DeleteEData_fn* host = binding.Get();
    return host ? host(tag, key, version) : 0;
}
