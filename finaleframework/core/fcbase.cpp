#include "finaleframework/core/fcbase.h"

#include "finalepdk/finalepdk.h"

// Flag words may sit at any byte offset of a host record: read and write them whole.
void __FCBase::Set16BitFlag(uint16_t* target, uint16_t mask, bool on) {
    uint16_t word;
    memcpy(&word, target, sizeof word);
    word = on ? static_cast<uint16_t>(word | mask) : static_cast<uint16_t>(word & ~mask);
    memcpy(target, &word, sizeof word);
}

void __FCBase::Set32BitFlag(uint32_t* target, uint32_t mask, bool on) {
    uint32_t word;
    memcpy(&word, target, sizeof word);
    word = on ? (word | mask) : (word & ~mask);
    memcpy(target, &word, sizeof word);
}

__FCBaseData::__FCBaseData(uint32_t version) : _versionValue(version) {}

bool __FCBaseData::LoadDataBlock() {
    if (_dataBlock && IsDynamicSize()) ClearData();
    if (!_dataBlock) _dataBlock = Allocate();
    // The host is told the block's capacity, never more, and is not believed when it
    // reports more than the block holds.
    uint32_t size = std::min(DataSize(), _blockSize);
    if (FX_LoadEData(Tag(), &_recordKey, _dataBlock, &size, _versionValue) & 0xFFFF) {
        _loadedSize = static_cast<int32_t>(std::min(size, _blockSize));
        return true;
    }
    _loadedSize = 0;
    return false;
}

bool __FCBaseData::Save() {
    if (_loadedSize < 1) return false;
    const uint32_t size = std::min(DataSize(), _blockSize);
    return FX_SaveEData(Tag(), &_recordKey, _dataBlock, size, _versionValue) & 0xFFFF;
}

bool __FCBaseData::LoadNext() {
    if (!(FX_NextEData(Tag(), &_recordKey, nullptr, 0, _versionValue) & 0xFFFF)) return false;
    return LoadDataBlock();
}

uint32_t __FCBaseData::_StoredSize() {
    uint32_t size = 0;
    return FX_LoadEData(Tag(), &_recordKey, nullptr, &size, FINALE_FRAMEWORK_VERSION) & 0xFFFF ? size : 0;
}

void __FCBaseData::ClearData() {
    Deallocate();
    _SetBlock(nullptr, 0);
    _loadedSize = 0;
}

bool __FCBaseData::DeleteData() { return FX_DeleteEData(Tag(), &_recordKey, _versionValue) & 0xFFFF; }

void __FCBaseData::CloneFrom(__FCBaseData* source) {
    _versionValue = source->_versionValue;
    _recordKey = source->_recordKey;
    _customTag = source->_customTag;
    CloneMemoryFrom(source);
}

__FCBaseData* __FCBaseData::CreateClone() {
    __FCBaseData* object = CreateObject(_versionValue);
    if (object) object->CloneFrom(this);
    return object;
}

void __FCBaseData::CloneMemoryFrom(__FCBaseData* source) {
    if (source->_loadedSize <= 0) return;
    const uint32_t size = std::min(static_cast<uint32_t>(source->_loadedSize), source->_blockSize);
    _loadedSize = static_cast<int32_t>(size);
    _AllocateBlock(size);
    memcpy(_dataBlock, source->_dataBlock, size);
}
