// Owning collections, their walks and sort, and collections filled from host records.
#include <string>

#include "finaleframework/finaleframework.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kItemTag = 0x74737431;
constexpr uint32_t kInciTag = 0x74737432;

struct Number : __FCBase {
    explicit Number(int v) : value(v) {}
    int value;
};

// A collection of numbers that shows its capacity.
class Numbers : public __FCCollection {
public:
    Numbers(std::initializer_list<int> values = {}) : Numbers(std::vector<int>(values)) {}
    explicit Numbers(const std::vector<int>& values) {
        for (int value : values) Add(new Number(value));
    }
    int Capacity() const { return _capacity; }
    void Require(int additional) { _RequireElement(additional); }
    std::string Values() const {
        std::string text;
        for (int i = 0; i < GetCount(); ++i) {
            auto* number = static_cast<Number*>(GetItemAt(i));
            text += (number ? std::to_string(number->value) : "-") + " ";
        }
        return text;
    }
};

int ValueOf(__FCBase* element) { return static_cast<Number*>(element)->value; }

// Records each visit; stops at a given value and can change the collection on the way.
class Tracer : public FCIteratorHandler {
public:
    explicit Tracer(Numbers* numbers = nullptr) : _numbers(numbers) {}
    bool Iterate(__FCBase* element) override {
        const int value = ValueOf(element);
        trace += std::to_string(value) + " ";
        if (value == addAfter) _numbers->Add(new Number(value * 10));
        if (value == removeAt) delete Remove(element);
        return value != stopAt;
    }
    bool IterateIndex(__FCBase* element, int index) override {
        trace += std::to_string(index) + ":" + std::to_string(ValueOf(element)) + " ";
        return ValueOf(element) != stopAt;
    }
    bool Match(__FCBase* element) override {
        trace += "?" + std::to_string(ValueOf(element)) + " ";
        return ValueOf(element) == sought;
    }
    int Compare(__FCBase* a, __FCBase* b) override { return ValueOf(a) - ValueOf(b); }

    __FCBase* Remove(__FCBase* element) {
        for (int i = 0; i < _numbers->GetCount(); ++i)
            if (_numbers->GetItemAt(i) == element) _numbers->DeleteItemAt(i);
        return element;
    }

    std::string trace;
    int stopAt = -1, addAfter = -1, removeAt = -1, sought = -1;

private:
    Numbers* _numbers;
};

class ItemRecord : public FCFixedRecord<ItemRecord, __FCNoInciOther, "ItemRecord", kItemTag, 2> {
public:
    using FCFixedRecord::FCFixedRecord;
    int16_t GetValue() const { return _GetField<int16_t>(0); }
};

class InciRecord : public FCFixedRecord<InciRecord, __FCInciOther, "InciRecord", kInciTag, 2> {
public:
    using FCFixedRecord::FCFixedRecord;
    int16_t GetValue() const { return _GetField<int16_t>(0); }
};

class ItemRecords : public __FCCollectionData {
public:
    __FCBaseData* CreateElement(uint32_t version) override { return new ItemRecord(version); }
};

class InciRecords : public __FCCollectionInciOther {
public:
    __FCBaseData* CreateElement(uint32_t version) override { return new InciRecord(version); }
};

template <class Record>
std::string RecordTrace(const __FCCollection& records) {
    std::string text;
    for (int i = 0; i < records.GetCount(); ++i) {
        auto* record = static_cast<Record*>(records.GetItemAt(i));
        text += std::to_string(ReadKeyField<uint16_t>(record->GetRecordKey(), 0)) + "/" +
                std::to_string(ReadKeyField<int16_t>(record->GetRecordKey(), 2)) + "=" +
                std::to_string(record->GetValue()) + " ";
    }
    return text;
}

Bytes Value(int16_t value) { return {uint8_t(value & 0xFF), uint8_t(value >> 8)}; }

}  // namespace

TEST(Collection, GrowsInStepsOfTenStrictlyAboveTheNeed) {
    struct Case {
        int adds, capacity;
    };
    for (Case c :
         {Case{0, 0}, Case{1, 10}, Case{9, 10}, Case{10, 10}, Case{11, 20}, Case{20, 20}, Case{21, 30}}) {
        Numbers numbers;
        for (int i = 0; i < c.adds; ++i) EXPECT_EQ(numbers.Add(new Number(i)), i + 1);
        EXPECT_EQ(numbers.Capacity(), c.capacity) << c.adds << " adds";
        EXPECT_EQ(numbers.GetCount(), c.adds);
    }
    Numbers required;
    required.Require(10);
    EXPECT_EQ(required.Capacity(), 20);
    required.Require(0);
    required.Require(-3);
    EXPECT_EQ(required.Capacity(), 20);
    EXPECT_EQ(required.GetCount(), 0);
}

