// The fermata consistency scan: for every measure of a region in which some staff holds a
// fermata, each staff without one is reported in a message box.
#pragma once

#include "finaleframework/collections/fccollection.h"
#include "platform/win32.h"

class FCCell;
class FCMusicRegion;

// The six music fonts whose fermata glyphs the scan knows.
extern const char* const constMaestro;
extern const char* const constMaestroWide;
extern const char* const constEngraver;
extern const char* const constJazz;
extern const char* const constBroadwayCopyist;
extern const char* const constArticulations;

struct FERMATAINFO {
    const char* fontName;
    uint16_t character;
};
constexpr int FERMATA_GLYPH_COUNT = 12;
// Upright 'U' and inverted 'u' in each of the six fonts; font names filled at load.
extern FERMATAINFO fermatainforecords[FERMATA_GLYPH_COUNT];

// The scan's walks over the region's cells, one pass per mode:
//   0 gives each cell a flag, 1 decides it, 2 counts a measure's flags,
//   3 reports a measure's cells without a fermata, 4 frees the flags.
class FCHoldsync : public FCIteratorHandler {
public:
    bool Iterate(__FCBase* element) override;
    // Whether a note entry carries a fermata articulation.
    bool Match(__FCBase* element) override;
    // Sets the cell's flag when one of its text expressions is a fermata glyph.
    void HasExpressionFermata(FCCell* cell);

    HWND _window = nullptr;
    int32_t _mode = 0;
    int32_t _withFermata = 0;
    int32_t _withoutFermata = 0;
    int32_t _missingCount = 0;

private:
    void DecideCell(FCCell* cell);
    void ReportCell(FCCell* cell);
};

// Runs the scan over a region that is already set; returns the number of findings.
int Holdsync(HWND window, FCMusicRegion* region);
