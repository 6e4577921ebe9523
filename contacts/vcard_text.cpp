#include "contacts/vcard_text.h"

#include "contacts/vcard_property.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <optional>

namespace {

constexpr std::uint8_t kSkip = 64;
constexpr std::uint8_t kPad = 65;
constexpr std::uint8_t kBad = 66;

constexpr std::array<std::uint8_t, 256> MakeBase64Table() {
    std::array<std::uint8_t, 256> table{};
    table.fill(kBad);
    constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
    }
    table['-'] = 62;
    table['_'] = 63;
    for (const char c : {' ', '\t', '\r', '\n'}) {
        table[static_cast<unsigned char>(c)] = kSkip;
    }
    table['='] = kPad;
    return table;
}

constexpr std::array<std::uint8_t, 256> kBase64 = MakeBase64Table();

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The byte a "=XX" or "%XX" escape at text[i] stands for, or -1 when it is not one.
int EscapedByte(std::string_view text, std::size_t i) {
    if (i + 2 >= text.size()) {
        return -1;
    }
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// The length of the UTF-8 sequence at text[i], or 0 when none starts there.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80                   ? 1
                         : lead >= 0xC2 && lead < 0xE0 ? 2
                         : lead >= 0xE0 && lead < 0xF0 ? 3
                         : lead >= 0xF0 && lead < 0xF5 ? 4
                                                       : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char second = length > 1 ? byte(i + 1) : 0x80;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
        return 0;
    }
    return length;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8Length(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

// text converted from charset by iconv; nothing when iconv does not know the character set or
// the text is not in it.
std::optional<std::string> Convert(std::string_view text, std::string_view charset) {
    const iconv_t converter = iconv_open("UTF-8", std::string(charset).c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in(text);
    // Four bytes of UTF-8 per input byte is the most any character set needs.
    std::string out(text.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

std::string DecodeBase64(std::string_view text, std::vector<std::uint8_t>& out) {
    // Written through a pointer into room made at once: photos are most of an address book,
    // and this loop is most of the time it takes to read one.
    const std::size_t start = out.size();
    out.resize(start + text.size() / 4 * 3 + 3);
    std::uint8_t* write = out.data() + start;
    std::uint32_t bits = 0;
    int count = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const std::uint8_t value = kBase64[static_cast<unsigned char>(text[i])];
        if (value < 64) {
            bits = bits << 6 | value;
            if (++count == 4) {
                write[0] = static_cast<std::uint8_t>(bits >> 16);
                write[1] = static_cast<std::uint8_t>(bits >> 8);
                write[2] = static_cast<std::uint8_t>(bits);
                write += 3;
                bits = 0;
                count = 0;
            }
        } else if (value == kPad) {
            break;
        } else if (value == kBad) {
            out.resize(start);
            return "its photo is not valid base64";
        }
    }
    for (; i < text.size(); ++i) {
        const std::uint8_t value = kBase64[static_cast<unsigned char>(text[i])];
        if (value != kPad && value != kSkip) {
            out.resize(start);
            return "its photo is not valid base64";
        }
    }
    if (count == 1) {
        out.resize(start);
        return "its photo's base64 data is cut short";
    }
    if (count >= 2) {
        *write++ = static_cast<std::uint8_t>(bits >> (count == 2 ? 4 : 10));
    }
    if (count == 3) {
        *write++ = static_cast<std::uint8_t>(bits >> 2);
    }
    out.resize(static_cast<std::size_t>(write - out.data()));
    return {};
}

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
            continue;
        }
        if (const int byte = EscapedByte(text, i); byte >= 0) {
            out += static_cast<char>(byte);
            i += 2;
        } else if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
            // A soft break left inside the value.
            i += text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n' ? 2 : 1;
        } else if (i + 1 != text.size()) {
            out += '=';
        }
    }
    return out;
}

std::vector<std::uint8_t> DecodePercent(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int byte = text[i] == '%' ? EscapedByte(text, i) : -1;
        out.push_back(static_cast<std::uint8_t>(byte >= 0 ? byte : text[i]));
        i += byte >= 0 ? 2 : 0;
    }
    return out;
}

std::string ToUtf8(std::string_view text, std::string_view charset) {
    const bool convert = !charset.empty() && !EqualsIgnoringCase(charset, "UTF-8") &&
                         !EqualsIgnoringCase(charset, "UTF8");
    if (convert) {
        if (auto converted = Convert(text, charset)) {
            return ValidUtf8(*converted);
        }
    }
    return ValidUtf8(text);
}

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' || next == 'N' ? '\n' : next;
    }
    return out;
}

std::vector<std::string_view> SplitUnescaped(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}
