// Articulations: the assignments on an entry and the definitions of their symbols.
#include <memory>
#include <string>

#include "finaleframework/entries/fcnoteentrycell.h"
#include "finaleframework/markings/fcarticulation.h"
#include "tests/support.h"

namespace {

constexpr uint32_t V = FINALE_FRAMEWORK_VERSION;
constexpr uint32_t kDefinitionTag = 0x4F044958;

class ArticulationTest : public HostTest {
protected:
    ArticulationTest() {
        staff = document.AddStaff("Trumpet");
        document.AddEntry(staff, 1, 0, 0, 1024, {0});
        document.AddEntry(staff, 1, 0, 1024, 1024, {2});
    }
    void TearDown() override {
        cell.reset();
        EXPECT_TRUE(host.liveFrames.empty());
        EXPECT_TRUE(host.faults.empty());
    }
    FCNoteEntry* Entry(int index) {
        if (!cell) {
            cell = std::make_unique<FCNoteEntryCell>(1, staff);
            EXPECT_TRUE(cell->Load());
        }
        return cell->GetEntryAt(index);
    }
    int32_t Number(int index) { return document.CellLayerAt(staff, 1, 0).entries[index].entryNumber; }
    // A definition in a font, with bytes of its record changed as given.
    int16_t Definition(const std::string& font, uint8_t character, std::vector<std::pair<int, uint8_t>> bytes = {}) {
        const int16_t number = document.AddArticulationDef(font, character);
        Bytes& record = *document.FindRecord(kDefinitionTag, OtherKey(static_cast<uint16_t>(number)));
        for (const auto& [offset, value] : bytes) record[offset] = value;
        return number;
    }
    std::unique_ptr<FCArticulationDef> Load(int16_t number) {
        auto definition = std::make_unique<FCArticulationDef>(V);
        EXPECT_TRUE(definition->Load(static_cast<uint16_t>(number)));
        return definition;
    }

    int16_t staff;
    std::unique_ptr<FCNoteEntryCell> cell;
};

using FontName = char[256];

}  // namespace

TEST_F(ArticulationTest, NewObjectsHoldClearedRecords) {
    FCArticulation articulation(V);
    EXPECT_EQ(articulation.Tag(), 0x6564494Du);
    EXPECT_EQ(articulation.DataSize(), 10u);
    EXPECT_EQ(memcmp(articulation.Allocate(), Bytes(10, 0).data(), 10), 0);
    std::unique_ptr<__FCBaseData> made(articulation.CreateObject(V));
    EXPECT_STREQ(made->ClassName(), "FCArticulation");
    EXPECT_EQ(memcmp(made->Allocate(), Bytes(10, 0).data(), 10), 0);
    FCArticulations articulations;
    EXPECT_STREQ(articulations.ClassName(), "FCArticulations");
    std::unique_ptr<__FCBaseData> element(articulations.CreateElement(V));
    EXPECT_EQ(memcmp(element->Allocate(), Bytes(10, 0).data(), 10), 0);

    FCArticulationDef definition(V);
    EXPECT_STREQ(definition.ClassName(), "FCArticulationDef");
    EXPECT_EQ(definition.Tag(), 0x4F044958u);
    EXPECT_EQ(definition.DataSize(), 48u);
    EXPECT_EQ(memcmp(definition.Allocate(), Bytes(48, 0).data(), 48), 0);
}

TEST_F(ArticulationTest, AShapeSymbolHasNoFontAndNoCharacter) {
    auto definition = Load(Definition("Maestro", 'U', {{22, 0x02}}));
    FontName name;
    memset(name, 'x', sizeof name);
    definition->GetMainSymbolFont(&name);
    EXPECT_STREQ(name, "");
    const FontName empty = "", maestro = "Maestro";
    EXPECT_TRUE(definition->IsMainSymbolFont(&empty));
    EXPECT_FALSE(definition->IsMainSymbolFont(&maestro));
    EXPECT_EQ(definition->GetMainSymbolChar(), 0);
    EXPECT_EQ(host.CallCount("FX_FontNumToName"), 0);
}

