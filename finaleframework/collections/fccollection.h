// Owning collections of framework objects, and the handlers that walk them.
#pragma once

#include "finaleframework/core/fcfamilies.h"

class FCNoteEntry;

// The most records one walk over the host's records takes.
constexpr int FC_MAX_RECORD_WALK = 0x10000;

// The callbacks of a walk; a handler overrides only what its walk needs.
class FCIteratorHandler : public __FCBase {
public:
    const char* ClassName() override { return "FCIteratorHandler"; }
    // true: go on; false: stop the walk at once.
    virtual bool Iterate(__FCBase* element);
    virtual bool IterateIndex(__FCBase* element, int index);
    // true: this is the element sought.
    virtual bool Match(__FCBase* element);
    // Above 0: a belongs after b.
    virtual int Compare(__FCBase* a, __FCBase* b);
    // Called by browsers only.
    virtual bool PreProcess();
    virtual bool PreProcessIfExist();
    virtual void PostProcess();
    virtual void PostProcessIfExist();

    // Set by a handler whose changes are to be written back after each cell.
    bool _saveFlag = false;
};

class __FCIteratorBase : public __FCBase {
public:
    // Calls Iterate on each element until one returns false; the number of true answers.
    virtual int ForEach(FCIteratorHandler* handler) = 0;
    // The first element whose Match is true; null when none is.
    virtual __FCBase* FindFirst(FCIteratorHandler* handler) = 0;
};

class __FCCollection : public __FCIteratorBase {
public:
    const char* ClassName() override { return "__FCCollection"; }
    int ForEach(FCIteratorHandler* handler) override;
    __FCBase* FindFirst(FCIteratorHandler* handler) override;
    ~__FCCollection() override;
    virtual int ForEachIndex(FCIteratorHandler* handler);

    int GetCount() const { return _elementCount; }
    // The element at index; null out of range.
    __FCBase* GetItemAt(int index) const;
    // Takes ownership; returns the new count.
    int Add(__FCBase* element);
    // Hands the element back to the caller; false out of range.
    bool DeleteItemAt(int index);
    bool ElementExists(__FCBase* element) const;
    int ToEndFrom(int startIndex, FCIteratorHandler* handler);
    // Exchange sort, ascending by the handler's Compare.
    void Sort(FCIteratorHandler* handler);

protected:
    void _RequireElement(int additional);
    // Destroys every element; the caller resets the count.
    void _FreeElements();
    // Destroys every element and empties the collection.
    void _Clear() {
        _FreeElements();
        _elementCount = 0;
    }

    int32_t _elementCount = 0;
    int32_t _capacity = 0;
    __FCBase** _elements = nullptr;
};

// A collection filled from the host through a prototype element of its class.
class __FCCollectionData : public __FCCollection {
public:
    // A new, empty element of the collection's class; the caller owns it.
    virtual __FCBaseData* CreateElement(uint32_t version) = 0;
    // Replaces the contents with every record of the element class, in the host's order.
    virtual void LoadAll(uint32_t version);

    uint32_t _customTag = 0;  // handed to every element loaded
};

class __FCCollectionInciOther : public __FCCollectionData {
public:
    // Replaces the contents with incidents 0, 1, ... of the item, up to the first gap.
    virtual void LoadAllForItem(uint16_t itemNo, uint32_t version);
};

// The detail records of one note entry.
class __FCCollectionEntryDetail : public __FCCollectionData {
public:
    void LoadAll(uint32_t version) override;
    // Deletes the record from the document and the element; whether elements remain.
    bool DestroyItemAt(int index);

    FCNoteEntry* _noteEntry = nullptr;  // not owned
};

// The pieces of a text: commands, or the components of one command.
class FCStrings : public __FCCollection {
public:
    const char* ClassName() override { return "FCStrings"; }
};
