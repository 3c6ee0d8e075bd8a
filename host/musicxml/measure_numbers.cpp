#include "host/musicxml/measure_numbers.h"

#include <cstdint>

namespace {

// The host's region record holds the start number in 16 bits and a 24-byte prefix and a
// 30-byte suffix field, each with its terminating zero.
constexpr int kLargestNumber = INT16_MAX;
constexpr size_t kPrefixRoom = 23;
constexpr size_t kSuffixRoom = 29;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

MeasureNumberText ParseMeasureNumber(const std::string& raw) {
    size_t begin = 0, end = raw.size();
    while (begin < end && IsBlank(raw[begin])) ++begin;
    while (end > begin && IsBlank(raw[end - 1])) --end;
    const std::string text = raw.substr(begin, end - begin);

    MeasureNumberText result;
    size_t digits = 0;
    while (digits < text.size() && !IsDigit(text[digits])) ++digits;
    if (digits == text.size()) return result;
    size_t after = digits;
    long long value = 0;
    while (after < text.size() && IsDigit(text[after])) {
        value = value * 10 + (text[after] - '0');
        if (value > kLargestNumber) return result;
        ++after;
    }
    result.hasNumber = true;
    result.prefix = text.substr(0, digits);
    result.value = static_cast<int>(value);
    result.suffix = text.substr(after);
    return result;
}

void AddMeasureNumberRegions(HostDocument& document, const std::vector<std::string>& numbers,
                             std::vector<std::string>& warnings) {
    const int count = static_cast<int>(numbers.size());
    int measure = 1;
    while (measure <= count) {
        const MeasureNumberText first = ParseMeasureNumber(numbers[measure - 1]);
        if (!first.hasNumber) {
            ++measure;
            continue;
        }
        int last = measure;
        while (last < count) {
            const MeasureNumberText next = ParseMeasureNumber(numbers[last]);
            if (!next.hasNumber || next.prefix != first.prefix || next.suffix != first.suffix ||
                next.value != first.value + (last + 1 - measure))
                break;
            ++last;
        }
        if (first.prefix.size() > kPrefixRoom || first.suffix.size() > kSuffixRoom)
            warnings.push_back("measure " + std::to_string(measure) + ": the number \"" +
                               numbers[measure - 1] +
                               "\" has a prefix or suffix too long for the host, shown cut");
        document.AddMeasureNumberRegion(static_cast<int16_t>(measure), static_cast<int16_t>(last),
                                        static_cast<int16_t>(first.value), first.prefix, first.suffix);
        measure = last + 1;
    }
}
