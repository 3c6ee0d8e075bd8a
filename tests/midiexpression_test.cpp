// MIDI expressions: the cell-detail record and the browser that hands a region's
// expressions to a handler.
#include <memory>
#include <string>
#include <vector>

#include "finaleframework/markings/fcmidiexpression.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kMidiTag = 0x64744D45;

class Tracer : public FCIteratorHandler {
public:
    bool Iterate(__FCBase* element) override {
        auto* expression = static_cast<FCMidiExpression*>(element);
        const RecordKey& key = expression->GetRecordKey();
        trace += "m" + std::to_string(ReadKeyField<uint16_t>(key, 2)) + "s" +
                 std::to_string(ReadKeyField<uint16_t>(key, 0)) + "#" +
                 std::to_string(ReadKeyField<int16_t>(key, 4)) + "@" +
                 std::to_string(expression->GetMeasurePos()) + " ";
        kept.emplace_back(static_cast<FCMidiExpression*>(expression->CreateClone()));
        return --goOn != 0;
    }
    std::string trace;
    int goOn = -1;
    std::vector<std::unique_ptr<FCMidiExpression>> kept;
};

class MidiExpressionTest : public HostTest {
protected:
    MidiExpressionTest() {
        first = document.AddStaff("Violin");
        second = document.AddStaff("Viola");
        document.SetMeasureCount(3);
    }
    // Measures 2 to 3 of both staves, from position 256 of measure 2 to 600 of measure 3.
    FCMusicRegion Region() {
        FCMusicRegion region;
        region._startSlot = 1;
        region._endSlot = 2;
        region._startMeasure = 2;
        region._startPos = 256;
        region._endMeasure = 3;
        region._endPos = 600;
        return region;
    }
    // The incidents asked of the host for MIDI expressions, as "staff.measure#incident".
    std::string Loads() const {
        std::string trace;
        for (const HostCall& call : host.CallsTo("FX_LoadEData")) {
            if (call.args[0] != kMidiTag) continue;
            trace += std::to_string(call.args[1] & 0xFFFF) + "." +
                     std::to_string(call.args[1] >> 16 & 0xFFFF) + "#" +
                     std::to_string(static_cast<int16_t>(call.args[1] >> 32)) + " ";
        }
        return trace;
    }

    int16_t first, second;
    FCBrowserMidiExpressions browser;
    Tracer tracer;
};

}  // namespace

TEST_F(MidiExpressionTest, NewRecordIsZeroedAndHasNoCell) {
    FCMidiExpression expression(V);
    EXPECT_STREQ(expression.ClassName(), "FCMidiExpression");
    EXPECT_EQ(expression.Tag(), kMidiTag);
    EXPECT_EQ(expression.DataSize(), 10u);
    EXPECT_EQ(expression._cell, nullptr);
    EXPECT_EQ(memcmp(expression.Allocate(), Bytes(10, 0).data(), 10), 0);
    std::unique_ptr<__FCBaseData> made(expression.CreateObject(V));
    EXPECT_STREQ(made->ClassName(), "FCMidiExpression");
    EXPECT_EQ(static_cast<FCMidiExpression*>(made.get())->_cell, nullptr);
    EXPECT_FALSE(expression.LoadFirst());
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_STREQ(browser.ClassName(), "__FCBrowserBase");
}

TEST_F(MidiExpressionTest, RegionWalkSkipsPositionsOutsideTheRegion) {
    document.AddMidiExpression(first, 1, 512);  // measure 1 lies before the region
    document.AddMidiExpression(first, 2, 0);    // before the start position
    document.AddMidiExpression(first, 2, 512);
    document.AddMidiExpression(second, 2, 256);  // exactly at the start position
    document.AddMidiExpression(first, 3, 0);
    document.AddMidiExpression(first, 3, 1024);  // after the end position
    document.AddMidiExpression(first, 3, 512);
    document.AddMidiExpression(first, 3, 600);  // exactly at the end position
    FCMusicRegion region = Region();
    EXPECT_EQ(browser.ForEachInRegion(&tracer, &region), 4);
    EXPECT_EQ(tracer.trace, "m2s1#1@512 m2s2#0@256 m3s1#0@0 m3s1#2@512 m3s1#3@600 ");
    // Every incident of each cell up to the first gap; the cell without any asks once.
    EXPECT_EQ(Loads(), "1.2#0 1.2#1 1.2#2 2.2#0 2.2#1 1.3#0 1.3#1 1.3#2 1.3#3 1.3#4 2.3#0 ");
}

TEST_F(MidiExpressionTest, HandlerThatStopsEndsTheWalkAtOnce) {
    document.AddMidiExpression(first, 2, 300);
    document.AddMidiExpression(first, 2, 400);
    document.AddMidiExpression(second, 2, 300);
    tracer.goOn = 1;
    FCMusicRegion region = Region();
    EXPECT_EQ(browser.ForEachInRegion(&tracer, &region), 0);
    EXPECT_EQ(tracer.trace, "m2s1#0@300 ");
    EXPECT_EQ(Loads(), "1.2#0 ");
}

TEST_F(MidiExpressionTest, HandlerKeepsClonesWithTheUninterpretedBytes) {
    document.AddMidiExpression(second, 1, 64);
    document.AddMidiExpression(second, 1, 128);
    Bytes& record = *document.FindRecord(kMidiTag, CellKey(static_cast<uint16_t>(second), 1, 1));
    for (int i = 4; i < 10; ++i) record[i] = static_cast<uint8_t>(0xC0 + i);
    const Bytes stored = record;
    // The whole document: every position of every measure.
    EXPECT_EQ(browser.ForEach(&tracer), 6);
    EXPECT_EQ(tracer.trace, "m1s2#0@64 m1s2#1@128 ");
    ASSERT_EQ(tracer.kept.size(), 2u);
    EXPECT_EQ(tracer.kept[1]->GetMeasurePos(), 128);
    EXPECT_EQ(memcmp(tracer.kept[1]->Allocate(), stored.data(), 10), 0);
    // Saved back unchanged under its own key.
    tracer.kept[1]->SetMeasurePos(192);
    ASSERT_TRUE(tracer.kept[1]->Save());
    Bytes expected = stored;
    expected[0] = 192;
    EXPECT_EQ(*document.FindRecord(kMidiTag, CellKey(static_cast<uint16_t>(second), 1, 1)), expected);
}

TEST_F(MidiExpressionTest, FindFirstSearchesNothing) {
    document.AddMidiExpression(first, 2, 300);
    tracer.goOn = 1;
    host.ClearCalls();
    EXPECT_EQ(browser.FindFirst(&tracer), nullptr);
    EXPECT_EQ(tracer.trace, "");
    EXPECT_TRUE(host.Calls().empty());
}
