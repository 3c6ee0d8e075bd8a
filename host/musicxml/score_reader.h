// Turns a parsed MusicXML score into the host's document: staves, measures, measure
// number regions, and the music of every part.
#pragma once

#include <pugixml.hpp>

#include "host/musicxml/musicxml.h"

// Builds the document from the score's root element (score-partwise or score-timewise);
// false with result.error set when the score cannot be taken.
bool ReadMusicXmlScore(pugi::xml_node root, HostDocument& document, const MusicXmlOptions& options,
                       MusicXmlImport& result);
