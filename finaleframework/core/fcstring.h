// The framework's string (16-bit character codes) and the Enigma text commands it
// understands: a caret opens a command that runs to the next closing parenthesis, two
// carets stand for one literal caret.
#pragma once

#include "finaleframework/collections/fccollection.h"

// The font, size and "nfx" value in force at the end of an Enigma text.
class FCFontInfo : public __FCBase {
public:
    FCFontInfo() = default;

    const char* GetName() const { return _fontName; }
    // Copies name in, cut at 255 characters; null gives "".
    void SetName(const char* name);
    int16_t GetSize() const { return _fontSize; }
    int16_t GetNFX() const { return _nfx; }

    static constexpr int MAX_NAME = 255;

    char _fontName[MAX_NAME + 1] = {};  // "" when no font command was found
    int16_t _fontSize = 12;             // 12 when no size command was found
    int16_t _nfx = 0;                   // 0 when no "nfx" command was found
};

class FCString : public __FCBase {
public:
    FCString() = default;
    ~FCString() override;
    FCString(const FCString&) = delete;
    FCString& operator=(const FCString&) = delete;

    // Replaces the contents with the bytes of text; empty or null text frees the storage.
    void SetCString(const char* text);
    // An 8-bit copy (the low byte of every character), owned by the string and valid until
    // the next call or the string's destruction.
    char* GetCString();
    int GetLength() const { return _length; }
    // The character at index; 0 out of range.
    uint16_t GetItemAt(int index) const;
    // Whether the character at index equals character; false out of range.
    bool IsCharacter(int index, uint16_t character) const;
    // Whether the character at index is one of the bytes of set; false out of range or for
    // a null or empty set.
    bool IsCharacter(int index, const char* set) const;
    // Whether the 8-bit text equals text; false for null.
    bool Equals(const char* text);
    // Whether the 8-bit text begins with text; false for null or a longer text.
    bool StartsWith(const char* text);
    // The decimal number that starts at index, read as atoi reads; 0 out of range.
    int GetInt(int index);
    void Append(uint16_t character);

    // Removes every command in place, keeping one caret for each pair of carets.
    void TrimEnigmaTags();
    // The commands of the text in order, each from its caret to its closing parenthesis;
    // the caller owns the collection (empty when there are none).
    FCStrings* CreateEnigmaStrings();
    // The name and arguments of the one command the string holds; null when the string
    // does not start with a caret or is at most one character long.
    FCStrings* CreateEnigmaComponents();
    // The font, size and nfx value that the text's last commands set; the caller owns it.
    FCFontInfo* CreateLastFontInfo();

protected:
    // Grows the storage to the next multiple of 10 strictly above count, unless it is
    // already larger than count.
    void _ExpandStorageIfNecessary(int count);

    int32_t _length = 0;
    int32_t _capacity = 0;
    uint16_t* _characters = nullptr;
    char* _cstring = nullptr;
};
