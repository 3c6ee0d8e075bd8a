// Measures: the attribute flags of the measure record, the measure's key signature, and
// the measures of a region.
#include <memory>
#include <string>

#include "finaleframework/collections/fcregion.h"
#include "finaleframework/score/fcmeasure.h"
#include "finaleframework/score/fcstaff.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kMeasureTag = 0x534F4D53;
constexpr int kAux = 8, kMe = 10, kNew = 16;

class MeasureTest : public HostTest {
protected:
    // Measure 1 with the given flags words; the other record bytes count up so that a
    // change to them shows.
    FCMeasure& Loaded(uint16_t aux, uint16_t me = 0, uint16_t newFlags = 0) {
        Bytes record(26);
        for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(0xA0 + i);
        Put(record, kAux, aux);
        Put(record, kMe, me);
        Put(record, kNew, newFlags);
        document.SetRecord(kMeasureTag, OtherKey(1), record);
        original = record;
        measure = std::make_unique<FCMeasure>(V);
        EXPECT_TRUE(measure->Load(1));
        return *measure;
    }
    // The word at offset of measure 1 after saving the measure; every byte outside the
    // three flags words must be as it was.
    uint16_t Saved(int offset) {
        EXPECT_TRUE(measure->Save());
        const Bytes& record = *document.FindRecord(kMeasureTag, OtherKey(1));
        for (size_t i = 0; i < record.size(); ++i) {
            const bool flags =
                i == kAux || i == kAux + 1 || i == kMe || i == kMe + 1 || i == kNew || i == kNew + 1;
            if (flags) continue;
            EXPECT_EQ(record[i], original[i]) << "byte " << i;
        }
        uint16_t word;
        memcpy(&word, record.data() + offset, sizeof word);
        return word;
    }
    static void Put(Bytes& record, int offset, uint16_t value) { memcpy(record.data() + offset, &value, 2); }

    Bytes original;
    std::unique_ptr<FCMeasure> measure;
};

using State = FCMeasure::DISPLAY_STATES;

// One signature's display: its aux and me bits and the measure's accessors for it.
struct Signature {
    const char* name;
    uint16_t auxBit, meBit;
    void (FCMeasure::*set)(State);
    State (FCMeasure::*get)() const;
};
const Signature kSignatures[] = {
    {"key", 0x0020, 0x0800, &FCMeasure::SetKeySignatureDisplay, &FCMeasure::GetKeySignatureDisplay},
    {"time", 0x0010, 0x0400, &FCMeasure::SetTimeSignatureDisplay, &FCMeasure::GetTimeSignatureDisplay},
};

}  // namespace

TEST_F(MeasureTest, RecordClassAndBeatChart) {
    FCMeasure fresh(V);
    EXPECT_STREQ(fresh.ClassName(), "FCMeasure");
    EXPECT_EQ(fresh.Tag(), kMeasureTag);
    EXPECT_EQ(fresh.DataSize(), 26u);
    EXPECT_EQ(fresh.CreateBeatChart(true), nullptr);
    EXPECT_EQ(fresh.CreateBeatChart(false), nullptr);
    FCMeasures measures;
    EXPECT_STREQ(measures.ClassName(), "FCMeasures");
    std::unique_ptr<__FCBaseData> element(measures.CreateElement(V));
    EXPECT_STREQ(element->ClassName(), "FCMeasure");
}

// Each primitive changes only its own word, and only the mask bits of it.
TEST_F(MeasureTest, FlagPrimitivesSetAndClearTheirOwnWord) {
    struct Case {
        void (FCMeasure::*set)(uint16_t, bool);
        int offset;
    };
    for (const Case& c : {Case{&FCMeasure::_SetAuxFlag, kAux}, Case{&FCMeasure::_SetMeFlag, kMe},
                          Case{&FCMeasure::_SetNewFlag, kNew}}) {
        SCOPED_TRACE(c.offset);
        FCMeasure& m = Loaded(0x1200, 0x1200, 0x1200);
        (m.*c.set)(0x0081, true);
        EXPECT_EQ(Saved(c.offset), 0x1281);
        for (int other : {kAux, kMe, kNew}) {
            if (other == c.offset) continue;
            EXPECT_EQ(Saved(other), 0x1200);
        }
        (m.*c.set)(0x0201, false);
        EXPECT_EQ(Saved(c.offset), 0x1080);
    }
}

