// A measure's attribute record: what applies to one measure across all staves.
#pragma once

#include "finaleframework/core/fcfamilies.h"

// Addressed by the measure index (1 for the first measure).
class FCMeasure : public FCFixedRecord<FCMeasure, __FCNoInciOther, "FCMeasure", 0x534F4D53, 26> {
public:
    using FCFixedRecord::FCFixedRecord;
    ~FCMeasure() override;
};
