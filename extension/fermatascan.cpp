#include "extension/fermatascan.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "finaleframework/collections/fcregion.h"
#include "finaleframework/core/fcstring.h"
#include "finaleframework/entries/fcnoteentrycell.h"
#include "finaleframework/markings/fcarticulation.h"
#include "finaleframework/markings/fcexpression.h"
#include "finaleframework/score/fcmeasurenumber.h"
#include "finaleframework/score/fcstaff.h"

const char* const constMaestro = "Maestro";
const char* const constMaestroWide = "Maestro Wide";
const char* const constEngraver = "EngraverFontSet";
const char* const constJazz = "Jazz";
const char* const constBroadwayCopyist = "Broadway Copyist";
const char* const constArticulations = "Articulations";

FERMATAINFO fermatainforecords[FERMATA_GLYPH_COUNT] = {
    {nullptr, 'U'}, {nullptr, 'u'}, {nullptr, 'U'}, {nullptr, 'u'}, {nullptr, 'U'}, {nullptr, 'u'},
    {nullptr, 'U'}, {nullptr, 'u'}, {nullptr, 'U'}, {nullptr, 'u'}, {nullptr, 'U'}, {nullptr, 'u'}};

namespace {

// Fills the table's font names when the library is loaded, before any entry point runs.
struct FermataTableInitialiser {
    FermataTableInitialiser() {
        const char* const fonts[6] = {constMaestro, constMaestroWide,     constEngraver,
                                      constJazz,    constBroadwayCopyist, constArticulations};
        for (int i = 0; i < FERMATA_GLYPH_COUNT; ++i) fermatainforecords[i].fontName = fonts[i / 2];
    }
} gFermataTableInitialiser;

uint8_t* FlagOf(FCCell* cell) { return static_cast<uint8_t*>(cell->_userData); }

constexpr int kLoadFromStaffListMode = 1;

}  // namespace

bool FCHoldsync::Iterate(__FCBase* element) {
    auto* cell = static_cast<FCCell*>(element);
    switch (_mode) {
        case 0: cell->_userData = new uint8_t(0); break;
        case 1: DecideCell(cell); break;
        case 2: (*FlagOf(cell) ? _withFermata : _withoutFermata) += 1; break;
        case 3: if (!*FlagOf(cell)) ReportCell(cell); break;
        case 4:
            delete FlagOf(cell);
            cell->_userData = nullptr;
            break;
        default: break;
    }
    return true;
}

void FCHoldsync::DecideCell(FCCell* cell) {
    auto* entries = new FCNoteEntryCell(cell->_measure, cell->_staff);
    entries->Load();
    if (entries->FindFirst(this)) *FlagOf(cell) = 1;
    delete entries;
    HasExpressionFermata(cell);
}

bool FCHoldsync::Match(__FCBase* element) {
    auto* entry = static_cast<FCNoteEntry*>(element);
    if (!(entry->GetFlags() & ENTRY_ARTICULATIONS)) return false;
    auto* articulations = new FCArticulations();
    articulations->_noteEntry = entry;
    articulations->LoadAll(FINALE_FRAMEWORK_VERSION);
    for (int i = 0; i < articulations->GetCount(); ++i) {
        auto* articulation = static_cast<FCArticulation*>(articulations->GetItemAt(i));
        FCArticulationDef* definition = articulation->CreateArticulationDef();
        for (const FERMATAINFO& glyph : fermatainforecords) {
            char fontName[256] = {};
            snprintf(fontName, sizeof fontName, "%s", glyph.fontName);
            if (definition->IsMainSymbolFont(&fontName) && definition->GetMainSymbolChar() == glyph.character) {
                delete definition;
                delete articulations;
                return true;
            }
        }
        delete definition;
    }
    delete articulations;
    return false;
}

void FCHoldsync::HasExpressionFermata(FCCell* cell) {
    auto* expressions = new FCExpressions();
    expressions->LoadAllInCell(cell, static_cast<FCStaffListElement::STAFFLIST_MODES>(kLoadFromStaffListMode),
                               FINALE_FRAMEWORK_VERSION);
    for (int i = 0; i < expressions->GetCount(); ++i) {
        auto* expression = static_cast<FCExpression*>(expressions->GetItemAt(i));
        FCTextExpressionDef* definition = expression->CreateTextExpressionDef();
        if (!definition) continue;
        FCString* text = definition->CreateTextString();
        FCFontInfo* font = text->CreateLastFontInfo();
        text->TrimEnigmaTags();
        if (text->GetLength() == 1)
            for (const FERMATAINFO& glyph : fermatainforecords)
                if (text->IsCharacter(0, glyph.character) && strcmp(glyph.fontName, font->_fontName) == 0)
                    *FlagOf(cell) = 1;
        delete font;
        delete text;
        delete definition;
    }
    delete expressions;
}

void FCHoldsync::ReportCell(FCCell* cell) {
    ++_missingCount;
    auto* staff = new FCStaff(FINALE_FRAMEWORK_VERSION);
    staff->Load(static_cast<uint16_t>(cell->_staff));
    FCString* name = staff->CreateFullNameString();
    name->TrimEnigmaTags();

    auto* regions = new FCMeasureNumberRegions();
    regions->LoadAll(FINALE_FRAMEWORK_VERSION);
    char number[FCMeasureNumberRegions::TEXT_CAPACITY];
    if (regions->CalcMeasureNumber(cell->_measure, number) == -1) number[0] = 0;

    // Sized for whatever the staff name and the region give.
    const char* format = "This measure has no fermata:\nMeasure %d\n(Measure number: %s)\n\nStaff %d: %s";
    const char* staffName = name->GetCString();
    const int length = snprintf(nullptr, 0, format, cell->_measure, number, cell->_staff, staffName);
    std::vector<char> message(static_cast<size_t>(length) + 1);
    snprintf(message.data(), message.size(), format, cell->_measure, number, cell->_staff, staffName);
    MessageBoxA(_window, message.data(), "Missing Fermata", MB_OK);

    delete name;
    delete regions;
    delete staff;
}

int Holdsync(HWND window, FCMusicRegion* region) {
    FCHoldsync handler;
    FCCells cells;
    cells.ApplyRegion(region);
    handler._mode = 0;
    cells.ForEach(&handler);
    handler._mode = 1;
    cells.ForEach(&handler);
    for (int measure = region->_startMeasure; measure <= region->_endMeasure; ++measure) {
        handler._mode = 2;
        handler._withFermata = 0;
        handler._withoutFermata = 0;
        cells.ForEachAtMeasure(measure, &handler);
        if (handler._withFermata != 0 && handler._withoutFermata != 0) {
            handler._window = window;
            handler._mode = 3;
            cells.ForEachAtMeasure(measure, &handler);
        }
    }
    const int findings = handler._missingCount;
    handler._mode = 4;
    cells.ForEach(&handler);
    return findings;
}
