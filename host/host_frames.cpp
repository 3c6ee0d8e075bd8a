// The host's entry-frame functions. A frame is handed out in memory below 4 GiB, its
// arrays ending against a guard page; the document changes only when a frame is saved.
#include <algorithm>
#include <cstring>

#include "host/hostfunctions.h"
#include "host/lowmem.h"
#include "host/simulated_host.h"

namespace {

SimulatedHost& Host() { return *SimulatedHost::Current(); }

template <class Record>
uint32_t NewArray(const Record* source, int count, size_t& bytes) {
    bytes = sizeof(Record) * static_cast<size_t>(count);
    if (count <= 0) return 0;
    void* block = LowAlloc(bytes);
    if (source) memcpy(block, source, bytes);
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block));
}

void FreeArray(uint32_t address, size_t bytes) {
    if (address) LowFree(reinterpret_cast<void*>(static_cast<uintptr_t>(address)), bytes);
}

SimulatedHost::LiveFrame* Live(EXTGF2005a* frame, const char* function) {
    auto it = Host().liveFrames.find(frame);
    if (it != Host().liveFrames.end()) return &it->second;
    Host().faults.push_back(std::string(function) + " with a frame the host did not hand out");
    return nullptr;
}

// Replaces the frame's entry array by count records: those of the old array before
// `at`, `inserted` zeroed records, then the old records from `at + removed` on.
void Splice(EXTGF2005a* frame, SimulatedHost::LiveFrame& live, int at, int removed, int inserted) {
    const int old = FrameEntryCount(frame);
    const EXENTRY* entries = FrameEntries(frame);
    std::vector<EXENTRY> next(entries, entries + old);
    next.erase(next.begin() + at, next.begin() + at + removed);
    next.insert(next.begin() + at, static_cast<size_t>(inserted), EXENTRY{});
    FreeArray(frame->entries, live.entryBytes);
    frame->entries = NewArray(next.data(), static_cast<int>(next.size()), live.entryBytes);
    frame->entryCount = static_cast<int16_t>(next.size());
}

// The tuplets of a frame: those the cell's frame carried when it was last saved, and
// those stored as entry details (EDTTuplet2005) of the cell's entries, each listed once.
std::vector<ETUPLETREC> FrameTupletList(HostDocument& doc, const CellLayer& cell) {
    std::vector<ETUPLETREC> list = cell.tuplets;
    for (size_t i = 0; i < cell.entries.size() && i <= INT16_MAX; ++i) {
        const auto index = static_cast<int16_t>(i);
        for (int16_t k = 0; k < INT16_MAX; ++k) {
            const RecordKey key = EntryDetailKey(cell.entries[i].entryNumber, k);
            const Bytes* record = doc.FindRecord(EDTTUPLET2005_TAG, key);
            if (!record) break;
            const bool listed = std::any_of(list.begin(), list.end(), [&](const ETUPLETREC& tuplet) {
                return tuplet.entryIndex == index && tuplet.incident == k;
            });
            if (listed) continue;
            ETUPLETREC tuplet{};
            tuplet.entryIndex = index;
            tuplet.incident = k;
            memcpy(tuplet.tuplet, record->data(), std::min(record->size(), sizeof tuplet.tuplet));
            list.push_back(tuplet);
        }
    }
    return list;
}

}  // namespace

