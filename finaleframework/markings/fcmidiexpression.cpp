#include "finaleframework/markings/fcmidiexpression.h"

#include <cstdint>

namespace {
// The incidents a cell-detail key can step through before its 16-bit incident would turn
// negative: a host that answers beyond that is going round in circles.
constexpr int kMaxIncidents = INT16_MAX + 1;
}  // namespace

__FCBase* FCBrowserMidiExpressions::FindFirst(FCIteratorHandler*) { return nullptr; }

bool FCBrowserMidiExpressions::RegionIterateCellHandler(FCCell* cell, FCIteratorHandler* handler,
                                                        FCMusicRegion* region) {
    if (!cell || !handler || !region) return true;
    bool goOn = true;
    FCMidiExpression expression(FINALE_FRAMEWORK_VERSION);
    expression._cell = cell;
    if (!expression.LoadFirst()) return true;
    for (int walked = 1;; ++walked) {
        if (region->IsCellPosWithin(cell, expression.GetMeasurePos())) goOn = handler->Iterate(&expression);
        if (!goOn || walked >= kMaxIncidents || !expression.LoadNext()) break;
    }
    return goOn;
}
