// The simulated host's MusicXML front end: reads a score (.musicxml, .xml or .mxl) into a
// HostDocument, so that the plug-in sees a real score through the host's functions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/document.h"

// The music fonts whose fermata glyphs the plug-in knows; fermatas are drawn in one of them.
extern const char* const MusicXmlMusicFonts[6];
// True when the name is one of the six music fonts, exactly (same bytes, same case).
bool IsKnownMusicFont(const std::string& name);

// Bounds that keep a hostile or absurd score from exhausting the machine.
struct MusicXmlLimits {
    size_t maxFileBytes = size_t{128} << 20;     // a file as read from disk
    size_t maxScoreBytes = size_t{128} << 20;    // the score once expanded from an archive
    size_t maxContainerBytes = size_t{1} << 20;  // META-INF/container.xml
    int maxStaves = 1000;
    int maxMeasures = 32767;        // measure indices are 16-bit in the host
    long long maxCells = 250000;    // staves x measures the scan walks, each in turn
    int maxEntriesPerLayer = 4000;  // in one measure of one staff
    int maxExpressionsPerMeasure = 4000;
    int maxTextDefinitions = 20000;
};

struct MusicXmlOptions {
    std::string musicFont = "Maestro";
    MusicXmlLimits limits;
};

// What an import made of a file: the problems it worked around, or why it failed.
struct MusicXmlImport {
    bool ok = false;
    std::string error;                  // one line, set when ok is false
    std::vector<std::string> warnings;  // one line each
};

// Reads a file (a zip archive when it starts like one, else XML) into an empty document.
MusicXmlImport ImportMusicXmlFile(const std::string& path, HostDocument& document,
                                  const MusicXmlOptions& options = {});
// Reads a file's bytes; the name decides nothing but how an archive that is not one is told.
MusicXmlImport ImportMusicXmlBytes(const std::string& bytes, const std::string& fileName,
                                   HostDocument& document, const MusicXmlOptions& options = {});
