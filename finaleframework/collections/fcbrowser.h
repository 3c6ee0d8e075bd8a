// Browsers walk the host's records, or the cells of a region, handing them one at a time
// to a handler without keeping them: the handler must not hold on to what it is given.
#pragma once

#include "finaleframework/collections/fccollection.h"
#include "finaleframework/collections/fcregion.h"

class __FCBrowserBase : public __FCIteratorBase {
public:
    const char* ClassName() override { return "__FCBrowserBase"; }
};

// Walks every record of one record class through one working object.
class __FCBrowserBaseData : public __FCBrowserBase {
public:
    const char* ClassName() override { return "__FCBrowserBaseData"; }
    // Hands each record to Iterate until it returns false; the number of true answers
    // (0 when PreProcess refused).
    int ForEach(FCIteratorHandler* handler) override;
    // The working object holding the first record Match accepts, now the caller's; null
    // when nothing matched or PreProcess refused.
    __FCBase* FindFirst(FCIteratorHandler* handler) override;
    // A new, empty object of the browsed class; the caller owns it.
    virtual __FCBaseData* CreateAnObject() = 0;
};

// Walks records addressed by item number.
class __FCBrowserNoInciOther : public __FCBrowserBaseData {
public:
    const char* ClassName() override { return "__FCBrowserNoInciOther"; }
    // A new object loaded with item number itemNo, the caller's; null when it does not load.
    __FCNoInciOther* LoadAnElement(uint16_t itemNo);
    // Walks from item number itemNo to the last record; the number of true answers.
    int ToEndFrom(uint16_t itemNo, FCIteratorHandler* handler);
    // The records from item number 0 to the last; 0 when the host has no record 0.
    int GetCount();
};

class FCBrowserMeasures : public __FCBrowserNoInciOther {
public:
    const char* ClassName() override { return "FCBrowserMeasures"; }
    __FCBaseData* CreateAnObject() override;
};

// Walks the cells of a region, measure by measure, and visits the records of each cell.
class __FCBrowserRegionBase : public __FCBrowserBase {
public:
    // Walks every cell of the whole document; the number of cells whose visit went on.
    int ForEach(FCIteratorHandler* handler) override;
    // Hands the cell's records inside the region to Iterate; false when the handler asked
    // to stop.
    virtual bool RegionIterateCellHandler(FCCell* cell, FCIteratorHandler* handler,
                                          FCMusicRegion* region) = 0;
    // Visits every cell of the region, the staves taken as the numeric range between the
    // top and bottom slot's staves; the number of cells whose visit went on (0 for null).
    int ForEachInRegion(FCIteratorHandler* handler, FCMusicRegion* region);
};
