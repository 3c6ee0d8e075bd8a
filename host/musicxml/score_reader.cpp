#include "host/musicxml/score_reader.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "host/musicxml/import_context.h"
#include "host/musicxml/measure_numbers.h"
#include "host/musicxml/part_reader.h"

namespace {

// The parts in document order, each with its measures in order. A timewise score holds
// each part's measures spread over its <measure> elements; they are gathered per part.
std::vector<ScorePart> GatherParts(pugi::xml_node root, bool timewise) {
    std::vector<ScorePart> parts;
    if (!timewise) {
        for (pugi::xml_node part : root.children("part")) {
            ScorePart gathered;
            gathered.id = part.attribute("id").value();
            for (pugi::xml_node measure : part.children("measure"))
                gathered.measures.push_back({measure, measure.attribute("number").value()});
            parts.push_back(std::move(gathered));
        }
        return parts;
    }
    std::unordered_map<std::string, size_t> byId;
    for (pugi::xml_node measure : root.children("measure")) {
        for (pugi::xml_node part : measure.children("part")) {
            const std::string id = part.attribute("id").value();
            auto [at, added] = byId.try_emplace(id, parts.size());
            if (added) parts.push_back(ScorePart{id, "", {}, 1, 0});
            parts[at->second].measures.push_back({part, measure.attribute("number").value()});
        }
    }
    return parts;
}

// The names of the part list, by part id.
std::unordered_map<std::string, std::string> PartNames(pugi::xml_node root) {
    std::unordered_map<std::string, std::string> names;
    for (pugi::xml_node scorePart : root.child("part-list").children("score-part"))
        names.try_emplace(scorePart.attribute("id").value(), CleanName(scorePart.child_value("part-name")));
    return names;
}

// The largest <staves> a part's attributes declare; 1 when none does.
long long StavesOf(const ScorePart& part) {
    long long staves = 1;
    for (const PartMeasure& measure : part.measures)
        for (pugi::xml_node attributes : measure.content.children("attributes"))
            for (pugi::xml_node declared : attributes.children("staves"))
                staves = std::max(staves, std::clamp(declared.text().as_llong(1), 1LL, 1LL << 40));
    return staves;
}

std::string Shown(const ScorePart& part) { return "\"" + (part.name.empty() ? part.id : part.name) + "\""; }

// Each staff's full name: the part's name, numbered when the part has several staves.
std::string StaffName(const ScorePart& part, int index, int staffNumber) {
    if (part.name.empty()) return "Staff " + std::to_string(staffNumber);
    if (part.staves == 1) return part.name;
    return part.name + " (" + std::to_string(index + 1) + ")";
}

}  // namespace

bool ReadMusicXmlScore(pugi::xml_node root, HostDocument& document, const MusicXmlOptions& options,
                       MusicXmlImport& result) {
    const MusicXmlLimits& limits = options.limits;
    std::vector<ScorePart> parts = GatherParts(root, strcmp(root.name(), "score-timewise") == 0);
    if (parts.empty()) {
        result.error = "the score has no parts";
        return false;
    }

    const auto names = PartNames(root);
    long long staves = 0;
    size_t measures = 0;
    for (ScorePart& part : parts) {
        auto named = names.find(part.id);
        if (named != names.end()) part.name = named->second;
        const long long own = StavesOf(part);
        staves += own;
        if (staves > limits.maxStaves) {
            result.error = "too many staves: more than " + std::to_string(limits.maxStaves);
            return false;
        }
        part.staves = static_cast<int>(own);
        measures = std::max(measures, part.measures.size());
    }
    if (measures > static_cast<size_t>(limits.maxMeasures)) {
        result.error = "too many measures: " + std::to_string(measures) + ", more than " +
                       std::to_string(limits.maxMeasures);
        return false;
    }
    if (staves * static_cast<long long>(measures) > limits.maxCells) {
        result.error = "the score is too large to check: " + std::to_string(staves) + " staves of " +
                       std::to_string(measures) + " measures";
        return false;
    }

    ImportContext context(document, options, result, static_cast<int>(measures));
    if (measures == 0) context.Warn("the score has no measures");
    int16_t nextStaff = 1;
    for (ScorePart& part : parts) {
        part.firstStaff = nextStaff;
        for (int index = 0; index < part.staves; ++index, ++nextStaff)
            document.AddStaff(EnigmaEscape(StaffName(part, index, nextStaff)), nextStaff);
        if (part.measures.size() < measures)
            context.Warn("part " + Shown(part) + " has " + std::to_string(part.measures.size()) +
                         " measures, padded with empty measures to " + std::to_string(measures));
    }
    document.SetMeasureCount(static_cast<int16_t>(measures));
    document.maxLayers = 4;
    document.hiddenLayers.clear();

    // Displayed numbers come from the first part that has the measure.
    std::vector<std::string> numbers(measures);
    for (size_t index = 0; index < measures; ++index)
        for (const ScorePart& part : parts)
            if (index < part.measures.size()) {
                numbers[index] = part.measures[index].number;
                break;
            }
    std::vector<std::string> numberWarnings;
    AddMeasureNumberRegions(document, numbers, numberWarnings);
    for (const std::string& warning : numberWarnings) context.Warn(warning);

    for (const ScorePart& part : parts) {
        PartReader reader(context, part);
        for (size_t index = 0; index < part.measures.size(); ++index)
            reader.ReadMeasure(static_cast<int16_t>(index + 1), part.measures[index].content);
    }
    return true;
}
