#include "finaleframework/core/fcstring.h"

#include <climits>
#include <cstdlib>

#include "finalepdk/finalepdk.h"

namespace {

constexpr uint16_t kCaret = '^';
constexpr uint16_t kClose = ')';
// What separates the name and arguments of a command.
constexpr char kSeparators[] = ",()";

// The code a byte of an 8-bit text becomes: bytes from 0x80 up are sign-extended, so
// that the low byte gives the same byte back.
uint16_t CodeOfByte(char byte) {
    return static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(byte)));
}

}  // namespace

void FCFontInfo::SetName(const char* name) {
    size_t length = 0;
    if (name)
        while (length < MAX_NAME && name[length]) ++length;
    memcpy(_fontName, name ? name : "", length);
    _fontName[length] = 0;
}

FCString::~FCString() {
    delete[] _characters;
    delete[] _cstring;
    _characters = nullptr;
    _cstring = nullptr;
    _length = 0;
    _capacity = 0;
}

void FCString::SetCString(const char* text) {
    const size_t length = text ? strlen(text) : 0;
    if (length == 0) {
        delete[] _characters;
        _characters = nullptr;
        _capacity = 0;
        _length = 0;
        return;
    }
    _length = 0;
    _ExpandStorageIfNecessary(static_cast<int>(length));
    for (size_t i = 0; i < length; ++i) _characters[i] = CodeOfByte(text[i]);
    _length = static_cast<int32_t>(length);
}

char* FCString::GetCString() {
    delete[] _cstring;
    _cstring = new char[_length + 1];
    for (int i = 0; i < _length; ++i) _cstring[i] = static_cast<char>(_characters[i] & 0xFF);
    _cstring[_length] = 0;
    return _cstring;
}

uint16_t FCString::GetItemAt(int index) const {
    return index >= 0 && index < _length ? _characters[index] : 0;
}

bool FCString::IsCharacter(int index, uint16_t character) const {
    return index >= 0 && index < _length && _characters[index] == character;
}

bool FCString::IsCharacter(int index, const char* set) const {
    if (index < 0 || index >= _length || !set) return false;
    for (const char* byte = set; *byte; ++byte)
        if (_characters[index] == CodeOfByte(*byte)) return true;
    return false;
}

bool FCString::Equals(const char* text) { return text && strcmp(GetCString(), text) == 0; }

bool FCString::StartsWith(const char* text) {
    if (!text) return false;
    const size_t length = strlen(text);
    if (static_cast<size_t>(_length) < length) return false;
    return memcmp(GetCString(), text, length) == 0;
}

int FCString::GetInt(int index) {
    if (index < 0 || index > _length) return 0;
    // As atoi reads, but a number too large for an int is held at the nearest limit.
    const int64_t value = strtoll(GetCString() + index, nullptr, 10);
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

void FCString::Append(uint16_t character) {
    _ExpandStorageIfNecessary(_length + 1);
    _characters[_length++] = character;
}

void FCString::_ExpandStorageIfNecessary(int count) {
    if (_capacity > count) return;
    const int capacity = (count + 10) / 10 * 10;
    auto* characters = new uint16_t[capacity]();
    for (int i = 0; i < _length; ++i) characters[i] = _characters[i];
    delete[] _characters;
    _characters = characters;
    _capacity = capacity;
}

void FCString::TrimEnigmaTags() {
    const int length = _length;
    int write = 0;
    bool inCommand = false;
    for (int read = 0; read < length;) {
        const uint16_t character = _characters[read];
        if (inCommand) {
            if (character == kClose) inCommand = false;
            ++read;
        } else if (character == kCaret && GetItemAt(read + 1) == kCaret) {
            _characters[write++] = kCaret;
            read += 2;
        } else if (character == kCaret) {
            inCommand = true;
            ++read;
        } else {
            _characters[write++] = character;
            ++read;
        }
    }
    _length = write;
}

FCStrings* FCString::CreateEnigmaStrings() {
    auto* result = new FCStrings;
    FCString* current = nullptr;
    for (int i = 0; i < _length;) {
        const uint16_t character = _characters[i];
        if (current) {
            current->Append(character);
            if (character == kClose) current = nullptr;
            ++i;
        } else if (character == kCaret && GetItemAt(i + 1) == kCaret) {
            i += 2;
        } else if (character == kCaret) {
            current = new FCString;
            result->Add(current);
            current->Append(kCaret);
            ++i;
        } else {
            ++i;
        }
    }
    return result;
}

FCStrings* FCString::CreateEnigmaComponents() {
    if (!IsCharacter(0, kCaret) || _length <= 1) return nullptr;
    auto* result = new FCStrings;
    FCString* current = nullptr;
    for (int i = 1; i < _length; ++i) {
        if (IsCharacter(i, kSeparators)) {
            current = nullptr;
            continue;
        }
        if (!current) {
            current = new FCString;
            result->Add(current);
        }
        current->Append(_characters[i]);
    }
    return result;
}

FCFontInfo* FCString::CreateLastFontInfo() {
    auto* info = new FCFontInfo;
    FCStrings* commands = CreateEnigmaStrings();
    for (int c = 0; c < commands->GetCount(); ++c) {
        auto* command = static_cast<FCString*>(commands->GetItemAt(c));
        FCStrings* parts = command->CreateEnigmaComponents();
        if (!parts || parts->GetCount() < 2) {
            delete parts;
            continue;
        }
        auto* name = static_cast<FCString*>(parts->GetItemAt(0));
        auto* argument = static_cast<FCString*>(parts->GetItemAt(1));
        if (name->Equals("fontMus") || name->Equals("fontTxt") || name->Equals("font")) {
            if (argument->StartsWith("Font")) {
                // "FontN" names the document's font number N; the host knows its name.
                char buffer[FCFontInfo::MAX_NAME + 1] = {};
                const auto number = static_cast<int16_t>(argument->GetInt(4));
                if (FX_FontNumToName(number, buffer, FINALE_FRAMEWORK_VERSION) & 0xFFFF) {
                    buffer[FCFontInfo::MAX_NAME] = 0;
                    info->SetName(buffer);
                }
            } else {
                info->SetName(argument->GetCString());
            }
        } else if (name->Equals("nfx")) {
            info->_nfx = static_cast<int16_t>(argument->GetInt(0));
        } else if (name->Equals("size")) {
            info->_fontSize = static_cast<int16_t>(argument->GetInt(0));
        }
        delete parts;
    }
    delete commands;
    return info;
}
