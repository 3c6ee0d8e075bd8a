#include "finaleframework/core/fcfamilies.h"

#include "finaleframework/collections/fcregion.h"
#include "finalepdk/finalepdk.h"

bool __FCNoInciOther::LoadFirst() { return Load(1); }

bool __FCNoInciOther::Load(uint16_t itemNo) {
    WriteKeyField<uint16_t>(_recordKey, 0, itemNo);
    WriteKeyField<int16_t>(_recordKey, 2, 0);
    return LoadDataBlock();
}

bool __FCNoInciOther::SaveAs(uint16_t itemNo) {
    WriteKeyField<uint16_t>(_recordKey, 0, itemNo);
    WriteKeyField<int16_t>(_recordKey, 2, 0);
    return Save();
}

bool __FCNoInciOther::SaveNew() {
    if (_loadedSize <= 0) return false;
    WriteKeyField<uint16_t>(_recordKey, 0, 0xFFFF);
    const uint32_t size = std::min(DataSize(), _BlockSize());
    return FX_CreateEData(Tag(), &_recordKey, _dataBlock, size, _versionValue) & 0xFFFF;
}

uint16_t __FCNoInciOther::GetItemNo() { return ReadKeyField<uint16_t>(_recordKey, 0); }

bool __FCInciOther::Load(uint16_t itemNo, int16_t incident) {
    WriteKeyField<uint16_t>(_recordKey, 0, itemNo);
    WriteKeyField<int16_t>(_recordKey, 2, incident);
    return LoadDataBlock();
}

bool __FCGlobals::Load(int16_t number) {
    WriteKeyField<int16_t>(_recordKey, 0, number);
    return LoadDataBlock();
}

bool __FCCellDetail::LoadFirst() {
    if (!_cell) return false;
    WriteKeyField<uint16_t>(_recordKey, 0, static_cast<uint16_t>(_cell->_staff));
    WriteKeyField<uint16_t>(_recordKey, 2, static_cast<uint16_t>(_cell->_measure));
    WriteKeyField<int16_t>(_recordKey, 4, 0);
    return LoadDataBlock();
}

bool __FCCellDetail::LoadNext() {
    const int16_t incident = ReadKeyField<int16_t>(_recordKey, 4);
    WriteKeyField<int16_t>(_recordKey, 4, static_cast<int16_t>(incident + 1));
    if (LoadDataBlock()) return true;
    WriteKeyField<int16_t>(_recordKey, 4, incident);
    return false;
}
