// Strings of 16-bit codes and the Enigma text commands they understand.
#include <string>
#include <vector>

#include "finaleframework/finaleframework.h"
#include "tests/support.h"

namespace {

// A string that shows its capacity.
class SizedString : public FCString {
public:
    int Capacity() const { return _capacity; }
};

std::string Text(FCString& string) { return string.GetCString(); }

// The strings of a collection joined with "|"; "none" for no collection.
std::string Joined(FCStrings* strings) {
    if (!strings) return "none";
    std::string text;
    for (int i = 0; i < strings->GetCount(); ++i)
        text += (i ? "|" : "") + Text(*static_cast<FCString*>(strings->GetItemAt(i)));
    delete strings;
    return text;
}

struct TextCase {
    const char* input;
    const char* expected;
};

}  // namespace

TEST(String, CStringGoesInAndComesBackByteForByte) {
    FCString string;
    const char bytes[] = "A\x7F\x80\xFFz";
    string.SetCString(bytes);
    ASSERT_EQ(string.GetLength(), 5);
    EXPECT_EQ(string.GetItemAt(1), 0x007F);
    EXPECT_EQ(string.GetItemAt(2), 0xFF80);  // bytes from 0x80 up are sign-extended
    EXPECT_EQ(string.GetItemAt(3), 0xFFFF);
    EXPECT_EQ(Text(string), bytes);
}

TEST(String, EmptyOrNullTextLeavesNoStorage) {
    for (const char* empty : {"", static_cast<const char*>(nullptr)}) {
        SizedString string;
        string.SetCString("abc");
        string.SetCString(empty);
        EXPECT_EQ(string.GetLength(), 0);
        EXPECT_EQ(string.Capacity(), 0);
        EXPECT_STREQ(string.GetCString(), "");
    }
    FCString fresh;
    EXPECT_STREQ(fresh.GetCString(), "");
}

TEST(String, AppendGrowsToTheNextMultipleOfTenAboveTheNeed) {
    SizedString string;
    std::vector<int> capacities;
    for (int i = 0; i < 21; ++i) {
        string.Append(static_cast<uint16_t>('a' + i % 26));
        capacities.push_back(string.Capacity());
    }
    EXPECT_EQ(capacities[0], 10);
    EXPECT_EQ(capacities[8], 10);
    EXPECT_EQ(capacities[9], 20);  // the 10th append
    EXPECT_EQ(capacities[19], 30);
    EXPECT_EQ(string.GetLength(), 21);
    EXPECT_EQ(Text(string), "abcdefghijklmnopqrstu");

    SizedString set;
    set.SetCString("0123456789");
    EXPECT_EQ(set.Capacity(), 20);
    set.SetCString("ab");  // never shrinks but for the empty text
    EXPECT_EQ(set.Capacity(), 20);
    EXPECT_EQ(Text(set), "ab");
}

TEST(String, PositionsOutsideGiveZeroOrFalse) {
    FCString string;
    string.SetCString("U");
    EXPECT_TRUE(string.IsCharacter(0, uint16_t{0x0055}));
    EXPECT_FALSE(string.IsCharacter(0, uint16_t{0x0155}));
    EXPECT_FALSE(string.IsCharacter(1, uint16_t{0}));
    EXPECT_FALSE(string.IsCharacter(-1, uint16_t{0}));
    EXPECT_EQ(string.GetItemAt(1), 0);
    EXPECT_EQ(string.GetItemAt(-1), 0);
}

TEST(String, IsCharacterOfASet) {
    FCString string;
    string.SetCString("a,(\xE9");
    struct Case {
        int index;
        const char* set;
        bool expected;
    };
    for (Case c :
         {Case{1, ",()", true}, Case{2, ",()", true}, Case{0, ",()", false}, Case{0, "", false},
          Case{0, nullptr, false}, Case{4, "a", false}, Case{-1, "a", false}, Case{3, "\xE9", true}}) {
        EXPECT_EQ(string.IsCharacter(c.index, c.set), c.expected)
            << c.index << " " << (c.set ? c.set : "null");
    }
}

TEST(String, EqualsAndStartsWith) {
    FCString string;
    string.SetCString("Font12");
    EXPECT_TRUE(string.Equals("Font12"));
    EXPECT_FALSE(string.Equals("Font1"));
    EXPECT_FALSE(string.Equals(nullptr));
    EXPECT_TRUE(string.StartsWith("Font"));
    EXPECT_TRUE(string.StartsWith(""));
    EXPECT_FALSE(string.StartsWith("font"));
    EXPECT_FALSE(string.StartsWith("Font123"));
    EXPECT_FALSE(string.StartsWith(nullptr));
}

TEST(String, GetIntReadsTheNumberAtAPosition) {
    struct Case {
        const char* text;
        int index, expected;
    };
    for (Case c : {Case{"ab42x", 2, 42}, Case{"ab42x", 3, 2}, Case{"ab42x", 5, 0}, Case{"ab42x", 6, 0},
                   Case{"ab42x", 0, 0}, Case{"ab42x", -1, 0}, Case{"x -17", 1, -17}, Case{"+8", 0, 8},
                   Case{"99999999999", 0, 2147483647}, Case{"", 0, 0}}) {
        FCString string;
        string.SetCString(c.text);
        EXPECT_EQ(string.GetInt(c.index), c.expected) << c.text << " @" << c.index;
    }
}

