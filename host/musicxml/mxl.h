// Compressed MusicXML (.mxl): a zip archive whose score is the rootfile that
// META-INF/container.xml names, or else its first .musicxml/.xml file outside META-INF.
#pragma once

#include <string>

#include "host/musicxml/musicxml.h"

// True when the bytes begin like a zip archive.
bool LooksLikeZip(const std::string& bytes);

// Takes the score out of an archive into `score` and its entry name into `entryName`;
// false with a one-line reason in `error` when the archive is unreadable, holds no score,
// or would expand beyond the limits.
bool ExtractMxlScore(const std::string& archive, const MusicXmlLimits& limits, std::string& score,
                     std::string& entryName, std::string& error);
