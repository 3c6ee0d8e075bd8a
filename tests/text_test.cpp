// Raw text records and the text blocks that name them.
#include <cstring>
#include <string>

#include "finaleframework/finaleframework.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kBlockText = 0x7478626C;
constexpr uint32_t kExpressionText = 0x74787870;
constexpr uint32_t kTextBlock = 0x534F5458;

// A raw text that shows its block.
class ShownRawText : public FCRawText {
public:
    using FCRawText::FCRawText;
    bool HasBlock() const { return _dataBlock != nullptr; }
    uint32_t BlockSize() const { return _BlockSize(); }
    std::string Block() const { return std::string(static_cast<const char*>(_dataBlock), _BlockSize()); }
};

std::string Take(FCString* string) {
    std::string text = string ? string->GetCString() : "none";
    delete string;
    return text;
}

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

int64_t KeyValue(const RecordKey& key) {
    int64_t value;
    memcpy(&value, key.bytes, sizeof value);
    return value;
}

}  // namespace

using TextTest = HostTest;

TEST_F(TextTest, LoadAsksForTheSizeTwiceThenLoadsIntoAFreshBlock) {
    document.SetRecord(kBlockText, NumberKey(3), TextBytes(std::string("^size(9)Hi", 11)));
    ShownRawText text(V);
    ASSERT_TRUE(text.Load(3));
    EXPECT_EQ(text.GetLoadedSize(), 11);
    EXPECT_EQ(Take(text.CreateString()), "^size(9)Hi");
    std::vector<std::vector<int64_t>> calls;
    for (const HostCall& call : host.CallsTo("FX_LoadEData")) calls.push_back(call.args);
    const int64_t key = KeyValue(NumberKey(3));
    EXPECT_EQ(calls,
              (std::vector<std::vector<int64_t>>{{kBlockText, key, 0, 0, V},
                                                 {kBlockText, key, 0, 0, V},
                                                 {kBlockText, key, 1, 11, V},
                                                 {kBlockText, key, 0, 0, V}}));  // CreateString asks again
}

TEST_F(TextTest, EveryLoadReplacesTheBlockWithOneOfTheNewSize) {
    document.SetRecord(kBlockText, NumberKey(1), TextBytes(std::string("longer text", 12)));
    document.SetRecord(kBlockText, NumberKey(2), TextBytes(std::string("ab", 3)));
    ShownRawText text(V);
    ASSERT_TRUE(text.Load(1));
    EXPECT_EQ(text.BlockSize(), 12u);
    ASSERT_TRUE(text.Load(2));
    EXPECT_EQ(text.BlockSize(), 3u);
    EXPECT_EQ(Take(text.CreateString()), "ab");
}

TEST_F(TextTest, MissingRawTextGivesAZeroLengthBlockFalseAndAnEmptyString) {
    ShownRawText text(V);
    EXPECT_FALSE(text.Load(9));
    EXPECT_TRUE(text.HasBlock());
    EXPECT_EQ(text.BlockSize(), 0u);
    EXPECT_EQ(text.GetLoadedSize(), 0);
    FCString* string = text.CreateString();
    ASSERT_NE(string, nullptr);
    EXPECT_EQ(string->GetLength(), 0);
    delete string;
}

TEST_F(TextTest, TextWithoutATerminatingZeroEndsAtTheBlock) {
    document.SetRecord(kBlockText, NumberKey(4), TextBytes("abc"));
    ShownRawText text(V);
    ASSERT_TRUE(text.Load(4));
    EXPECT_EQ(Take(text.CreateString()), "abc");
}

TEST_F(TextTest, TextEndsAtItsFirstZeroByte) {
    document.SetRecord(kBlockText, NumberKey(4), TextBytes(std::string("ab\0cd", 5)));
    ShownRawText text(V);
    ASSERT_TRUE(text.Load(4));
    EXPECT_EQ(Take(text.CreateString()), "ab");
}

TEST_F(TextTest, CustomTagIsSentInEveryHostCall) {
    document.SetRecord(kExpressionText, NumberKey(2), TextBytes(std::string("x", 2)));
    document.SetRecord(kBlockText, NumberKey(2), TextBytes(std::string("wrong", 6)));
    ShownRawText text(V);
    text._customTag = kExpressionText;
    EXPECT_EQ(text.Tag(), kExpressionText);
    ASSERT_TRUE(text.Load(2));
    EXPECT_EQ(Take(text.CreateString()), "x");
    ASSERT_EQ(host.CallCount("FX_LoadEData"), 4);
    for (const HostCall& call : host.Calls()) EXPECT_EQ(call.args[0], kExpressionText) << call.name;
}