TEST(EnigmaText, TrimRemovesCommandsAndKeepsOneCaretOfTwo) {
    for (TextCase c : {TextCase{"^font(Arial)Hi^^there^size(12)", "Hi^there"}, TextCase{"abc^size(1", "abc"},
                       TextCase{"^^", "^"}, TextCase{"end^", "end"}, TextCase{"plain", "plain"},
                       TextCase{"^^^size(3)x", "^x"}, TextCase{"a)b", "a)b"}, TextCase{"", ""}}) {
        FCString string;
        string.SetCString(c.input);
        string.TrimEnigmaTags();
        EXPECT_EQ(Text(string), c.expected) << c.input;
    }
}

TEST(EnigmaText, CommandsAreListedFromCaretToParenthesis) {
    for (TextCase c : {TextCase{"x^font(Arial)y^^z^size(14)", "^font(Arial)|^size(14)"},
                       TextCase{"no commands", ""}, TextCase{"a^nfx(2", "^nfx(2"}, TextCase{"^^font(x)", ""},
                       TextCase{"^", "^"}, TextCase{"^a()^b(1,2)", "^a()|^b(1,2)"}}) {
        FCString string;
        string.SetCString(c.input);
        EXPECT_EQ(Joined(string.CreateEnigmaStrings()), c.expected) << c.input;
    }
}

TEST(EnigmaText, ComponentsAreTheRunsBetweenSeparators) {
    for (TextCase c : {TextCase{"^font(Times,12)", "font|Times|12"}, TextCase{"^a((b", "a|b"},
                       TextCase{"font(Times)", "none"}, TextCase{"^", "none"}, TextCase{"", "none"},
                       TextCase{"^size(14)", "size|14"}, TextCase{"^(,)", ""}}) {
        FCString string;
        string.SetCString(c.input);
        EXPECT_EQ(Joined(string.CreateEnigmaComponents()), c.expected) << c.input;
    }
}

using FontInfoTest = HostTest;

TEST_F(FontInfoTest, LastCommandsOfTheTextWin) {
    struct Case {
        const char* text;
        const char* name;
        int size, nfx;
    };
    for (Case c :
         {Case{"^font(Arial)^size(14)^fontTxt(Times)", "Times", 14, 0}, Case{"plain text", "", 12, 0},
          Case{"^fontMus(Maestro)x^nfx(3)^size(9)^size(20)", "Maestro", 20, 3},
          Case{"^font()^size()^nfx(-1)", "", 12, -1}, Case{"^other(1)^size(70000)", "", 4464, 0}}) {
        FCString string;
        string.SetCString(c.text);
        FCFontInfo* info = string.CreateLastFontInfo();
        EXPECT_STREQ(info->GetName(), c.name) << c.text;
        EXPECT_EQ(info->GetSize(), c.size) << c.text;
        EXPECT_EQ(info->GetNFX(), c.nfx) << c.text;
        delete info;
    }
    EXPECT_EQ(host.CallCount("FX_FontNumToName"), 0);
}

TEST_F(FontInfoTest, FontNumberIsNamedByTheHost) {
    document.FontNumber("Engraver");
    const int16_t number = document.FontNumber("Petrucci");
    FCString string;
    string.SetCString(("^font(Font" + std::to_string(number) + ")").c_str());
    FCFontInfo* info = string.CreateLastFontInfo();
    EXPECT_STREQ(info->GetName(), "Petrucci");
    ASSERT_EQ(host.CallCount("FX_FontNumToName"), 1);
    const HostCall call = host.CallsTo("FX_FontNumToName")[0];
    EXPECT_EQ(call.args[0], number);
    EXPECT_EQ(call.args[2], FINALE_FRAMEWORK_VERSION);
    delete info;
}

TEST_F(FontInfoTest, UnknownFontNumberLeavesTheNameAsItWas) {
    FCString string;
    string.SetCString("^font(Arial)^fontMus(Font77)");
    FCFontInfo* info = string.CreateLastFontInfo();
    EXPECT_STREQ(info->GetName(), "Arial");
    EXPECT_EQ(host.CallsTo("FX_FontNumToName").at(0).args[0], 77);
    delete info;
}

TEST_F(FontInfoTest, LongFontNamesAreCutAt255Characters) {
    const std::string longName(300, 'N');
    FCString string;
    string.SetCString(("^font(" + longName + ")").c_str());
    FCFontInfo* info = string.CreateLastFontInfo();
    EXPECT_EQ(std::string(info->GetName()), longName.substr(0, 255));

    const int16_t number = document.FontNumber(std::string(400, 'H'));
    string.SetCString(("^font(Font" + std::to_string(number) + ")").c_str());
    FCFontInfo* hosted = string.CreateLastFontInfo();
    EXPECT_EQ(std::string(hosted->GetName()), std::string(255, 'H'));
    delete info;
    delete hosted;
}
