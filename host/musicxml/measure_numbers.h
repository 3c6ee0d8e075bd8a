// Displayed measure numbers: each measure's `number` attribute split into prefix, integer
// and suffix, and runs of measures that count up by one gathered into the host's measure
// number regions.
#pragma once

#include <string>
#include <vector>

#include "host/document.h"

struct MeasureNumberText {
    bool hasNumber = false;  // false when the text has no digits (or too many to count)
    std::string prefix;      // the leading non-digit part
    int value = 0;
    std::string suffix;  // whatever follows the digits
};

// Splits a measure's number text; hasNumber is false when there is no usable integer.
MeasureNumberText ParseMeasureNumber(const std::string& text);

// Adds one measure number region per run of measures (numbers[0] is measure 1) whose
// integer rises by one with the index under the same prefix and suffix. Measures without
// a number stay outside every region. Problems are appended to warnings.
void AddMeasureNumberRegions(HostDocument& document, const std::vector<std::string>& numbers,
                             std::vector<std::string>& warnings);
