#include "finaleframework/score/fcstafflist.h"

#include "finalepdk/finalepdk.h"

uint32_t FCStaffListElement::TagOfMode(int mode) {
    static const uint32_t kTags[4] = {0x6F744443, 0x6F746463, 0x6F74494F, 0x6F74696F};
    return mode >= 0 && mode < 4 ? kTags[mode] : 0;
}

bool FCPage::UpdateLayout(bool flag) {
    const uint16_t page = GetItemNo();
    FX_UpdateLayout(static_cast<int16_t>(page), flag ? 1 : 0, FINALE_FRAMEWORK_VERSION);
    return Load(page);
}

int16_t FCStaffSystems::UpdateFullLayout() { return FX_UpdateLayout(1, 0, FINALE_FRAMEWORK_VERSION); }
