#include "finaleframework/entries/fcnote.h"

#include "finaleframework/entries/fcnoteentry.h"

int32_t FCNote::_GetEntryNumber() const { return _entry ? _entry->GetEntryNumber() : 0; }

void FCNote::_SetEntryFlag(uint32_t mask, bool on) {
    if (_entry) _entry->_SetEntryFlag(mask, on);
}

void FCNote::_SetNoteDetailEntryFlag(bool on) { _SetEntryFlag(ENTRY_NOTE_DETAILS, on); }
void FCNote::_SetSpecialAltsEntryFlag(bool on) { _SetEntryFlag(ENTRY_SPECIAL_ALTS, on); }
void FCNote::_SetArticulationEntryFlag(bool on) { _SetEntryFlag(ENTRY_ARTICULATIONS, on); }
