// Reads the music of one part, measure by measure: notes become entries on the layer of
// their voice, fermatas and other marks become articulations and text expressions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/musicxml/import_context.h"

class PartReader {
public:
    PartReader(ImportContext& context, const ScorePart& part);

    // Reads the music of measure `measure` from its element into the document.
    void ReadMeasure(int16_t measure, pugi::xml_node content);

private:
    // An entry being gathered: a chord grows until the next note that is not part of it.
    struct PendingEntry {
        int16_t staff;
        int16_t layer;
        int32_t position;
        int16_t duration;
        std::vector<int16_t> displacements;
        std::vector<int16_t> articulations;
    };

    void ReadAttributes(pugi::xml_node attributes);
    void ReadNote(pugi::xml_node note);
    void ReadMarks(pugi::xml_node note, PendingEntry& entry);
    void ReadDirection(pugi::xml_node direction);
    void ReadBarline(pugi::xml_node barline);
    void Flush();
    // The part's staff (0-based) for an element with an optional <staff> child.
    int StaffIndexOf(pugi::xml_node element);
    int16_t LayerOf(int staffIndex, const std::string& voice);
    // The length of an element's <duration> in quarter notes; 0 when absent or invalid.
    double QuartersOf(pugi::xml_node element) const;
    std::string Where() const;

    ImportContext& _context;
    const ScorePart& _part;
    double _divisions = 1;
    double _cursor = 0;  // in quarter notes from the start of the measure
    int16_t _measure = 0;
    std::vector<std::vector<std::string>> _voices;  // per staff of the part, in order of first use
    std::vector<PendingEntry> _pending;
    int _chordTarget = -1;                          // index in _pending of the entry a <chord/> joins
    std::vector<std::vector<int>> _entriesInLayer;  // per staff and layer, in this measure
};
