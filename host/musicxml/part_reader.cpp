#include "host/musicxml/part_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kLayers = 4;
constexpr double kUnitsPerQuarter = 1024;
constexpr double kLongestMeasure = 1 << 20;  // quarter notes; keeps positions within 32 bits

// Characters drawn in the music font for the marks a score may carry besides fermatas;
// none of them is a fermata glyph.
struct MarkGlyph {
    const char* element;
    uint8_t character;
};
constexpr MarkGlyph kMarkGlyphs[] = {
    {"accent", '>'},          {"strong-accent", '^'},  {"staccato", '.'},  {"tenuto", '-'},
    {"detached-legato", '_'}, {"staccatissimo", '\''}, {"spiccato", '!'},  {"breath-mark", ','},
    {"caesura", '"'},         {"stress", '/'},         {"unstress", '\\'},
};
constexpr uint8_t kOtherMark = '*';

uint8_t GlyphOfMark(const char* element) {
    for (const MarkGlyph& glyph : kMarkGlyphs)
        if (strcmp(glyph.element, element) == 0) return glyph.character;
    return kOtherMark;
}

uint8_t FermataGlyph(pugi::xml_node fermata) {
    return strcmp(fermata.attribute("type").value(), "inverted") == 0 ? 'u' : 'U';
}

// Scale steps from middle C.
int16_t Displacement(pugi::xml_node pitch, const char* stepName, const char* octaveName) {
    static const char kSteps[] = "CDEFGAB";
    const char* step = pitch.child_value(stepName);
    const char* at = step[0] ? strchr(kSteps, step[0]) : nullptr;
    const int index = at ? static_cast<int>(at - kSteps) : 0;
    const int octave = std::clamp(atoi(pitch.child_value(octaveName)), -10, 20);
    return static_cast<int16_t>((octave - 4) * 7 + index);
}

double NumberIn(const char* text) {
    char* end = nullptr;
    const double value = strtod(text, &end);
    return end != text && std::isfinite(value) ? value : -1;
}

bool IsMusicFont(const std::string& name) { return IsKnownMusicFont(name); }

// A font for words: the one the score names, unless it is a music font (words never draw
// a fermata) or its name would break the Enigma command.
std::string TextFontFor(pugi::xml_node words) {
    const std::string family = CleanName(words.attribute("font-family").value());
    const std::string first = family.substr(0, family.find(','));
    if (first.empty() || IsMusicFont(first) || first.find_first_of("^()") != std::string::npos)
        return "Times";
    return first;
}

}  // namespace

PartReader::PartReader(ImportContext& context, const ScorePart& part)
    : _context(context), _part(part), _voices(part.staves), _entriesInLayer(part.staves) {}

std::string PartReader::Where() const {
    return "measure " + std::to_string(_measure) + " of part \"" +
           (_part.name.empty() ? _part.id : _part.name) + "\"";
}

void PartReader::ReadMeasure(int16_t measure, pugi::xml_node content) {
    _measure = measure;
    _cursor = 0;
    _pending.clear();
    _chordTarget = -1;
    for (auto& layers : _entriesInLayer) layers.assign(kLayers, 0);
    for (pugi::xml_node child : content.children()) {
        const char* name = child.name();
        if (strcmp(name, "note") == 0) {
            ReadNote(child);
        } else if (strcmp(name, "backup") == 0) {
            _cursor = std::max(0.0, _cursor - QuartersOf(child));
        } else if (strcmp(name, "forward") == 0) {
            _cursor = std::min(kLongestMeasure, _cursor + QuartersOf(child));
        } else if (strcmp(name, "attributes") == 0) {
            ReadAttributes(child);
        } else if (strcmp(name, "direction") == 0) {
            ReadDirection(child);
        } else if (strcmp(name, "barline") == 0) {
            ReadBarline(child);
        }
    }
    Flush();
}

void PartReader::ReadAttributes(pugi::xml_node attributes) {
    pugi::xml_node divisions = attributes.child("divisions");
    if (!divisions) return;
    const double value = NumberIn(divisions.child_value());
    if (value > 0)
        _divisions = value;
    else
        _context.Warn(Where() + ": divisions \"" + divisions.child_value() + "\" ignored");
}

double PartReader::QuartersOf(pugi::xml_node element) const {
    const double duration = NumberIn(element.child_value("duration"));
    if (duration <= 0) return 0;
    return std::min(kLongestMeasure, duration / _divisions);
}

int PartReader::StaffIndexOf(pugi::xml_node element) {
    pugi::xml_node staff = element.child("staff");
    if (!staff) return 0;
    const int number = atoi(staff.child_value());
    if (number >= 1 && number <= _part.staves) return number - 1;
    _context.Warn(Where() + ": staff " + staff.child_value() + " is not one of the part's " +
                  std::to_string(_part.staves) + ", its first staff is used");
    return 0;
}

int16_t PartReader::LayerOf(int staffIndex, const std::string& voice) {
    std::vector<std::string>& voices = _voices[staffIndex];
    auto found = std::find(voices.begin(), voices.end(), voice);
    const int index = static_cast<int>(found - voices.begin());
    if (found == voices.end()) {
        voices.push_back(voice);
        if (index >= kLayers)
            _context.Warn(Where() + ": staff " + std::to_string(_part.firstStaff + staffIndex) +
                          " has more than four voices, voice " + voice +
                          " shares layer 4 with an earlier one");
    }
    return static_cast<int16_t>(std::min(index, kLayers - 1));
}

