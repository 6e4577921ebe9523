#include "tests/contacts/vcard_samples.h"

#include "tests/support/test_files.h"

#include <stdexcept>

std::vector<std::uint8_t> TestPhoto(const std::string& name) {
    return ReadWholeFile(std::string(SNAPFOLD_TEST_DATA) + "/" + name);
}

std::string Base64(std::span<const std::uint8_t> bytes) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const std::uint32_t bits =
            bytes[i] << 16 | (left > 1 ? bytes[i + 1] << 8 : 0) | (left > 2 ? bytes[i + 2] : 0);
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= left ? kAlphabet[bits >> (18 - 6 * k) & 63] : '=';
        }
    }
    return out;
}

namespace {

std::string Fold(const std::string& text, std::size_t width, std::string_view indent) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += width) {
        out += (i == 0 ? std::string() : "\n" + std::string(indent)) + text.substr(i, width);
    }
    return out;
}

std::string Fill(std::string_view placeholder) {
    const auto bar = placeholder.find('|');
    const std::string_view photo = placeholder.substr(0, bar);
    const std::string_view style = bar == std::string_view::npos ? "" : placeholder.substr(bar + 1);
    const std::string text = Base64(TestPhoto(photo == "JPEG" ? "card_face.jpg" : "card_cat.png"));
    if (style.empty()) {
        return text;
    }
    if (style == "space") {
        return Fold(text, 75, " ");
    }
    if (style == "two") {
        return "\n  " + Fold(text, 76, "  ");
    }
    if (style == "bare") {
        return "\n" + Fold(text, 76, "");
    }
    if (style == "cut") {
        return text.substr(0, text.size() / 4 * 4 - 3);
    }
    throw std::invalid_argument("unknown placeholder " + std::string(placeholder));
}

} // namespace

std::string WriteVCard(std::string_view text, LineEnds ends) {
    std::string filled;
    while (!text.empty()) {
        const auto open = text.find('{');
        const auto close = text.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            filled += text;
            break;
        }
        filled += text.substr(0, open);
        filled += Fill(text.substr(open + 1, close - open - 1));
        text.remove_prefix(close + 1);
    }
    if (ends == LineEnds::Lf) {
        return filled;
    }
    std::string crlf;
    for (const char c : filled) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return crlf;
}
