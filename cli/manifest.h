// The list a whole pack is built from: one "slot,id,image" line per slot.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ManifestEntry {
    int line = 0;
    // 0-24.
    int slot = 0;
    int id = 0;
    // Relative paths are taken from folder, where the manifest lies.
    std::string image;
};

struct ManifestError {
    int line = 0;
    std::string reason;
};

struct Manifest {
    std::vector<ManifestEntry> entries;
    // The first bad line; when it is set, entries are incomplete and must not be used.
    std::optional<ManifestError> error;
};

// Blank lines and lines that start with "#" are skipped. The image is everything after the
// second comma, so a path may hold commas; there is no quoting and no header line. Blanks
// around each field are ignored, and so is a carriage return at the end of a line.
Manifest ParseManifest(std::string_view text, std::string_view folder);
