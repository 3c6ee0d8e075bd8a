#include "host/musicxml/musicxml.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <pugixml.hpp>

#include "host/musicxml/mxl.h"
#include "host/musicxml/score_reader.h"

const char* const MusicXmlMusicFonts[6] = {"Maestro", "Maestro Wide",     "EngraverFontSet",
                                           "Jazz",    "Broadway Copyist", "Articulations"};

bool IsKnownMusicFont(const std::string& name) {
    for (const char* font : MusicXmlMusicFonts)
        if (name == font) return true;
    return false;
}

namespace {

bool HasExtension(const std::string& name, const char* extension) {
    const size_t length = strlen(extension);
    if (name.size() < length) return false;
    for (size_t i = 0; i < length; ++i) {
        char c = name[name.size() - length + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i]) return false;
    }
    return true;
}

// Line and column (both from 1) of a byte offset, counting bytes.
std::string LineAndColumn(const std::string& text, ptrdiff_t offset) {
    const size_t end = std::min(text.size(), static_cast<size_t>(std::max<ptrdiff_t>(0, offset)));
    size_t line = 1, column = 1;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Parses a score's XML into the document; `where` names the archive entry, if any.
MusicXmlImport ImportXml(const std::string& xml, const std::string& where, HostDocument& document,
                         const MusicXmlOptions& options) {
    MusicXmlImport result;
    pugi::xml_document parsed;
    const pugi::xml_parse_result parse = parsed.load_buffer(xml.data(), xml.size(), pugi::parse_default);
    const std::string in = where.empty() ? "" : " in " + where;
    if (parse.status == pugi::status_no_document_element) {
        result.error = "not MusicXML: no XML element" + in;
        return result;
    }
    if (!parse) {
        result.error =
            "malformed XML" + in + " at " + LineAndColumn(xml, parse.offset) + ": " + parse.description();
        return result;
    }
    pugi::xml_node root = parsed.document_element();
    if (strcmp(root.name(), "score-partwise") != 0 && strcmp(root.name(), "score-timewise") != 0) {
        result.error = "not MusicXML: the document is <" + std::string(root.name()) +
                       ">, not <score-partwise> or <score-timewise>" + in;
        return result;
    }
    result.ok = ReadMusicXmlScore(root, document, options, result);
    return result;
}

}  // namespace

MusicXmlImport ImportMusicXmlBytes(const std::string& bytes, const std::string& fileName,
                                   HostDocument& document, const MusicXmlOptions& options) {
    if (!LooksLikeZip(bytes)) {
        if (HasExtension(fileName, ".mxl")) {
            MusicXmlImport result;
            result.error = "not a compressed MusicXML (.mxl) archive: it is not a zip file";
            return result;
        }
        return ImportXml(bytes, "", document, options);
    }
    MusicXmlImport result;
    std::string score, entry;
    if (!ExtractMxlScore(bytes, options.limits, score, entry, result.error)) return result;
    return ImportXml(score, entry, document, options);
}

MusicXmlImport ImportMusicXmlFile(const std::string& path, HostDocument& document,
                                  const MusicXmlOptions& options) {
    MusicXmlImport result;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        result.error = std::string("cannot open the file: ") + strerror(errno);
        return result;
    }
    std::string bytes;
    char chunk[1 << 16];
    for (;;) {
        const size_t got = fread(chunk, 1, sizeof chunk, file);
        if (got == 0) {
            if (ferror(file)) result.error = std::string("cannot read the file: ") + strerror(errno);
            break;
        }
        if (bytes.size() + got > options.limits.maxFileBytes) {
            result.error = "the file is larger than the limit of " +
                           std::to_string(options.limits.maxFileBytes) + " bytes";
            break;
        }
        bytes.append(chunk, got);
    }
    fclose(file);
    if (!result.error.empty()) return result;
    return ImportMusicXmlBytes(bytes, path, document, options);
}
