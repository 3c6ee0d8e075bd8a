#include "host/musicxml/import_context.h"

namespace {
constexpr int kMaxWarnings = 100;
}

ImportContext::ImportContext(HostDocument& document, const MusicXmlOptions& options, MusicXmlImport& result,
                             int measureCount)
    : _document(document), _options(options), _result(result), _expressionsInMeasure(measureCount + 1, 0) {}

void ImportContext::Warn(const std::string& warning) {
    ++_warnings;
    if (_warnings <= kMaxWarnings)
        _result.warnings.push_back(warning);
    else if (_warnings == kMaxWarnings + 1)
        _result.warnings.push_back("further warnings left out");
}

int16_t ImportContext::TextDefinition(const std::string& enigmaText) {
    auto found = _textDefinitions.find(enigmaText);
    if (found != _textDefinitions.end()) return found->second;
    if (static_cast<int>(_textDefinitions.size()) >= _options.limits.maxTextDefinitions) {
        if (!_toldTextLimit)
            Warn("more than " + std::to_string(_options.limits.maxTextDefinitions) +
                 " different texts: the rest are left out");
        _toldTextLimit = true;
        return 0;
    }
    const int16_t definition = _document.AddTextExpressionDef(enigmaText);
    _textDefinitions[enigmaText] = definition;
    return definition;
}

int16_t ImportContext::ArticulationDefinition(uint8_t character) {
    auto found = _articulationDefinitions.find(character);
    if (found != _articulationDefinitions.end()) return found->second;
    const int16_t definition = _document.AddArticulationDef(_options.musicFont, character);
    _articulationDefinitions[character] = definition;
    return definition;
}

bool ImportContext::AddExpression(int16_t measure, int16_t staff, int16_t definition) {
    if (definition == 0 || measure < 1 || measure >= static_cast<int>(_expressionsInMeasure.size()))
        return false;
    int& count = _expressionsInMeasure[measure];
    if (count >= _options.limits.maxExpressionsPerMeasure) {
        if (count == _options.limits.maxExpressionsPerMeasure)
            Warn("measure " + std::to_string(measure) + ": more than " + std::to_string(count) +
                 " expressions, the rest left out");
        ++count;
        return false;
    }
    ++count;
    _document.AddExpression(measure, staff, definition);
    return true;
}

std::string EnigmaEscape(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        escaped += c;
        if (c == '^') escaped += '^';
    }
    return escaped;
}

std::string CleanName(const std::string& text) {
    std::string clean;
    for (char c : text) clean += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    const size_t begin = clean.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return clean.substr(begin, clean.find_last_not_of(' ') - begin + 1);
}
