#include "finaleframework/collections/fcbrowser.h"

#include "finaleframework/score/fcmeasure.h"
#include "finalepdk/finalepdk.h"

// Every record walk stops after FC_MAX_RECORD_WALK records: no key field of a walked
// family takes more values, so a host that answers beyond that is going round in circles.

int __FCBrowserBaseData::ForEach(FCIteratorHandler* handler) {
    if (!handler || !handler->PreProcess()) return 0;
    __FCBaseData* object = CreateAnObject();
    int count = 0;
    if (object && object->LoadFirst() && handler->PreProcessIfExist()) {
        for (int walked = 1; handler->Iterate(object); ++walked) {
            ++count;
            if (walked >= FC_MAX_RECORD_WALK || !object->LoadNext()) break;
        }
        handler->PostProcessIfExist();
    }
    handler->PostProcess();
    delete object;
    return count;
}

__FCBase* __FCBrowserBaseData::FindFirst(FCIteratorHandler* handler) {
    if (!handler || !handler->PreProcess()) return nullptr;
    __FCBaseData* object = CreateAnObject();
    if (object && object->LoadFirst() && handler->PreProcessIfExist()) {
        for (int walked = 1;; ++walked) {
            if (handler->Match(object)) {
                handler->PostProcessIfExist();
                return object;
            }
            if (walked >= FC_MAX_RECORD_WALK || !object->LoadNext()) break;
        }
    }
    handler->PostProcess();
    delete object;
    return nullptr;
}

__FCNoInciOther* __FCBrowserNoInciOther::LoadAnElement(uint16_t itemNo) {
    __FCBaseData* made = CreateAnObject();
    auto* object = dynamic_cast<__FCNoInciOther*>(made);
    if (object && object->Load(itemNo)) return object;
    delete made;
    return nullptr;
}

int __FCBrowserNoInciOther::ToEndFrom(uint16_t itemNo, FCIteratorHandler* handler) {
    if (!handler) return 0;
    __FCNoInciOther* object = LoadAnElement(itemNo);
    if (!object) return 0;
    int count = 0;
    while (handler->Iterate(object)) {
        ++count;
        if (count >= FC_MAX_RECORD_WALK || !object->LoadNext()) break;
    }
    delete object;
    return count;
}

int __FCBrowserNoInciOther::GetCount() {
    __FCNoInciOther* object = LoadAnElement(0);
    if (!object) return 0;
    int count = 1;
    while (count < FC_MAX_RECORD_WALK && object->LoadNext()) ++count;
    delete object;
    return count;
}

__FCBaseData* FCBrowserMeasures::CreateAnObject() { return new FCMeasure(FINALE_FRAMEWORK_VERSION); }

int __FCBrowserRegionBase::ForEach(FCIteratorHandler* handler) {
    FCMusicRegion region;
    region.SetFullDocument();
    return ForEachInRegion(handler, &region);
}

int __FCBrowserRegionBase::ForEachInRegion(FCIteratorHandler* handler, FCMusicRegion* region) {
    if (!handler || !region) return 0;
    int count = 0;
    for (int32_t measure = region->_startMeasure; measure <= region->_endMeasure; ++measure) {
        // The bottom staff is asked of the host again before every cell.
        for (int32_t staff =
                 FX_SlotToInst(region->_startSlot, region->_startSlotContext, FINALE_FRAMEWORK_VERSION);
             staff <= FX_SlotToInst(region->_endSlot, region->_endSlotContext, FINALE_FRAMEWORK_VERSION);
             ++staff) {
            auto* cell = new FCCell(measure, staff);
            const bool goOn = RegionIterateCellHandler(cell, handler, region);
            delete cell;
            if (!goOn) return count;
            ++count;
        }
    }
    return count;
}