TEST_F(ArticulationTest, TheFontNameMustMatchExactly) {
    const int16_t font = document.FontNumber("Maestro");
    auto definition = Load(Definition("Maestro", 'U'));
    const FontName exact = "Maestro", lower = "maestro", longer = "Maestro Wide";
    EXPECT_TRUE(definition->IsMainSymbolFont(&exact));
    EXPECT_FALSE(definition->IsMainSymbolFont(&lower));
    EXPECT_FALSE(definition->IsMainSymbolFont(&longer));
    EXPECT_EQ(definition->GetMainSymbolChar(), 'U');
    const HostCall lookup = host.CallsTo("FX_FontNumToName").at(0);
    EXPECT_EQ(lookup.args[0], font);
    EXPECT_EQ(lookup.args[2], V);
}

TEST_F(ArticulationTest, AFontTheHostCannotNameGivesAnEmptyName) {
    auto definition = Load(Definition("Maestro", 'U', {{2, 99}}));
    FontName name;
    memset(name, 'x', sizeof name);
    definition->GetMainSymbolFont(&name);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(host.CallsTo("FX_FontNumToName").at(0).args[0], 99);
}

TEST_F(ArticulationTest, AutoPositionSideFollowsTheCodeTable) {
    const std::vector<std::pair<uint16_t, int>> cases = {
        {0x0000, 0}, {0x0004, 0}, {0x0008, 2}, {0x0009, 3}, {0x000A, 5}, {0x000B, 4},
        {0x000C, 1}, {0x000D, 0}, {0x000E, 0}, {0x000F, 0}, {0xFFF7, 0}, {0xFFFC, 1}};
    for (const auto& [word, side] : cases) {
        auto definition =
            Load(Definition("Maestro", 'U', {{10, static_cast<uint8_t>(word)}, {11, static_cast<uint8_t>(word >> 8)}}));
        EXPECT_EQ(definition->GetAutoPosSide(), side) << std::hex << word;
    }
}

TEST_F(ArticulationTest, ContainsIdComparesTheDefinitionNumbers) {
    FCArticulations none(Entry(1));
    none.LoadAll(V);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_FALSE(none.ContainsID(7));

    document.AddArticulation(Number(0), 7);
    document.AddArticulation(Number(0), -1);
    FCArticulations articulations(Entry(0));
    articulations.LoadAll(V);
    ASSERT_EQ(articulations.GetCount(), 2);
    EXPECT_TRUE(articulations.ContainsID(7));
    EXPECT_TRUE(articulations.ContainsID(-1));
    EXPECT_FALSE(articulations.ContainsID(8));
}

TEST_F(ArticulationTest, TheEntryFlagOfArticulationsIsItsOwn) {
    Entry(0)->_SetEntryFlag(ENTRY_ARTICULATIONS | ENTRY_NOTE_DETAILS, true);
    FCArticulation articulation(V);
    articulation._SetEntryFlag(Entry(0), false);
    EXPECT_EQ(Entry(0)->GetFlags(), ENTRY_NOTE | ENTRY_NOTE_DETAILS);
    articulation._SetEntryFlag(nullptr, true);
}

// The order in which the fermata scan reads an entry's articulations.
TEST_F(ArticulationTest, EachAssignmentMakesItsDefinition) {
    const int16_t fermata = Definition("Maestro", 'U');
    const int16_t accent = Definition("Petrucci", '>');
    document.AddArticulation(Number(0), accent);
    document.AddArticulation(Number(0), fermata);
    document.AddArticulation(Number(0), 99);  // no such definition
    FCArticulations articulations(Entry(0));
    articulations.LoadAll(V);
    const FontName maestro = "Maestro";
    std::string trace;
    for (int i = 0; i < articulations.GetCount(); ++i) {
        std::unique_ptr<FCArticulationDef> definition(articulations.GetArticulationAt(i)->CreateArticulationDef());
        trace += std::to_string(definition->GetItemNo()) + (definition->GetLoadedSize() ? "" : "?");
        if (definition->IsMainSymbolFont(&maestro)) trace += std::string("=") + char(definition->GetMainSymbolChar());
        trace += " ";
    }
    EXPECT_EQ(trace, std::to_string(accent) + " " + std::to_string(fermata) + "=U 99? ");
}
