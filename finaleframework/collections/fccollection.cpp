#include "finaleframework/collections/fccollection.h"

bool FCIteratorHandler::Iterate(__FCBase*) { return true; }
bool FCIteratorHandler::IterateIndex(__FCBase*, int) { return true; }
bool FCIteratorHandler::Match(__FCBase*) { return false; }
int FCIteratorHandler::Compare(__FCBase*, __FCBase*) { return 0; }
bool FCIteratorHandler::PreProcess() { return true; }
bool FCIteratorHandler::PreProcessIfExist() { return true; }
void FCIteratorHandler::PostProcess() {}
void FCIteratorHandler::PostProcessIfExist() {}

__FCCollection::~__FCCollection() {
    _FreeElements();
    delete[] _elements;
    _elements = nullptr;
    _elementCount = 0;
}

__FCBase* __FCCollection::GetItemAt(int index) const {
    return index >= 0 && index < _elementCount ? _elements[index] : nullptr;
}

int __FCCollection::Add(__FCBase* element) {
    _RequireElement(1);
    _elements[_elementCount] = element;
    return ++_elementCount;
}

bool __FCCollection::DeleteItemAt(int index) {
    if (index < 0 || index >= _elementCount) return false;
    for (int i = index; i + 1 < _elementCount; ++i) _elements[i] = _elements[i + 1];
    _elements[--_elementCount] = nullptr;
    return true;
}

bool __FCCollection::ElementExists(__FCBase* element) const {
    for (int i = 0; i < _elementCount; ++i)
        if (_elements[i] == element) return true;
    return false;
}

// Every walk re-reads the count after each callback that lets it go on, so a handler
// that adds elements lengthens the walk.
int __FCCollection::ToEndFrom(int startIndex, FCIteratorHandler* handler) {
    int count = 0;
    // Positions below 0 hold nothing: the walk starts at 0 at the earliest.
    for (int i = std::max(startIndex, 0), n = _elementCount; i < n; ++i) {
        __FCBase* element = GetItemAt(i);
        if (!element) continue;
        if (!handler->Iterate(element)) break;
        ++count;
        n = _elementCount;
    }
    return count;
}

int __FCCollection::ForEach(FCIteratorHandler* handler) { return ToEndFrom(0, handler); }

int __FCCollection::ForEachIndex(FCIteratorHandler* handler) {
    int count = 0;
    for (int i = 0, n = _elementCount; i < n; ++i) {
        __FCBase* element = GetItemAt(i);
        if (!element) continue;
        if (!handler->IterateIndex(element, i)) break;
        ++count;
        n = _elementCount;
    }
    return count;
}

__FCBase* __FCCollection::FindFirst(FCIteratorHandler* handler) {
    for (int i = 0; i < _elementCount; ++i) {
        __FCBase* element = GetItemAt(i);
        if (element && handler->Match(element)) return element;
    }
    return nullptr;
}

void __FCCollection::Sort(FCIteratorHandler* handler) {
    int n = _elementCount;
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            __FCBase* a = GetItemAt(i);
            __FCBase* b = GetItemAt(j);
            if (!a || !b) continue;
            if (handler->Compare(a, b) > 0 && i < _elementCount && j < _elementCount) {
                _elements[j] = a;
                _elements[i] = b;
            }
            n = _elementCount;
        }
    }
}

void __FCCollection::_RequireElement(int additional) {
    if (additional <= 0) return;
    const int needed = _elementCount + additional;
    if (_capacity >= needed) return;
    const int capacity = (needed + 10) / 10 * 10;
    auto** elements = new __FCBase*[capacity]();
    for (int i = 0; i < _elementCount; ++i) elements[i] = _elements[i];
    delete[] _elements;
    _elements = elements;
    _capacity = capacity;
}

void __FCCollection::_FreeElements() {
    for (int i = 0; i < _elementCount; ++i) {
        delete _elements[i];
        _elements[i] = nullptr;
    }
}

void __FCCollectionData::LoadAll(uint32_t version) {
    _Clear();
    __FCBaseData* prototype = CreateElement(version);
    prototype->_customTag = _customTag;
    // A key field steps through at most 65536 values: a host that answers beyond that
    // is going round in circles.
    if (prototype->LoadFirst()) {
        do Add(prototype->CreateClone());
        while (_elementCount < FC_MAX_RECORD_WALK && prototype->LoadNext());
    }
    delete prototype;
}

void __FCCollectionInciOther::LoadAllForItem(uint16_t itemNo, uint32_t version) {
    _Clear();
    auto* prototype = static_cast<__FCInciOther*>(CreateElement(version));
    prototype->_customTag = _customTag;
    for (int incident = 0; incident <= INT16_MAX && prototype->Load(itemNo, static_cast<int16_t>(incident));
         ++incident)
        Add(prototype->CreateClone());
    delete prototype;
}
