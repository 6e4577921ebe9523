// Chooser filters: "|"-separated pairs of label and pattern list, ended by "||".
#pragma once

#include <string>
#include <vector>

struct FileFilter {
    std::string label;
    // Patterns as the chooser matches them: blanks trimmed, and "*.*" as "*", since it means
    // every file, with an extension or without.
    std::vector<std::string> patterns;
};

std::vector<FileFilter> ParseFileFilter(const std::string& filter);
