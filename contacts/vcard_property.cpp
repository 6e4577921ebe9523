#include "contacts/vcard_property.h"

#include <algorithm>

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The parameter text from the start of params up to the first ':' outside quotes; the rest
// of the line from there is the value. Quoted parameter values may hold ':' and ';'.
std::size_t FindValueColon(std::string_view line, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && line[i] == ':') {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string_view Unquote(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

VCardParam ParseParam(std::string_view text) {
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {{}, text};
    }
    return {text.substr(0, equals), Unquote(text.substr(equals + 1))};
}

std::vector<VCardParam> ParseParams(std::string_view text) {
    std::vector<VCardParam> params;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"') {
            quoted = !quoted;
        } else if (i == text.size() || (!quoted && text[i] == ';')) {
            if (i > start) {
                params.push_back(ParseParam(text.substr(start, i - start)));
            }
            start = i + 1;
        }
    }
    return params;
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool ListHas(std::string_view list, std::string_view value) {
    while (true) {
        const auto comma = list.find(',');
        if (EqualsIgnoringCase(list.substr(0, comma), value)) {
            return true;
        }
        if (comma == std::string_view::npos) {
            return false;
        }
        list.remove_prefix(comma + 1);
    }
}

bool VCardProperty::Is(std::string_view upperName) const {
    return EqualsIgnoringCase(name, upperName);
}

std::string_view VCardProperty::Param(std::string_view upperName) const {
    for (const VCardParam& param : params) {
        if (EqualsIgnoringCase(param.name, upperName)) {
            return param.value;
        }
    }
    return {};
}

VCardEncoding VCardProperty::Encoding() const {
    for (const VCardParam& param : params) {
        // vCard 2.1 also allows the encoding as a bare word.
        const bool named = EqualsIgnoringCase(param.name, "ENCODING");
        if (!named && !param.name.empty()) {
            continue;
        }
        if (ListHas(param.value, "BASE64") || (named && ListHas(param.value, "B"))) {
            return VCardEncoding::Base64;
        }
        if (ListHas(param.value, "QUOTED-PRINTABLE")) {
            return VCardEncoding::QuotedPrintable;
        }
    }
    return VCardEncoding::None;
}

std::optional<VCardProperty> ParseProperty(std::string_view line) {
    const auto nameEnd = line.find_first_of(";:");
    if (nameEnd == std::string_view::npos) {
        return std::nullopt;
    }
    const auto colon = line[nameEnd] == ':' ? nameEnd : FindValueColon(line, nameEnd);
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    VCardProperty property;
    property.name = line.substr(0, nameEnd);
    // Exporters group related properties ("item1.TEL", "item1.X-ABLabel"); the group says
    // nothing this reader needs.
    if (const auto dot = property.name.rfind('.'); dot != std::string_view::npos) {
        property.name.remove_prefix(dot + 1);
    }
    if (colon > nameEnd) {
        property.params = ParseParams(line.substr(nameEnd + 1, colon - nameEnd - 1));
    }
    property.value = line.substr(colon + 1);
    return property;
}
