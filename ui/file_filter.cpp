#include "ui/file_filter.h"

#include <string_view>

namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitPatterns(std::string_view list) {
    std::vector<std::string> patterns;
    while (!list.empty()) {
        const auto end = list.find(';');
        const std::string_view pattern = Trim(list.substr(0, end));
        if (!pattern.empty()) {
            patterns.emplace_back(pattern == "*.*" ? "*" : pattern);
        }
        if (end == std::string_view::npos) {
            break;
        }
        list.remove_prefix(end + 1);
    }
    return patterns;
}

} // namespace

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilter> filters;
    std::string_view rest = filter;
    while (!rest.empty()) {
        const auto labelEnd = rest.find('|');
        if (labelEnd == 0 || labelEnd == std::string_view::npos) {
            break; // The empty label before "||" ends the list.
        }
        const std::string_view label = rest.substr(0, labelEnd);
        rest.remove_prefix(labelEnd + 1);
        const auto patternEnd = rest.find('|');
        filters.push_back({std::string(label), SplitPatterns(rest.substr(0, patternEnd))});
        if (patternEnd == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(patternEnd + 1);
    }
    return filters;
}
