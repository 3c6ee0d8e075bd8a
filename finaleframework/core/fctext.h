// The characters of a text (raw text records, variable length) and the text block record
// that names the raw text holding its characters.
#pragma once

#include "finaleframework/core/fcfamilies.h"
#include "finaleframework/core/fcstring.h"

// A raw text record, addressed by its number. Text blocks keep theirs under 0x7478626C;
// a class that keeps its text under another kind sets _customTag before loading.
class FCRawText : public FCDynamicRecord<__FCBaseData> {
public:
    using FCDynamicRecord::FCDynamicRecord;

    const char* ClassName() override { return "FCRawText"; }
    uint32_t Tag() override { return _customTag ? _customTag : 0x7478626C; }
    // Raw texts are not cloned: always null.
    __FCBaseData* CreateObject(uint32_t) override { return nullptr; }
    // Writes the held text, the whole block, under the key; false when nothing is held.
    bool Save() override;
    // Raw texts are not walked: always false.
    bool LoadFirst() override { return false; }

    // Loads raw text number; false (and a zero-length block) when there is none.
    bool Load(int16_t number);
    // Writes the held text under number; false when nothing is held (SetText alone does
    // not make the object hold a record).
    bool SaveAs(int16_t number);
    // Replaces the block with the 8-bit text and its terminating zero; null does nothing.
    void SetText(FCString* text);
    // The held text up to its first zero byte, never beyond the block; the caller owns
    // the string, which is empty when the host holds no bytes for the key.
    FCString* CreateString();
};

// The record that describes a text block; bytes 0-1 name the raw text of its characters,
// the other 24 bytes are carried unchanged.
class FCTextBlock : public FCFixedRecord<FCTextBlock, __FCNoInciOther, "FCTextBlock", 0x534F5458, 26> {
public:
    using FCFixedRecord::FCFixedRecord;

    int16_t GetRawTextNumber() const { return _GetField<int16_t>(0); }
    void SetRawTextNumber(int16_t number) { _SetField<int16_t>(0, number); }
    // The text of the raw text this block names, read under rawTextTag when the text is of
    // another kind than a text block's own (0); the caller owns the string, which is empty
    // when the block was never loaded or its raw text holds no bytes.
    FCString* CreateRawTextString(uint32_t rawTextTag = 0);
};
