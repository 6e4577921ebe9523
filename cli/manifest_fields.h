// The fields of one manifest line, quoted as spreadsheet programs write comma-separated files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ManifestField {
    std::string text;
    bool quoted = false;
};

struct ManifestFields {
    std::vector<ManifestField> fields;
    // Why the line cannot be split; empty when it can.
    std::string error;
};

// Fields are separated by commas. A field that starts with a double quote (after blanks) ends
// at the next lone one and may hold commas; "" inside it stands for one quote. Blanks around
// fields are dropped, and so is a carriage return at the end of the line.
ManifestFields SplitManifestLine(std::string_view line);

// What the line gives once split: the image and, for a vCard file, the card.
struct ImageAndCard {
    std::string image;
    std::string card;
    bool hasCard = false;
    std::string error;
};

// From the fields after the slot and identifier (fields[2] onwards).
ImageAndCard TakeImageAndCard(const std::vector<ManifestField>& fields);

// Whether the line is a header: slot,id,image or slot,id,image,card in any case.
bool IsManifestHeader(const std::vector<ManifestField>& fields);