TEST(Collection, PositionsOutsideGiveNone) {
    Numbers numbers{4, 5};
    EXPECT_EQ(numbers.GetItemAt(-1), nullptr);
    EXPECT_EQ(numbers.GetItemAt(2), nullptr);
    EXPECT_EQ(ValueOf(numbers.GetItemAt(1)), 5);
    EXPECT_FALSE(numbers.DeleteItemAt(-1));
    EXPECT_FALSE(numbers.DeleteItemAt(2));
    EXPECT_EQ(numbers.Values(), "4 5 ");
}

TEST(Collection, DeleteItemAtHandsTheElementBack) {
    Numbers numbers{1, 2, 3};
    __FCBase* middle = numbers.GetItemAt(1);
    ASSERT_TRUE(numbers.DeleteItemAt(1));
    EXPECT_EQ(numbers.Values(), "1 3 ");
    EXPECT_FALSE(numbers.ElementExists(middle));
    EXPECT_EQ(ValueOf(middle), 2);  // not destroyed: the caller owns it now
    delete middle;
    __FCBase* last = numbers.GetItemAt(1);
    ASSERT_TRUE(numbers.DeleteItemAt(1));  // the last position: only the count goes down
    EXPECT_EQ(numbers.Values(), "1 ");
    EXPECT_EQ(numbers.GetItemAt(1), nullptr);
    delete last;
}

TEST(Collection, ElementExistsComparesIdentity) {
    Numbers numbers{7};
    Number twin(7);
    EXPECT_TRUE(numbers.ElementExists(numbers.GetItemAt(0)));
    EXPECT_FALSE(numbers.ElementExists(&twin));
}

TEST(CollectionWalk, StopsAtTheFirstFalseAndCountsTheTrueAnswers) {
    Numbers numbers{1, 2, 3, 4};
    Tracer tracer;
    tracer.stopAt = 3;
    EXPECT_EQ(numbers.ForEach(&tracer), 2);
    EXPECT_EQ(tracer.trace, "1 2 3 ");
}

TEST(CollectionWalk, SkipsEmptySlotsWithoutCountingThem) {
    Numbers numbers{1};
    numbers.Add(nullptr);
    numbers.Add(new Number(3));
    Tracer tracer;
    EXPECT_EQ(numbers.ForEach(&tracer), 2);
    EXPECT_EQ(tracer.trace, "1 3 ");
}

TEST(CollectionWalk, ElementsAddedDuringTheWalkAreVisited) {
    Numbers numbers{1, 2, 3};
    Tracer tracer(&numbers);
    tracer.addAfter = 2;
    EXPECT_EQ(numbers.ForEach(&tracer), 4);
    EXPECT_EQ(tracer.trace, "1 2 3 20 ");
}

TEST(CollectionWalk, RemovingTheCurrentElementSkipsTheNextOne) {
    Numbers numbers{1, 2, 3, 4};
    Tracer tracer(&numbers);
    tracer.removeAt = 2;
    EXPECT_EQ(numbers.ForEach(&tracer), 3);
    EXPECT_EQ(tracer.trace, "1 2 4 ");
    EXPECT_EQ(numbers.Values(), "1 3 4 ");
}

TEST(CollectionWalk, RemovingTheLastElementEndsTheWalk) {
    Numbers numbers{1, 2};
    Tracer tracer(&numbers);
    tracer.removeAt = 2;
    EXPECT_EQ(numbers.ForEach(&tracer), 2);
    EXPECT_EQ(tracer.trace, "1 2 ");
}

TEST(CollectionWalk, IndexWalkAndWalkFromAPosition) {
    Numbers numbers{5, 6, 7, 8};
    Tracer indexed;
    indexed.stopAt = 7;
    EXPECT_EQ(numbers.ForEachIndex(&indexed), 2);
    EXPECT_EQ(indexed.trace, "0:5 1:6 2:7 ");

    struct Case {
        int start, count;
        const char* trace;
    };
    for (Case c : {Case{2, 2, "7 8 "}, Case{4, 0, ""}, Case{-2, 4, "5 6 7 8 "}, Case{99, 0, ""}}) {
        Tracer tracer;
        EXPECT_EQ(numbers.ToEndFrom(c.start, &tracer), c.count) << c.start;
        EXPECT_EQ(tracer.trace, c.trace) << c.start;
    }
}

