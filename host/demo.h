// The built-in demo score: three strings in two movements, with a pickup, two measure
// number regions, fermatas drawn as articulations and as text expressions, and a hidden
// layer. The command finds three staves without a fermata in it.
#pragma once

#include "host/document.h"

void BuildDemoDocument(HostDocument& document);
