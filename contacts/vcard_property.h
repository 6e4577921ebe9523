// One content line taken apart: [group.]NAME *(;PARAM) : VALUE.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

struct VCardParam {
    // Empty for a vCard 2.1 bare parameter such as ";JPEG" or ";BASE64".
    std::string_view name;
    // Without the quotes a value may be written in.
    std::string_view value;
};

enum class VCardEncoding { None, Base64, QuotedPrintable };

struct VCardProperty {
    // Without its group ("item1.PHOTO" is PHOTO), as written; compare ignoring case.
    std::string_view name;
    std::vector<VCardParam> params;
    std::string_view value;

    bool Is(std::string_view upperName) const;
    // The value of the first parameter called upperName, any case; empty when there is none.
    std::string_view Param(std::string_view upperName) const;
    VCardEncoding Encoding() const;
};

// Nothing for a line without a colon after its name, which no property is.
std::optional<VCardProperty> ParseProperty(std::string_view line);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

// Whether one of the comma-separated values of list is value, ignoring case:
// "ENCODING=b,b" repeats the value, and "TYPE=JPEG,jpeg" does the same in two cases.
bool ListHas(std::string_view list, std::string_view value);
