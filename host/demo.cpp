#include "host/demo.h"

namespace {

constexpr int32_t kQuarter = 1024;

// Fills a measure of one staff's layer with quarter notes (or a single one in a pickup).
void Quarters(HostDocument& doc, int16_t staff, int16_t measure, int16_t layer, int count, int16_t pitch) {
    for (int beat = 0; beat < count; ++beat)
        doc.AddEntry(staff, measure, layer, beat * kQuarter, kQuarter, {static_cast<int16_t>(pitch + beat)});
}

// Puts a fermata articulation on the last entry of a staff's layer in a measure.
void FermataOnLast(HostDocument& doc, int16_t staff, int16_t measure, int16_t layer, int16_t definition) {
    CellLayer& cell = doc.CellLayerAt(staff, measure, layer);
    doc.AddArticulation(cell.entries.back().entryNumber, definition);
}

}  // namespace

void BuildDemoDocument(HostDocument& doc) {
    const int16_t violin = doc.AddStaff("Violin");
    const int16_t viola = doc.AddStaff("Viola");
    const int16_t cello = doc.AddStaff("^font(Times)Violoncello");
    doc.SetMeasureCount(8);
    doc.hiddenLayers = {2};

    // Movement I: a pickup (shown as 0) and measures 1-4; movement II restarts at 1.
    doc.AddMeasureNumberRegion(1, 5, 0);
    doc.AddMeasureNumberRegion(6, 8, 1);

    for (int16_t staff : {violin, viola, cello}) {
        Quarters(doc, staff, 1, 0, 1, 4);
        for (int16_t measure = 2; measure <= 8; ++measure) Quarters(doc, staff, measure, 0, 4, 0);
    }

    const int16_t upright = doc.AddArticulationDef("Maestro", 'U');
    const int16_t inverted = doc.AddArticulationDef("Broadway Copyist", 'u');
    const int16_t accent = doc.AddArticulationDef("Maestro", '>');

    // Measure 3: only the violin holds, with an inverted fermata; an accent is no fermata.
    FermataOnLast(doc, violin, 3, 0, inverted);
    FermataOnLast(doc, viola, 3, 0, accent);

    // Measure 5, end of movement I: all three hold, the cello's written as a text expression.
    FermataOnLast(doc, violin, 5, 0, upright);
    FermataOnLast(doc, viola, 5, 0, upright);
    doc.AddExpression(5, cello, doc.AddTextExpressionDef("^fontMus(Maestro)U"));
    doc.AddExpression(5, cello, doc.AddTextExpressionDef("^fontTxt(Times)rit."));

    // Measure 8, the final bar: the viola's fermata sits in a second layer; the cello's in a
    // hidden layer, which the command does not see.
    FermataOnLast(doc, violin, 8, 0, upright);
    Quarters(doc, viola, 8, 1, 1, -3);
    FermataOnLast(doc, viola, 8, 1, upright);
    Quarters(doc, cello, 8, 2, 1, -7);
    FermataOnLast(doc, cello, 8, 2, upright);
}
