// Helpers for tests of the MusicXML importer and the tool: small scores written inline,
// zip archives made on the fly, and readers of what an import put into a document.
#pragma once

#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host/document.h"

namespace musicxml_test {

// A partwise score: the part list from (id, name) pairs, then the parts' XML as given.
inline std::string Partwise(const std::vector<std::pair<std::string, std::string>>& partList,
                            const std::string& parts) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<score-partwise version=\"4.0\">\n<part-list>";
    for (const auto& [id, name] : partList)
        xml += "<score-part id=\"" + id + "\"><part-name>" + name + "</part-name></score-part>";
    return xml + "</part-list>\n" + parts + "\n</score-partwise>\n";
}

// A note of the given length (in divisions), pitch "C4"-style or "rest", with extra XML.
inline std::string Note(int duration, const std::string& pitch = "C4", const std::string& extra = "") {
    std::string body = pitch == "rest" ? "<rest/>"
                                       : "<pitch><step>" + pitch.substr(0, 1) + "</step><octave>" +
                                             pitch.substr(1) + "</octave></pitch>";
    return "<note>" + body + "<duration>" + std::to_string(duration) + "</duration>" + extra + "</note>";
}

// A zip archive of (name, content) entries, as bytes; entries are compressed.
inline std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
    char path[] = "/tmp/holdsync_zip_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return "";
    close(fd);
    int error = 0;
    zip_t* zip = zip_open(path, ZIP_TRUNCATE | ZIP_CREATE, &error);
    for (const auto& [name, content] : entries) {
        char* copy = static_cast<char*>(malloc(content.size() + 1));
        memcpy(copy, content.data(), content.size());
        zip_source_t* source = zip_source_buffer(zip, copy, content.size(), 1);
        zip_file_add(zip, name.c_str(), source, ZIP_FL_OVERWRITE);
    }
    zip_close(zip);
    std::string bytes;
    if (FILE* file = fopen(path, "rb")) {
        char chunk[4096];
        for (size_t got; (got = fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, got);
        fclose(file);
    }
    remove(path);
    return bytes;
}

// Writes bytes to a file; true on success.
inline bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

template <class T>
T Field(const Bytes& bytes, size_t offset) {
    T value{};
    if (offset + sizeof value <= bytes.size()) memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The Enigma text of a text block, through its raw text under the given tag.
inline std::string TextOfBlock(const HostDocument& document, uint16_t block, uint32_t rawTag) {
    const Bytes* text = document.FindRecord(0x534F5458, OtherKey(block));
    if (!text) return "?";
    const Bytes* raw = document.FindRecord(rawTag, NumberKey(Field<int16_t>(*text, 0)));
    if (!raw) return "?";
    return std::string(reinterpret_cast<const char*>(raw->data()),
                       strnlen(reinterpret_cast<const char*>(raw->data()), raw->size()));
}

// A staff's full name as stored (Enigma text).
inline std::string StaffName(const HostDocument& document, int16_t staff) {
    const Bytes* record = document.FindRecord(0x534F4953, OtherKey(static_cast<uint16_t>(staff)));
    return record ? TextOfBlock(document, Field<uint16_t>(*record, 30), 0x7478626C) : "?";
}

// The articulations of an entry, each as "font:character".
inline std::vector<std::string> Articulations(const HostDocument& document, int32_t entryNumber) {
    std::vector<std::string> marks;
    for (int16_t incident = 0;; ++incident) {
        const Bytes* assignment = document.FindRecord(0x6564494D, EntryDetailKey(entryNumber, incident));
        if (!assignment) break;
        const Bytes* def = document.FindRecord(0x4F044958, OtherKey(Field<uint16_t>(*assignment, 0)));
        if (!def) continue;
        const std::string* font = document.FontName(Field<uint8_t>(*def, 2));
        marks.push_back((font ? *font : "?") + ":" + std::string(1, static_cast<char>((*def)[0])));
    }
    return marks;
}

// The expressions of a measure, each as "staff:Enigma text".
inline std::vector<std::string> Expressions(const HostDocument& document, int16_t measure) {
    std::vector<std::string> found;
    for (int16_t incident = 0;; ++incident) {
        const Bytes* assignment =
            document.FindRecord(0x534F4459, OtherKey(static_cast<uint16_t>(measure), incident));
        if (!assignment) break;
        const Bytes* def = document.FindRecord(0x534F4454, OtherKey(Field<uint16_t>(*assignment, 0)));
        const std::string text = def ? TextOfBlock(document, Field<uint16_t>(*def, 0), 0x74787870) : "?";
        found.push_back(std::to_string(Field<int16_t>(*assignment, 8)) + ":" + text);
    }
    return found;
}

// The measure number regions, each as "first-last:start prefix|suffix".
inline std::vector<std::string> Regions(const HostDocument& document) {
    std::vector<std::string> regions;
    for (uint16_t item = 1; item < 200; ++item) {
        const Bytes* region = document.FindRecord(0x534F4D4E, OtherKey(item));
        if (!region) break;
        const char* prefix = reinterpret_cast<const char*>(region->data() + 142);
        const char* suffix = reinterpret_cast<const char*>(region->data() + 166);
        regions.push_back(std::to_string(Field<int16_t>(*region, 132)) + "-" +
                          std::to_string(Field<int16_t>(*region, 134) - 1) + ":" +
                          std::to_string(Field<int16_t>(*region, 140) + 1) + " " +
                          std::string(prefix, strnlen(prefix, 24)) + "|" +
                          std::string(suffix, strnlen(suffix, 30)));
    }
    return regions;
}

}  // namespace musicxml_test

namespace musicxml_test {

// A zip archive of one entry whose headers declare `declaredSize` uncompressed bytes,
// whatever the entry really holds: the shape of a zip bomb's claim.
inline std::string ZipDeclaring(const std::string& name, const std::string& content, uint32_t declaredSize) {
    std::string bytes = Zip({{name, content}});
    auto patch = [&](const char* signature, size_t offset) {
        for (size_t at = bytes.find(signature, 0, 4); at != std::string::npos;
             at = bytes.find(signature, at + 4, 4))
            if (at + offset + 4 <= bytes.size()) memcpy(&bytes[at + offset], &declaredSize, 4);
    };
    patch("PK\x03\x04", 22);  // local header: uncompressed size
    patch("PK\x01\x02", 24);  // central directory: uncompressed size
    return bytes;
}

}  // namespace musicxml_test
