// Which file an exported picture goes to, and in which format, from the name the user typed.
#pragma once

#include "pack/picture_export.h"

#include <string>

struct ExportTarget {
    std::string path;
    ExportFormat format;

    friend bool operator==(const ExportTarget&, const ExportTarget&) = default;
};

// A name ending in ".png" or ".bmp", in any case, is written in that format as it stands. Any
// other name, with an extension or without, gets the extension of the format chosen in the
// chooser's filter appended.
ExportTarget ResolveExportPath(const std::string& typed, ExportFormat chosen);
