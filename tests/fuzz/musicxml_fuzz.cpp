// Fuzz entry point for the MusicXML importer: any bytes, as a plain score or an archive,
// must give a document or a one-line error, never a crash, a hang or a leak.
// With clang: CXX=clang++ cmake -B build/fuzz -DHOLDSYNC_FUZZ=ON -DHOLDSYNC_SANITIZE=ON, build
// musicxml_fuzz, run it on a copy of tests/fuzz/corpus. With g++ it replays the files named.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/musicxml/musicxml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MusicXmlOptions options;
    // Small bounds keep each run short; the code paths are those of the default bounds.
    options.limits.maxScoreBytes = 1 << 20;
    options.limits.maxCells = 20000;
    options.limits.maxStaves = 64;
    for (const char* name : {"fuzz.musicxml", "fuzz.mxl"}) {
        HostDocument document;
        const MusicXmlImport result = ImportMusicXmlBytes(bytes, name, document, options);
        if (!result.ok && result.error.empty()) __builtin_trap();
    }
    return 0;
}
