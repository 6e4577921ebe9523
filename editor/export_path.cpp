#include "editor/export_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {
std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
} // namespace

ExportTarget ResolveExportPath(const std::string& typed, ExportFormat chosen) {
    const std::string extension = Lowercase(std::filesystem::path(typed).extension().string());
    if (extension == ".png") {
        return {typed, ExportFormat::Png};
    }
    if (extension == ".bmp") {
        return {typed, ExportFormat::Bmp};
    }
    return {typed + (chosen == ExportFormat::Bmp ? ".bmp" : ".png"), chosen};
}
