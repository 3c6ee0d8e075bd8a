#include "cli/inputs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// An unpacked archive's META-INF folder holds its container, never a score.
bool InMetaInf(const fs::path& path) {
    for (const fs::path& part : path)
        if (part == "META-INF") return true;
    return false;
}

void Search(const std::string& folder, std::vector<Input>& inputs) {
    std::vector<std::string> found;
    std::error_code error;
    fs::recursive_directory_iterator walk(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        std::error_code kind;
        if (!walk->is_regular_file(kind)) continue;
        const fs::path& path = walk->path();
        if (HasScoreExtension(path.string()) && !InMetaInf(path.lexically_relative(folder)))
            found.push_back(path.string());
    }
    if (error) {
        inputs.push_back({folder, "cannot search the folder: " + error.message()});
        return;
    }
    if (found.empty()) {
        inputs.push_back({folder, "no .musicxml, .xml or .mxl files in the folder"});
        return;
    }
    std::sort(found.begin(), found.end());
    for (std::string& path : found) inputs.push_back({std::move(path), ""});
}

}  // namespace

bool HasScoreExtension(const std::string& path) {
    const std::string extension = Lower(fs::path(path).extension().string());
    return extension == ".musicxml" || extension == ".xml" || extension == ".mxl";
}

std::vector<Input> CollectInputs(const std::vector<std::string>& arguments) {
    std::vector<Input> inputs;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (fs::is_directory(argument, error))
            Search(argument, inputs);
        else
            inputs.push_back({argument, ""});
    }
    return inputs;
}
