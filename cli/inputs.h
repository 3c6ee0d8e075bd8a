// The files a run checks: files named on the command line as they are, and the scores
// found in named folders and all their subfolders, in name order.
#pragma once

#include <string>
#include <vector>

struct Input {
    std::string path;
    std::string error;  // set when the argument cannot give a file to check
};

// True for the three score extensions (.musicxml, .xml, .mxl), in any letter case.
bool HasScoreExtension(const std::string& path);

// The inputs for the command-line arguments, in argument order.
std::vector<Input> CollectInputs(const std::vector<std::string>& arguments);
