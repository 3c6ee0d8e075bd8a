#include "finaleframework/core/fctext.h"

#include <string>

#include "finalepdk/finalepdk.h"

// The stored record's size is the old text's: the block, which SetText may have replaced,
// is what the object holds.
bool FCRawText::Save() {
    if (_loadedSize < 1) return false;
    return FX_SaveEData(Tag(), &_recordKey, _dataBlock, _BlockSize(), _versionValue) & 0xFFFF;
}

bool FCRawText::Load(int16_t number) {
    WriteKeyField<int16_t>(_recordKey, 0, number);
    return LoadDataBlock();
}

bool FCRawText::SaveAs(int16_t number) {
    WriteKeyField<int16_t>(_recordKey, 0, number);
    return Save();
}

void FCRawText::SetText(FCString* text) {
    if (!text) return;
    const int length = text->GetLength();
    const char* bytes = text->GetCString();
    Deallocate();
    _AllocateBlock(static_cast<uint32_t>(length) + 1);
    memcpy(_dataBlock, bytes, static_cast<size_t>(length) + 1);
}

FCString* FCRawText::CreateString() {
    auto* string = new FCString;
    if (!_dataBlock || DataSize() == 0) return string;
    // The host's bytes need not end in a zero: the block's end ends the text.
    const auto* bytes = static_cast<const char*>(_dataBlock);
    const size_t length = strnlen(bytes, _BlockSize());
    string->SetCString(std::string(bytes, length).c_str());
    return string;
}

FCString* FCTextBlock::CreateRawTextString(uint32_t rawTextTag) {
    if (!_dataBlock) return new FCString;
    FCRawText text(FINALE_FRAMEWORK_VERSION);
    text._customTag = rawTextTag;
    text.Load(GetRawTextNumber());
    return text.CreateString();
}
