#include "host/scenarios.h"

#include "host/demo.h"

namespace {

constexpr int16_t kQuarter = 1024;

// A whole note on each of the staves in every measure up to `measures`.
void WholeNotes(HostDocument& doc, const std::vector<int16_t>& staves, int16_t measures) {
    for (int16_t measure = 1; measure <= measures; ++measure)
        for (int16_t staff : staves) doc.AddEntry(staff, measure, 0, 0, 4 * kQuarter, {0});
}

// Marks the first entry of a staff's layer in a measure with an articulation.
void Mark(HostDocument& doc, int16_t staff, int16_t measure, int16_t layer, int16_t definition) {
    CellLayer& cell = doc.CellLayerAt(staff, measure, layer);
    if (!cell.entries.empty()) doc.AddArticulation(cell.entries.front().entryNumber, definition);
}

std::vector<int16_t> Staves(HostDocument& doc, const std::vector<std::string>& names) {
    std::vector<int16_t> staves;
    for (const std::string& name : names) staves.push_back(doc.AddStaff(name));
    return staves;
}

// Three staves, measure 5: the first two hold with a Maestro 'U', the third does not.
void ThreeStaves(HostDocument& doc) {
    const auto staves = Staves(doc, {"Flute", "Oboe", "Clarinet"});
    WholeNotes(doc, staves, 6);
    doc.AddMeasureNumberRegion(1, 6, 1);
    const int16_t fermata = doc.AddArticulationDef("Maestro", 'U');
    Mark(doc, staves[0], 5, 0, fermata);
    Mark(doc, staves[1], 5, 0, fermata);
}

// Fermatas on every staff of measure 2 and on none of measure 3: nothing to report.
void AllOrNone(HostDocument& doc) {
    const auto staves = Staves(doc, {"Soprano", "Alto", "Tenor"});
    WholeNotes(doc, staves, 3);
    doc.AddMeasureNumberRegion(1, 3, 1);
    const int16_t fermata = doc.AddArticulationDef("EngraverFontSet", 'U');
    for (int16_t staff : staves) Mark(doc, staff, 2, 0, fermata);
}

// A fermata on a second layer counts; one on a hidden layer does not.
void Layers(HostDocument& doc) {
    const auto staves = Staves(doc, {"Piano RH", "Piano LH"});
    WholeNotes(doc, staves, 2);
    doc.AddMeasureNumberRegion(1, 2, 1);
    doc.hiddenLayers = {2};
    const int16_t fermata = doc.AddArticulationDef("Maestro Wide", 'u');
    Mark(doc, staves[0], 1, 0, fermata);
    doc.AddEntry(staves[1], 1, 1, 0, 4 * kQuarter, {-7});
    Mark(doc, staves[1], 1, 1, fermata);
    Mark(doc, staves[0], 2, 0, fermata);
    doc.AddEntry(staves[1], 2, 2, 0, 4 * kQuarter, {-7});
    Mark(doc, staves[1], 2, 2, fermata);
}

// Which articulation symbols are fermatas: font names match exactly, 'U' and 'u' only.
void Fonts(HostDocument& doc) {
    const auto staves = Staves(doc, {"Violin I", "Violin II"});
    WholeNotes(doc, staves, 4);
    doc.AddMeasureNumberRegion(1, 4, 1);
    Mark(doc, staves[0], 1, 0, doc.AddArticulationDef("Broadway Copyist", 'u'));
    Mark(doc, staves[0], 2, 0, doc.AddArticulationDef("maestro", 'U'));
    Mark(doc, staves[0], 3, 0, doc.AddArticulationDef("Maestro", 'V'));
    Mark(doc, staves[1], 4, 0, doc.AddArticulationDef("Articulations", 'U'));
}

// Text expressions: one fermata character in a listed font, selected by the last font tag.
void TextExpressions(HostDocument& doc) {
    const auto staves = Staves(doc, {"Trumpet", "Trombone"});
    WholeNotes(doc, staves, 6);
    doc.AddMeasureNumberRegion(1, 6, 1);
    const char* texts[] = {"^fontMus(Jazz)U", "^fontMus(Jazz)UU", "^fontMus(Jazz)U ", "^fontTxt(Times)U", "U",
                           "^fontTxt(Times)^fontMus(Maestro)u"};
    int16_t measure = 1;
    for (const char* text : texts) doc.AddExpression(measure++, staves[0], doc.AddTextExpressionDef(text));
}

// A finding in a measure that no measure number region covers, and a renumbered one.
void MeasureNumbers(HostDocument& doc) {
    const auto staves = Staves(doc, {"Horn", "Tuba"});
    WholeNotes(doc, staves, 6);
    doc.AddMeasureNumberRegion(1, 3, 1);
    doc.AddMeasureNumberRegion(5, 6, 1, "B", "a");
    const int16_t fermata = doc.AddArticulationDef("Jazz", 'U');
    Mark(doc, staves[0], 4, 0, fermata);
    Mark(doc, staves[1], 6, 0, fermata);
}

// Staff numbers that differ from the score order; findings come top slot first, measure
// by measure.
void SlotOrder(HostDocument& doc) {
    const int16_t bass = doc.AddStaff("Bass", 7);
    const int16_t cello = doc.AddStaff("^font(Times)^size(12)Cello", 3);
    const int16_t viola = doc.AddStaff("Viola", 5);
    doc.SetSlotOrder({viola, cello, bass});
    WholeNotes(doc, {bass, cello, viola}, 3);
    doc.AddMeasureNumberRegion(1, 3, 1);
    const int16_t fermata = doc.AddArticulationDef("Maestro", 'U');
    Mark(doc, cello, 1, 0, fermata);
    Mark(doc, viola, 3, 0, fermata);
    Mark(doc, bass, 3, 0, fermata);
}

// Notes and rests without a single fermata.
void NoFermatas(HostDocument& doc) {
    const auto staves = Staves(doc, {"Guitar", "Bass Guitar"});
    WholeNotes(doc, staves, 2);
    doc.AddEntry(staves[0], 3, 0, 0, 4 * kQuarter);
    doc.AddEntry(staves[1], 3, 0, 0, 4 * kQuarter);
    doc.AddMeasureNumberRegion(1, 3, 1);
    Mark(doc, staves[0], 1, 0, doc.AddArticulationDef("Maestro", '>'));
}

struct Scenario {
    const char* name;
    void (*build)(HostDocument&);
};

const Scenario kScenarios[] = {
    {"demo", BuildDemoDocument},
    {"three-staves", ThreeStaves},
    {"all-or-none", AllOrNone},
    {"layers", Layers},
    {"fonts", Fonts},
    {"text-expressions", TextExpressions},
    {"measure-numbers", MeasureNumbers},
    {"slot-order", SlotOrder},
    {"no-fermatas", NoFermatas},
    {"empty", [](HostDocument&) {}},
};

}  // namespace

const std::vector<std::string>& ScenarioNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const Scenario& scenario : kScenarios) list.push_back(scenario.name);
        return list;
    }();
    return names;
}

bool BuildScenario(const std::string& name, HostDocument& document) {
    for (const Scenario& scenario : kScenarios)
        if (name == scenario.name) {
            scenario.build(document);
            return true;
        }
    return false;
}
