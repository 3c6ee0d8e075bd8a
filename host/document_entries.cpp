// Builders for the entries of a cell layer beyond plain chords and rests.
#include "host/document.h"

void HostDocument::AddTuplet(int16_t staff, int16_t measure, int16_t layer, int16_t entryIndex, int16_t incident,
                             const EDTTuplet2005& definition) {
    CellLayer& cell = CellLayerAt(staff, measure, layer);
    ETUPLETREC tuplet{};
    tuplet.entryIndex = entryIndex;
    tuplet.incident = incident;
    memcpy(tuplet.tuplet, definition.bytes, sizeof tuplet.tuplet);
    cell.tuplets.push_back(tuplet);
    if (entryIndex >= 0 && entryIndex < static_cast<int>(cell.entries.size()))
        cell.entries[entryIndex].flags |= ENTRY_TUPLET_START;
}
