// What the parts of one import share: the document being built, the options, the report,
// and the definitions made so far (one per distinct drawing, as a score keeps them).
#pragma once

#include <cstdint>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "host/musicxml/musicxml.h"

// One measure of one part: the element holding its music, and the number it is shown with.
struct PartMeasure {
    pugi::xml_node content;
    const char* number = "";
};

// A part in document order, with the staves it was given.
struct ScorePart {
    std::string id;
    std::string name;  // as written in the part list; "" when the part has none
    std::vector<PartMeasure> measures;
    int staves = 1;
    int16_t firstStaff = 0;
};

class ImportContext {
public:
    ImportContext(HostDocument& document, const MusicXmlOptions& options, MusicXmlImport& result,
                  int measureCount);

    HostDocument& Document() { return _document; }
    const MusicXmlOptions& Options() const { return _options; }

    // Records a warning; after a hundred, one more line says that the rest are left out.
    void Warn(const std::string& warning);
    // The text expression definition drawing this Enigma text; 0 when no more may be made.
    int16_t TextDefinition(const std::string& enigmaText);
    // The articulation definition drawing this character in the music font.
    int16_t ArticulationDefinition(uint8_t character);
    // Puts an expression in a measure on a staff; false when the measure holds too many.
    bool AddExpression(int16_t measure, int16_t staff, int16_t definition);

private:
    HostDocument& _document;
    const MusicXmlOptions& _options;
    MusicXmlImport& _result;
    std::map<std::string, int16_t> _textDefinitions;
    std::map<uint8_t, int16_t> _articulationDefinitions;
    std::vector<int> _expressionsInMeasure;
    int _warnings = 0;
    bool _toldTextLimit = false;
};

// Enigma text for plain text: a caret is written as two carets.
std::string EnigmaEscape(const std::string& text);
// The text with surrounding blanks removed and line breaks and tabs made spaces.
std::string CleanName(const std::string& text);
