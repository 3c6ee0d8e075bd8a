// Copying articulations from one entry to another, and keeping an entry's articulations
// loaded in the entry object.
#include <cstdint>
#include <memory>

#include "finaleframework/entries/fcnoteentry.h"
#include "finaleframework/markings/fcarticulation.h"

namespace {

// The articulations of an entry, as the document holds them; the caller owns the list.
std::unique_ptr<FCArticulations> LoadArticulations(FCNoteEntry* entry) {
    auto list = std::make_unique<FCArticulations>(entry);
    list->LoadAll(FINALE_FRAMEWORK_VERSION);
    return list;
}

}  // namespace

// The copies are numbered on from the entry's own articulations without leaving a gap
// for a skipped duplicate, so that the incident walk of the entry's details reaches every
// one. An entry the host has not numbered yet has no key to attach records to.
int32_t FCNoteEntry::AddArticulations(FCNoteEntry* source, bool skipDuplicates) {
    if (!source || GetEntryNumber() == 0) return 0;
    std::unique_ptr<FCArticulations> own = LoadArticulations(this);
    std::unique_ptr<FCArticulations> loaded;
    FCArticulations* from = source->_articulationCache;
    if (!from) {
        loaded = LoadArticulations(source);
        from = loaded.get();
    }
    const int32_t existing = own->GetCount();
    int32_t added = 0;
    for (int i = 0; i < from->GetCount(); ++i) {
        FCArticulation* articulation = from->GetArticulationAt(i);
        if (!articulation) continue;
        if (skipDuplicates && own->ContainsID(articulation->GetID())) continue;
        const int32_t incident = existing + added;
        if (incident > INT16_MAX) break;
        articulation->SetNoteEntry(this);
        articulation->SaveAs(GetEntryNumber(), static_cast<int16_t>(incident));
        ++added;
    }
    if (added > 0) _SetEntryFlag(ENTRY_ARTICULATIONS, true);
    return added;
}

void FCNoteEntry::CacheArticulations() {
    std::unique_ptr<FCArticulations> list = LoadArticulations(this);
    if (list->GetCount() == 0) return;
    delete _articulationCache;
    _articulationCache = list.release();
}
