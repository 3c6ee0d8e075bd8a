// The root of the class framework, and the data record that mirrors one host record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "finalepdk/fxrecords.h"

class __FCBase {
public:
    virtual const char* ClassName() { return "__FCBase"; }
    virtual ~__FCBase() = default;

    // Sets (on) or clears the mask bits of the word at target.
    void Set16BitFlag(uint16_t* target, uint16_t mask, bool on);
    void Set32BitFlag(uint32_t* target, uint32_t mask, bool on);

    // Left to the object's user; the framework never reads or writes it.
    void* _userData = nullptr;
};

class __FCBaseData : public __FCBase {
public:
    explicit __FCBaseData(uint32_t version);

    const char* ClassName() override { return "__FCBaseData"; }
    // The host's record-type code of this class.
    virtual uint32_t Tag() = 0;
    // Size of the record as the framework handles it.
    virtual uint32_t DataSize() = 0;
    // The record storage: embedded (fixed size) or a fresh owned block (dynamic size).
    virtual void* Allocate() = 0;
    virtual void Deallocate() {}
    virtual bool IsDynamicSize() { return false; }
    // A new, empty object of this class; the caller owns it.
    virtual __FCBaseData* CreateObject(uint32_t version) = 0;
    // Copies the source's held bytes into a new block of this (freshly made) object.
    virtual void CloneMemoryFrom(__FCBaseData* source);
    ~__FCBaseData() override = default;
    // Writes the held record under the current key; false when nothing is held.
    virtual bool Save();
    // Loads the first record of the family's walk.
    virtual bool LoadFirst() = 0;
    // Asks the host for the next record of the tag and loads it; false at the end.
    virtual bool LoadNext();

    // Loads the record the key names; false (and nothing held) when there is none.
    bool LoadDataBlock();
    void CloneFrom(__FCBaseData* source);
    // A copy of this object and its record; null when the class makes no copies.
    __FCBaseData* CreateClone();
    void ClearData();
    // Removes the record from the document; the object keeps its bytes and key.
    bool DeleteData();

    int32_t GetLoadedSize() const { return _loadedSize; }
    const RecordKey& GetRecordKey() const { return _recordKey; }
    RecordKey& _GetRecordKey() { return _recordKey; }

    uint32_t _customTag = 0;

protected:
    // Record fields through the block, bounded by it: reads outside give 0, writes
    // outside do nothing.
    template <class T>
    T _GetField(int offset) const {
        T value{};
        if (_HasField(offset, sizeof(T))) std::memcpy(&value, static_cast<const uint8_t*>(_dataBlock) + offset, sizeof(T));
        return value;
    }
    template <class T>
    void _SetField(int offset, T value) {
        if (_HasField(offset, sizeof(T))) std::memcpy(static_cast<uint8_t*>(_dataBlock) + offset, &value, sizeof(T));
    }
    bool _HasField(int offset, size_t width) const {
        return _dataBlock && offset >= 0 && static_cast<size_t>(offset) + width <= _blockSize;
    }
    // The address of a field inside the block, or null when it does not fit.
    uint8_t* _FieldAddress(int offset, size_t width) {
        return _HasField(offset, width) ? static_cast<uint8_t*>(_dataBlock) + offset : nullptr;
    }
    // Records the block the object now holds and its capacity.
    void* _SetBlock(void* block, uint32_t size) {
        _dataBlock = block;
        _blockSize = block ? size : 0;
        return block;
    }
    // Dynamic-size storage: a new owned block of size bytes.
    void* _AllocateBlock(uint32_t size) { return _SetBlock(new uint8_t[size](), size); }
    // The size of the record stored under the key, as the host reports it; 0 when none.
    uint32_t _StoredSize();
    uint32_t _BlockSize() const { return _blockSize; }

    void* _dataBlock = nullptr;
    int32_t _loadedSize = 0;
    uint32_t _versionValue;
    RecordKey _recordKey{};

private:
    uint32_t _blockSize = 0;
};

// Gives a class name to a record class template as a compile-time text.
template <size_t N>
struct FCClassName {
    constexpr FCClassName(const char (&text)[N]) { std::copy_n(text, N, value); }
    char value[N];
};

// The boilerplate of a fixed-size record class: its name, tag, size, embedded storage,
// factory and clone. A concrete class writes only its own accessors:
//   class FCMeasure : public FCFixedRecord<FCMeasure, __FCNoInciOther, "FCMeasure", 0x534F4D53, 26>
template <class Self, class Base, FCClassName Name, uint32_t TagValue, uint32_t Size>
class FCFixedRecord : public Base {
public:
    explicit FCFixedRecord(uint32_t version) : Base(version) {}

    const char* ClassName() override { return Name.value; }
    uint32_t Tag() override { return TagValue; }
    uint32_t DataSize() override { return Size; }
    void* Allocate() override { return this->_SetBlock(_storage, Size); }
    __FCBaseData* CreateObject(uint32_t version) override { return new Self(version); }
    void CloneMemoryFrom(__FCBaseData* source) override {
        std::memcpy(_storage, source->Allocate(), Size);
        this->_SetBlock(_storage, Size);
        this->_loadedSize = Size;
    }

protected:
    uint8_t _storage[Size] = {};
};

// The boilerplate of a record class whose length varies: its size is asked of the host
// for the current key, and its bytes live in a block the object owns, fresh at each load.
template <class Base>
class FCDynamicRecord : public Base {
public:
    using Base::Base;
    ~FCDynamicRecord() override {
        if (this->_dataBlock) Deallocate();
        this->_dataBlock = nullptr;
    }

    uint32_t DataSize() override { return this->_StoredSize(); }
    void* Allocate() override { return this->_AllocateBlock(DataSize()); }
    void Deallocate() override { delete[] static_cast<uint8_t*>(this->_dataBlock); }
    bool IsDynamicSize() override { return true; }
};