TEST_F(MeasureTest, SignatureDisplayStates) {
    struct Case {
        bool aux, me;
        int state;
        bool auxAfter, meAfter;
        int read;
    };
    const Case cases[] = {
        {false, false, 0, false, false, 0}, {false, false, 1, false, true, 1},
        {false, false, 2, true, false, 2},  {false, true, 2, true, false, 2},
        {true, false, 1, false, true, 1},   {true, true, 0, false, false, 0},
        {true, true, 3, true, true, 2},     {false, true, -1, false, true, 1},
        {true, false, 7, true, false, 2},
    };
    // Bits of the two words that no display state touches.
    const uint16_t auxOther = 0x8001, meOther = 0x1001;
    for (const Signature& signature : kSignatures) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(signature.name) + " state " + std::to_string(c.state) + " on aux " +
                         std::to_string(c.aux) + " me " + std::to_string(c.me));
            FCMeasure& m =
                Loaded(auxOther | (c.aux ? signature.auxBit : 0), meOther | (c.me ? signature.meBit : 0));
            (m.*signature.set)(static_cast<State>(c.state));
            EXPECT_EQ((m.*signature.get)(), c.read);
            EXPECT_EQ(Saved(kAux), auxOther | (c.auxAfter ? signature.auxBit : 0));
            EXPECT_EQ(Saved(kMe), meOther | (c.meAfter ? signature.meBit : 0));
        }
    }
}