TEST(CollectionWalk, FindFirstReturnsTheFirstMatchInPositionOrder) {
    Numbers numbers{3, 8, 8};
    numbers.Add(nullptr);
    FCIteratorHandler defaults;
    EXPECT_EQ(numbers.FindFirst(&defaults), nullptr);
    Tracer tracer;
    tracer.sought = 8;
    EXPECT_EQ(numbers.FindFirst(&tracer), numbers.GetItemAt(1));
    EXPECT_EQ(tracer.trace, "?3 ?8 ");
    Tracer none;
    EXPECT_EQ(numbers.FindFirst(&none), nullptr);
    EXPECT_EQ(none.trace, "?3 ?8 ?8 ");
}

TEST(CollectionSort, OrdersAscendingByCompare) {
    struct Case {
        std::vector<int> values;
        const char* sorted;
    };
    for (Case c : {Case{{3, 1, 2}, "1 2 3 "}, Case{{5, 4, 3, 2, 1}, "1 2 3 4 5 "}, Case{{2, 2, 1}, "1 2 2 "},
                   Case{{9}, "9 "}, Case{{}, ""}}) {
        Numbers numbers(c.values);
        Tracer tracer;
        numbers.Sort(&tracer);
        EXPECT_EQ(numbers.Values(), c.sorted);
    }
}

TEST(CollectionSort, DefaultCompareKeepsTheOrderAndEmptySlotsStayPut) {
    Numbers numbers{3, 1, 2};
    FCIteratorHandler defaults;
    numbers.Sort(&defaults);
    EXPECT_EQ(numbers.Values(), "3 1 2 ");

    Numbers gappy{3};
    gappy.Add(nullptr);
    gappy.Add(new Number(1));
    Tracer tracer;
    gappy.Sort(&tracer);
    EXPECT_EQ(gappy.Values(), "1 - 3 ");
}

TEST(Collection, DestructionDestroysEveryElement) {
    // Under the leak checker an element left behind fails the run.
    auto* numbers = new Numbers{1, 2, 3};
    numbers->Add(nullptr);
    delete static_cast<__FCBase*>(numbers);
}

using DataCollectionTest = HostTest;

TEST_F(DataCollectionTest, LoadAllClonesEveryRecordInTheHostsOrder) {
    for (uint16_t item : {4, 1, 2}) document.SetRecord(kItemTag, OtherKey(item), Value(int16_t(item * 11)));
    ItemRecords records;
    records._customTag = 0x41424344;
    records.LoadAll(V);
    EXPECT_EQ(RecordTrace<ItemRecord>(records), "1/0=11 2/0=22 4/0=44 ");
    for (int i = 0; i < records.GetCount(); ++i) {
        EXPECT_EQ(static_cast<ItemRecord*>(records.GetItemAt(i))->_customTag, 0x41424344u);
        EXPECT_EQ(static_cast<ItemRecord*>(records.GetItemAt(i))->GetLoadedSize(), 2);
    }
    // A second load replaces the contents.
    document.EraseRecord(kItemTag, OtherKey(2));
    records.LoadAll(V);
    EXPECT_EQ(RecordTrace<ItemRecord>(records), "1/0=11 4/0=44 ");
}

TEST_F(DataCollectionTest, LoadAllWithoutRecordsLeavesTheCollectionEmpty) {
    ItemRecords records;
    records.LoadAll(V);
    EXPECT_EQ(records.GetCount(), 0);
    InciRecords incidents;
    document.SetRecord(kInciTag, OtherKey(1, 0), Value(1));
    incidents.LoadAll(V);
    EXPECT_EQ(incidents.GetCount(), 0);  // incident records are not walked
}

TEST_F(DataCollectionTest, LoadAllForItemStopsAtTheFirstMissingIncident) {
    for (int16_t incident : {0, 1, 3}) document.SetRecord(kInciTag, OtherKey(6, incident), Value(incident));
    document.SetRecord(kInciTag, OtherKey(7, 2), Value(9));
    InciRecords records;
    records.LoadAllForItem(6, V);
    EXPECT_EQ(RecordTrace<InciRecord>(records), "6/0=0 6/1=1 ");
    std::vector<int64_t> incidents;
    for (const HostCall& call : host.CallsTo("FX_LoadEData")) incidents.push_back(call.args[1] >> 16);
    EXPECT_EQ(incidents, (std::vector<int64_t>{0, 1, 2}));
    records.LoadAllForItem(7, V);
    EXPECT_EQ(records.GetCount(), 0);
}