extern "C" {

int16_t FXAPI HostFX_GetMaxLayers(uint32_t version) {
    Host().Log("FX_GetMaxLayers", version);
    return Host().Document().maxLayers;
}

int16_t FXAPI HostFX_GetShowLayer(int16_t layer, uint32_t version) {
    Host().Log("FX_GetShowLayer", layer, version);
    return Host().Document().hiddenLayers.count(layer) ? 0 : 1;
}

EXTGF2005a* FXAPI HostFX_LoadTGF(uint16_t firstKey, int16_t slot, int16_t measure, int16_t layer,
                                 int16_t loadFlag, uint32_t version) {
    Host().Log("FX_LoadTGF", firstKey, slot, measure, layer, loadFlag, version);
    HostDocument& doc = Host().Document();
    const int16_t staff = doc.SlotToStaff(slot);
    if (staff == 0 || measure < 1 || measure > doc.MeasureCount() || layer < 0 || layer >= doc.maxLayers ||
        doc.unloadableLayers.count(layer))
        return nullptr;
    auto* frame = static_cast<EXTGF2005a*>(LowAlloc(sizeof(EXTGF2005a)));
    frame->firstKey = firstKey;
    frame->staff = staff;
    frame->slot = slot;
    frame->measure = measure;
    frame->layer = layer;
    SimulatedHost::LiveFrame live;
    if (const CellLayer* cell = doc.FindCellLayer(staff, measure, layer)) {
        frame->entries = NewArray(cell->entries.data(), static_cast<int>(cell->entries.size()), live.entryBytes);
        frame->entryCount = static_cast<int16_t>(cell->entries.size());
        const std::vector<ETUPLETREC> tuplets = FrameTupletList(doc, *cell);
        frame->tuplets = NewArray(tuplets.data(), static_cast<int>(tuplets.size()), live.tupletBytes);
        frame->tupletCount = static_cast<int16_t>(tuplets.size());
    }
    Host().liveFrames[frame] = live;
    return frame;
}

void FXAPI HostFX_FreeTGF(EXTGF2005a* frame, uint32_t version) {
    Host().Log("FX_FreeTGF", frame, version);
    SimulatedHost::LiveFrame* live = Live(frame, "FX_FreeTGF");
    if (!live) return;
    FreeArray(frame->entries, live->entryBytes);
    FreeArray(frame->tuplets, live->tupletBytes);
    Host().liveFrames.erase(frame);
    LowFree(frame, sizeof(EXTGF2005a));
}

int16_t FXAPI HostFX_SaveTGF(EXTGF2005a* frame, uint32_t version) {
    Host().Log("FX_SaveTGF", frame, version);
    if (!Live(frame, "FX_SaveTGF")) return 0;
    HostDocument& doc = Host().Document();
    if (doc.unsavableLayers.count(frame->layer)) return 0;
    CellLayer& cell = doc.CellLayerAt(frame->staff, frame->measure, frame->layer);
    const EXENTRY* entries = FrameEntries(frame);
    cell.entries.assign(entries, entries + FrameEntryCount(frame));
    for (EXENTRY& entry : cell.entries)
        if (entry.entryNumber == 0) entry.entryNumber = doc.NextEntryNumber();
    const ETUPLETREC* tuplets = FrameTuplets(frame);
    cell.tuplets.assign(tuplets, tuplets + FrameTupletCount(frame));
    return 1;
}

int16_t FXAPI HostFX_InsertEXENTRY(EXTGF2005a* frame, int16_t position, int16_t count, uint32_t version) {
    Host().Log("FX_InsertEXENTRY", frame, position, count, version);
    SimulatedHost::LiveFrame* live = Live(frame, "FX_InsertEXENTRY");
    if (!live || position < 0 || position > FrameEntryCount(frame) || count < 0) return 0;
    Splice(frame, *live, position, 0, count);
    return 1;
}

int16_t FXAPI HostFX_DeleteEXENTRY(EXTGF2005a* frame, int16_t position, int16_t count, uint32_t version) {
    Host().Log("FX_DeleteEXENTRY", frame, position, count, version);
    SimulatedHost::LiveFrame* live = Live(frame, "FX_DeleteEXENTRY");
    const int entries = FrameEntryCount(frame);
    if (!live || position < 0 || count < 0 || position > entries) return 0;
    Splice(frame, *live, position, std::min(count, static_cast<int16_t>(entries - position)), 0);
    return 1;
}

int16_t FXAPI HostFX_ReduceEntries(EXTGF2005a* frame, uint32_t version) {
    Host().Log("FX_ReduceEntries", frame, version);
    return Live(frame, "FX_ReduceEntries") ? 1 : 0;
}

int32_t FXAPI HostFX_GetTGFDuration(EXTGF2005a* frame, uint32_t version) {
    Host().Log("FX_GetTGFDuration", frame, version);
    if (!Live(frame, "FX_GetTGFDuration")) return 0;
    int32_t total = 0;
    const EXENTRY* entries = FrameEntries(frame);
    for (int i = 0; i < FrameEntryCount(frame); ++i) total += entries[i].duration;
    return total;
}

}  // extern "C"
