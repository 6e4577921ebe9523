// The list a whole pack is built from: one "slot,id,image[,card]" line per slot.
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
    // Which card's photo to take, when the image is a vCard file: a number or a name.
    std::optional<std::string> card;
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

// Blank lines and lines that start with "#" are skipped, and so is a first line that reads
// "slot,id,image" (or "slot,id,image,card"), in any case, as a spreadsheet's header. Fields may
// be quoted as spreadsheets write them: in double quotes, which may hold commas, with a quote
// doubled. Blanks around each field are ignored, and so is a carriage return at the end of a
// line. An unquoted image takes every comma up to the end of the line, as paths may hold
// commas, unless it names a vCard file (.vcf or .vcard), after which the rest is the card. A
// line holding a NUL byte is refused, since no text file has one.
Manifest ParseManifest(std::string_view text, std::string_view folder);