TEST_F(TextTest, RawTextsAreNeitherClonedNorWalked) {
    document.SetRecord(kBlockText, NumberKey(1), TextBytes(std::string("a", 2)));
    FCRawText text(V);
    ASSERT_TRUE(text.Load(1));
    EXPECT_EQ(text.CreateClone(), nullptr);
    host.ClearCalls();
    EXPECT_FALSE(text.LoadFirst());
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(TextTest, SetTextMakesABlockOfTheTextAndItsZero) {
    FCString string;
    string.SetCString("abc");
    ShownRawText text(V);
    text.SetText(&string);
    EXPECT_EQ(text.BlockSize(), 4u);
    EXPECT_EQ(text.Block(), std::string("abc", 4));
    EXPECT_EQ(text.GetLoadedSize(), 0);
    EXPECT_FALSE(text.SaveAs(5));  // nothing was loaded
    EXPECT_EQ(host.CallCount("FX_SaveEData"), 0);
}

TEST_F(TextTest, SaveWritesTheTextHeldNotTheSizeStoredUnderTheKey) {
    document.SetRecord(kBlockText, NumberKey(1), TextBytes(std::string("hello", 6)));
    document.SetRecord(kBlockText, NumberKey(2), TextBytes(std::string("a much longer text", 19)));
    FCRawText text(V);
    ASSERT_TRUE(text.Load(1));
    ASSERT_TRUE(text.SaveAs(7));  // nothing is stored under 7 yet
    EXPECT_EQ(*document.FindRecord(kBlockText, NumberKey(7)), TextBytes(std::string("hello", 6)));
    ASSERT_TRUE(text.SaveAs(2));
    EXPECT_EQ(*document.FindRecord(kBlockText, NumberKey(2)), TextBytes(std::string("hello", 6)));

    FCString longer;
    longer.SetCString("hello, world");
    text.SetText(&longer);
    ASSERT_TRUE(text.SaveAs(1));
    EXPECT_EQ(*document.FindRecord(kBlockText, NumberKey(1)), TextBytes(std::string("hello, world", 13)));
}

TEST_F(TextTest, TextBlockLeadsToItsRawText) {
    const int16_t number = document.AddTextBlock("^font(Arial)Violin");
    FCTextBlock block(V);
    ASSERT_TRUE(block.Load(number));
    EXPECT_EQ(Take(block.CreateRawTextString()), "^font(Arial)Violin");
    EXPECT_EQ(host.CallsTo("FX_LoadEData").back().args[0], kBlockText);
}

TEST_F(TextTest, TextBlockWithAMissingRawTextGivesAnEmptyString) {
    Bytes record(26, 0);
    record[0] = 40;
    document.SetRecord(kTextBlock, OtherKey(3), record);
    FCTextBlock block(V);
    ASSERT_TRUE(block.Load(3));
    EXPECT_EQ(block.GetRawTextNumber(), 40);
    FCString* string = block.CreateRawTextString();
    ASSERT_NE(string, nullptr);
    EXPECT_EQ(string->GetLength(), 0);
    delete string;

    FCTextBlock never(V);
    EXPECT_EQ(Take(never.CreateRawTextString()), "");
}

TEST_F(TextTest, TextBlockCloneCarriesAll26BytesAndTheKey) {
    Bytes record(26);
    for (int i = 0; i < 26; ++i) record[i] = static_cast<uint8_t>(i + 1);
    document.SetRecord(kTextBlock, OtherKey(12), record);
    FCTextBlock block(V);
    ASSERT_TRUE(block.Load(12));
    auto* clone = static_cast<FCTextBlock*>(block.CreateClone());
    EXPECT_STREQ(clone->ClassName(), "FCTextBlock");
    EXPECT_EQ(clone->GetLoadedSize(), 26);
    EXPECT_EQ(clone->GetItemNo(), 12);
    ASSERT_TRUE(clone->SaveAs(13));
    EXPECT_EQ(*document.FindRecord(kTextBlock, OtherKey(13)), record);
    delete clone;
}
