#include "host/musicxml/mxl.h"

#include <zip.h>

#include <pugixml.hpp>

namespace {

// An open archive over bytes the caller keeps alive; closes itself.
class Archive {
public:
    explicit Archive(const std::string& bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source) {
            _zip = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (!_zip) zip_source_free(source);
        }
        if (!_zip) _error = zip_error_strerror(&error);
        zip_error_fini(&error);
    }
    ~Archive() {
        if (_zip) zip_discard(_zip);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    zip_t* Get() const { return _zip; }
    const std::string& Error() const { return _error; }

private:
    zip_t* _zip = nullptr;
    std::string _error;
};

bool EndsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        char c = text[text.size() - tail.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != tail[i]) return false;
    }
    return true;
}

// Reads one entry, refusing it when its declared or actual size passes the limit: the
// declared size of a hostile archive may lie, so the reading itself is bounded too.
bool ReadEntry(zip_t* zip, zip_int64_t index, size_t limit, std::string& out, std::string& error) {
    const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(index), 0);
    const std::string shown = name ? name : "?";
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip, static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) && stat.size > limit) {
        error = "the archive's entry " + shown + " would expand to " + std::to_string(stat.size) +
                " bytes, more than the limit of " + std::to_string(limit);
        return false;
    }
    zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        error = "cannot read the archive's entry " + shown + ": " + zip_strerror(zip);
        return false;
    }
    out.clear();
    char chunk[1 << 16];
    bool ok = true;
    for (;;) {
        const zip_int64_t got = zip_fread(file, chunk, sizeof chunk);
        if (got < 0) {
            error = "cannot read the archive's entry " + shown + ": " + zip_file_strerror(file);
            ok = false;
            break;
        }
        if (got == 0) break;
        if (out.size() + static_cast<size_t>(got) > limit) {
            error = "the archive's entry " + shown + " expands beyond the limit of " + std::to_string(limit) +
                    " bytes";
            ok = false;
            break;
        }
        out.append(chunk, static_cast<size_t>(got));
    }
    zip_fclose(file);
    return ok;
}

// The rootfile container.xml names: the first whose media type is absent or MusicXML's.
std::string RootfileOf(const std::string& container) {
    pugi::xml_document document;
    if (!document.load_buffer(container.data(), container.size())) return "";
    for (pugi::xml_node rootfile : document.child("container").child("rootfiles").children("rootfile")) {
        const std::string type = rootfile.attribute("media-type").value();
        const std::string path = rootfile.attribute("full-path").value();
        if (!path.empty() && (type.empty() || type.find("musicxml") != std::string::npos)) return path;
    }
    return "";
}

}  // namespace

bool LooksLikeZip(const std::string& bytes) {
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
           ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

bool ExtractMxlScore(const std::string& archiveBytes, const MusicXmlLimits& limits, std::string& score,
                     std::string& entryName, std::string& error) {
    Archive archive(archiveBytes);
    if (!archive.Get()) {
        error = "not a readable zip archive (" + archive.Error() + ")";
        return false;
    }
    zip_t* zip = archive.Get();

    std::string rootfile;
    const zip_int64_t container = zip_name_locate(zip, "META-INF/container.xml", 0);
    if (container >= 0) {
        std::string text;
        if (!ReadEntry(zip, container, limits.maxContainerBytes, text, error)) return false;
        rootfile = RootfileOf(text);
    }

    zip_int64_t chosen = -1;
    if (!rootfile.empty()) {
        chosen = zip_name_locate(zip, rootfile.c_str(), 0);
        if (chosen < 0) {
            error = "no score in the archive: META-INF/container.xml names " + rootfile + ", which it lacks";
            return false;
        }
    } else {
        const zip_int64_t count = zip_get_num_entries(zip, 0);
        for (zip_int64_t i = 0; i < count && chosen < 0; ++i) {
            const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), 0);
            if (!name) continue;
            const std::string entry = name;
            if (entry.rfind("META-INF/", 0) == 0) continue;
            if (EndsWith(entry, ".musicxml") || EndsWith(entry, ".xml")) chosen = i;
        }
        if (chosen < 0) {
            error =
                "no score in the archive (no rootfile in META-INF/container.xml, no .musicxml or .xml file)";
            return false;
        }
    }
    const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(chosen), 0);
    entryName = name ? name : "";
    return ReadEntry(zip, chosen, limits.maxScoreBytes, score, error);
}