void PartReader::ReadNote(pugi::xml_node note) {
    const bool isChord = note.child("chord");
    const bool isRest = note.child("rest");
    const bool isGrace = note.child("grace");
    int16_t displacement = 0;
    if (pugi::xml_node pitch = note.child("pitch"))
        displacement = Displacement(pitch, "step", "octave");
    else if (pugi::xml_node unpitched = note.child("unpitched"))
        displacement = Displacement(unpitched, "display-step", "display-octave");

    if (isChord && _chordTarget >= 0) {
        PendingEntry& entry = _pending[_chordTarget];
        if (!isRest) {
            if (static_cast<int>(entry.displacements.size()) == EXENTRY_MAX_NOTES)
                _context.Warn(Where() + ": a chord of more than " + std::to_string(EXENTRY_MAX_NOTES) +
                              " notes keeps its first " + std::to_string(EXENTRY_MAX_NOTES));
            entry.displacements.push_back(displacement);
        }
        ReadMarks(note, entry);
        return;
    }

    const int staffIndex = StaffIndexOf(note);
    const char* voiceText = note.child_value("voice");
    const int16_t layer = LayerOf(staffIndex, CleanName(voiceText).empty() ? "1" : CleanName(voiceText));
    const double quarters = isGrace ? 0 : QuartersOf(note);
    int& count = _entriesInLayer[staffIndex][layer];
    if (count++ == _context.Options().limits.maxEntriesPerLayer) {
        _context.Warn(Where() + ": more than " + std::to_string(count - 1) +
                      " notes in one layer, the rest left out");
    }
    if (count <= _context.Options().limits.maxEntriesPerLayer) {
        PendingEntry entry{
            static_cast<int16_t>(_part.firstStaff + staffIndex),
            layer,
            static_cast<int32_t>(std::lround(_cursor * kUnitsPerQuarter)),
            static_cast<int16_t>(std::min<long>(INT16_MAX, std::lround(quarters * kUnitsPerQuarter))),
            {},
            {}};
        if (!isRest) entry.displacements.push_back(displacement);
        ReadMarks(note, entry);
        _pending.push_back(std::move(entry));
        _chordTarget = static_cast<int>(_pending.size()) - 1;
    } else {
        _chordTarget = -1;
    }
    _cursor = std::min(kLongestMeasure, _cursor + quarters);
}

void PartReader::ReadMarks(pugi::xml_node note, PendingEntry& entry) {
    auto add = [&](uint8_t character) {
        const int16_t definition = _context.ArticulationDefinition(character);
        if (std::find(entry.articulations.begin(), entry.articulations.end(), definition) ==
            entry.articulations.end())
            entry.articulations.push_back(definition);
    };
    for (pugi::xml_node notations : note.children("notations")) {
        for (pugi::xml_node child : notations.children()) {
            if (strcmp(child.name(), "fermata") == 0) {
                add(FermataGlyph(child));
            } else if (strcmp(child.name(), "articulations") == 0) {
                for (pugi::xml_node mark : child.children())
                    if (mark.type() == pugi::node_element) add(GlyphOfMark(mark.name()));
            }
        }
    }
}

void PartReader::ReadDirection(pugi::xml_node direction) {
    const int16_t staff = static_cast<int16_t>(_part.firstStaff + StaffIndexOf(direction));
    auto expression = [&](const std::string& enigma) {
        _context.AddExpression(_measure, staff, _context.TextDefinition(enigma));
    };
    for (pugi::xml_node type : direction.children("direction-type")) {
        for (pugi::xml_node mark : type.children()) {
            const char* name = mark.name();
            if (strcmp(name, "words") == 0 || strcmp(name, "rehearsal") == 0) {
                const std::string text = mark.child_value();
                if (!CleanName(text).empty())
                    expression("^fontTxt(" + TextFontFor(mark) + ")" + EnigmaEscape(CleanName(text)));
            } else if (strcmp(name, "dynamics") == 0) {
                for (pugi::xml_node dynamic : mark.children()) {
                    if (dynamic.type() != pugi::node_element) continue;
                    if (strcmp(dynamic.name(), "other-dynamics") == 0) {
                        if (!CleanName(dynamic.child_value()).empty())
                            expression("^fontTxt(Times)" + EnigmaEscape(CleanName(dynamic.child_value())));
                    } else {
                        expression("^fontMus(" + _context.Options().musicFont + ")" + dynamic.name());
                    }
                }
            }
        }
    }
}

void PartReader::ReadBarline(pugi::xml_node barline) {
    for (pugi::xml_node fermata : barline.children("fermata")) {
        const std::string glyph(1, static_cast<char>(FermataGlyph(fermata)));
        const int16_t definition =
            _context.TextDefinition("^fontMus(" + _context.Options().musicFont + ")" + glyph);
        for (int staff = 0; staff < _part.staves; ++staff)
            _context.AddExpression(_measure, static_cast<int16_t>(_part.firstStaff + staff), definition);
    }
}

void PartReader::Flush() {
    std::stable_sort(_pending.begin(), _pending.end(), [](const PendingEntry& a, const PendingEntry& b) {
        if (a.staff != b.staff) return a.staff < b.staff;
        if (a.layer != b.layer) return a.layer < b.layer;
        return a.position < b.position;
    });
    HostDocument& document = _context.Document();
    for (PendingEntry& pending : _pending) {
        if (static_cast<int>(pending.displacements.size()) > EXENTRY_MAX_NOTES)
            pending.displacements.resize(EXENTRY_MAX_NOTES);
        EXENTRY& entry = document.AddEntry(pending.staff, _measure, pending.layer, pending.position,
                                           pending.duration, pending.displacements);
        for (int16_t definition : pending.articulations) document.AddArticulation(entry, definition);
    }
    _pending.clear();
}
