#include "cli/manifest_fields.h"

#include "contacts/vcard_property.h"

#include <array>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Reads the quoted field that starts at line[i] (the quote) into field; returns the position
// after the closing quote, or npos when there is none.
std::size_t ReadQuoted(std::string_view line, std::size_t i, std::string& field) {
    for (++i; i < line.size(); ++i) {
        if (line[i] != '"') {
            field += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            ++i;
        } else {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool NamesVCardFile(std::string_view path) {
    return EndsWithIgnoringCase(path, ".vcf") || EndsWithIgnoringCase(path, ".vcard");
}

std::string Join(const std::vector<ManifestField>& fields, std::size_t from, std::size_t to) {
    std::string joined;
    for (std::size_t i = from; i < to; ++i) {
        joined += (i == from ? "" : ",") + fields[i].text;
    }
    return joined;
}

} // namespace

ManifestFields SplitManifestLine(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    ManifestFields split;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        ManifestField field;
        if (i < line.size() && line[i] == '"') {
            field.quoted = true;
            i = ReadQuoted(line, i, field.text);
            if (i == std::string_view::npos) {
                return {{}, "a quoted field has no closing quote"};
            }
            while (i < line.size() && IsBlank(line[i])) {
                ++i;
            }
            if (i < line.size() && line[i] != ',') {
                return {{}, "a quoted field is followed by more than a comma"};
            }
        } else {
            const std::size_t comma = std::min(line.find(',', i), line.size());
            field.text = TrimEnd(line.substr(i, comma - i));
            i = comma;
        }
        split.fields.push_back(std::move(field));
        if (i >= line.size()) {
            return split;
        }
        ++i;
    }
}

ImageAndCard TakeImageAndCard(const std::vector<ManifestField>& fields) {
    const std::size_t count = fields.size();
    std::size_t imageEnd = count;
    if (fields[2].quoted) {
        imageEnd = 3;
    } else {
        // The first place where the image so far names a vCard file ends it.
        for (std::size_t end = 3; end < count; ++end) {
            if (NamesVCardFile(Join(fields, 2, end))) {
                imageEnd = end;
                break;
            }
        }
    }
    ImageAndCard taken{
        Join(fields, 2, imageEnd), Join(fields, imageEnd, count), imageEnd < count, {}};
    if (fields[2].quoted && count > 4) {
        taken.error = "expected at most four fields: slot,id,image,card";
    } else if (taken.hasCard && taken.card.empty()) {
        taken.error = "the card field is empty";
    }
    return taken;
}

bool IsManifestHeader(const std::vector<ManifestField>& fields) {
    constexpr std::array<std::string_view, 4> kNames = {"slot", "id", "image", "card"};
    if (fields.size() != 3 && fields.size() != 4) {
        return false;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!EqualsIgnoringCase(fields[i].text, kNames[i])) {
            return false;
        }
    }
    return true;
}