TEST_F(MeasureTest, BarlineStylesOnTheMeAndNewWords) {
    using Style = FCMeasure::BARLINE_STYLES;
    struct Case {
        uint16_t word;
        int style;
        uint16_t after;
        int read;
    };
    const Case cases[] = {
        {0x0FFF, 3, 0x0F3F, 3}, {0x0000, 6, 0x0060, 6},  {0x1234, 0, 0x1204, 0},
        {0x0F3F, 7, 0x0F3F, 3}, {0x0F3F, -1, 0x0F3F, 3}, {0x0090, 8, 0x0090, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("word " + std::to_string(c.word) + " style " + std::to_string(c.style));
        FCMeasure& right = Loaded(0, c.word, 0x5555);
        right.SetBarline(static_cast<Style>(c.style));
        EXPECT_EQ(right.GetBarline(), c.read);
        EXPECT_EQ(Saved(kMe), c.after);
        EXPECT_EQ(Saved(kNew), 0x5555);
        FCMeasure& left = Loaded(0, 0x5555, c.word);
        left.SetLeftBarline(static_cast<Style>(c.style));
        EXPECT_EQ(left.GetLeftBarline(), c.read);
        EXPECT_EQ(Saved(kNew), c.after);
        EXPECT_EQ(Saved(kMe), 0x5555);
    }
}

TEST_F(MeasureTest, BarlineMaskAcceptsOnlyTheSevenStyles) {
    FCMeasure& m = Loaded(0);
    for (int style = -2; style <= 9; ++style) {
        uint16_t code = 0xEEEE;
        const bool known = style >= 0 && style <= 6;
        EXPECT_EQ(m._GetBarlineMask(static_cast<FCMeasure::BARLINE_STYLES>(style), &code), known) << style;
        EXPECT_EQ(code, known ? style : 0) << style;
    }
}

TEST_F(MeasureTest, PositioningModesFromTheAuxCode) {
    const int readAs[8] = {1, 2, 2, 2, 0, 2, 2, 2};
    for (uint16_t code = 0; code < 8; ++code)
        EXPECT_EQ(Loaded(static_cast<uint16_t>(0xFFF8 | code)).GetPositioningNotesMode(), readAs[code])
            << code;

    struct Case {
        int mode;
        uint16_t after;
    };
    for (const Case& c :
         {Case{0, 0x00FC}, Case{1, 0x00F8}, Case{2, 0x00FE}, Case{3, 0x00FB}, Case{-1, 0x00FB}}) {
        FCMeasure& m = Loaded(0x00FB);
        m.SetPositioningNotesMode(static_cast<FCMeasure::POSITIONING_MODES>(c.mode));
        EXPECT_EQ(Saved(kAux), c.after) << c.mode;
    }
}

TEST_F(MeasureTest, FullNamesOnlyWithHostsFromVersion10) {
    struct Case {
        uint32_t version;
        bool acts;
    };
    for (const Case& c :
         {Case{0x0F000200, false}, Case{0x0FFFFFFF, false}, Case{0x10000000, true}, Case{0x1A000000, true}}) {
        SCOPED_TRACE(c.version);
        RunningFinaleVersion = c.version;
        FCMeasure& shown = Loaded(0x0800);
        EXPECT_EQ(shown.GetShowFullNames(), c.acts);
        shown.SetShowFullNames(false);
        EXPECT_EQ(Saved(kAux), c.acts ? 0x0000 : 0x0800);
        FCMeasure& hidden = Loaded(0x0000);
        hidden.SetShowFullNames(true);
        EXPECT_EQ(Saved(kAux), c.acts ? 0x0800 : 0x0000);
        EXPECT_EQ(hidden.GetShowFullNames(), c.acts);
    }
    RunningFinaleVersion = FINALE_FRAMEWORK_VERSION;
}

TEST_F(MeasureTest, KeySignatureIsMadeOnceAndRefreshedOnEveryCall) {
    document.AddMeasure(1, 0x0001);
    document.AddMeasure(2, 0x00FF);
    FCMeasure m(V);
    EXPECT_FALSE(m.Load(9));
    EXPECT_EQ(m.GetKeySignature(), nullptr);

    ASSERT_TRUE(m.Load(1));
    FCKeySignature* key = m.GetKeySignature();
    ASSERT_NE(key, nullptr);
    EXPECT_STREQ(key->ClassName(), "FCKeySignature");
    EXPECT_EQ(key->GetKeyValue(), 0x0001);
    key->SetKeyValue(0x0105);
    EXPECT_EQ(m.GetKeySignature(), key);
    EXPECT_EQ(key->GetKeyValue(), 0x0001);

    ASSERT_TRUE(m.Load(2));
    EXPECT_EQ(m.GetKeySignature(), key);
    EXPECT_EQ(key->CalcFlats(), 1);
    // A failed load holds nothing: no key, but the one made stays for the next load.
    EXPECT_FALSE(m.Load(9));
    EXPECT_EQ(m.GetKeySignature(), nullptr);
    ASSERT_TRUE(m.Load(1));
    EXPECT_EQ(m.GetKeySignature(), key);
    EXPECT_EQ(key->CalcSharps(), 1);
}

TEST_F(MeasureTest, CloneStartsWithoutTheKeySignature) {
    document.AddMeasure(1, 0x0003);
    FCMeasure m(V);
    ASSERT_TRUE(m.Load(1));
    FCKeySignature* key = m.GetKeySignature();
    std::unique_ptr<FCMeasure> clone(static_cast<FCMeasure*>(m.CreateClone()));
    ASSERT_NE(clone, nullptr);
    FCKeySignature* cloneKey = clone->GetKeySignature();
    ASSERT_NE(cloneKey, nullptr);
    EXPECT_NE(cloneKey, key);
    EXPECT_EQ(cloneKey->GetKeyValue(), 0x0003);
    EXPECT_EQ(clone->GetItemNo(), 1);
}

TEST_F(MeasureTest, LoadRegionKeepsTheMeasuresThatLoad) {
    for (int16_t i = 1; i <= 4; ++i) document.AddMeasure(i, static_cast<uint16_t>(i));
    struct Case {
        int16_t start, end;
        std::string loaded, held;
    };
    const Case cases[] = {
        {3, 5, "3 4 5 ", "3 4 "},
        {1, 2, "1 2 ", "1 2 "},
        {4, 2, "", ""},
        {0, 0, "0 ", ""},
    };
    FCMeasures measures;
    measures.Add(new FCMeasure(V));  // replaced by the first load
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + ".." + std::to_string(c.end));
        host.ClearCalls();
        FCMusicRegion region;
        region._startMeasure = c.start;
        region._endMeasure = c.end;
        measures.LoadRegion(&region, V);
        std::string loaded, held;
        for (const HostCall& call : host.CallsTo("FX_LoadEData")) {
            EXPECT_EQ(call.args[0], kMeasureTag);
            loaded += std::to_string(call.args[1] & 0xFFFF) + " ";
        }
        for (int i = 0; i < measures.GetCount(); ++i) {
            held += std::to_string(measures.GetMeasureAt(i)->GetItemNo()) + " ";
            EXPECT_EQ(measures.GetMeasureAt(i)->GetKeySignature()->GetKeyValue(),
                      measures.GetMeasureAt(i)->GetItemNo());
        }
        EXPECT_EQ(loaded, c.loaded);
        EXPECT_EQ(held, c.held);
    }
    measures.LoadRegion(nullptr, V);
    EXPECT_EQ(measures.GetCount(), 0);
}
