#include "finaleframework/markings/fcarticulation.h"

#include <cstring>

#include "finaleframework/entries/fcnoteentry.h"
#include "finalepdk/finalepdk.h"

FCArticulationDef* FCArticulation::CreateArticulationDef() {
    auto* definition = new FCArticulationDef(FINALE_FRAMEWORK_VERSION);
    definition->Load(static_cast<uint16_t>(GetID()));
    return definition;
}

void FCArticulation::_SetEntryFlag(FCNoteEntry* entry, bool on) {
    if (entry) entry->_SetEntryFlag(ENTRY_ARTICULATIONS, on);
}

__FCBaseData* FCArticulations::CreateElement(uint32_t version) { return new FCArticulation(version); }

bool FCArticulations::ContainsID(int16_t id) {
    for (int i = 0; i < GetCount(); ++i) {
        FCArticulation* articulation = GetArticulationAt(i);
        if (articulation && articulation->GetID() == id) return true;
    }
    return false;
}

void FCArticulationDef::GetMainSymbolFont(char (*name)[256]) {
    if (!name) return;
    (*name)[0] = 0;
    if (_IsShapeSymbol()) return;
    const int16_t font = _GetField<uint8_t>(2);
    if (!(FX_FontNumToName(font, *name, FINALE_FRAMEWORK_VERSION) & 0xFFFF)) (*name)[0] = 0;
    (*name)[255] = 0;
}

bool FCArticulationDef::IsMainSymbolFont(const char (*name)[256]) {
    if (!name) return false;
    char font[256];
    GetMainSymbolFont(&font);
    return strncmp(font, *name, sizeof font) == 0;
}

unsigned char FCArticulationDef::GetMainSymbolChar() { return _IsShapeSymbol() ? 0 : _GetField<uint8_t>(0); }

int FCArticulationDef::GetAutoPosSide() {
    const uint16_t word = _GetField<uint16_t>(10);
    if (!(word & 0x0008)) return 0;
    static constexpr int SIDES[8] = {2, 3, 5, 4, 1, 0, 0, 0};
    return SIDES[word & 0x0007];
}
