// Decoding the values of vCard properties: base64, quoted-printable, percent escapes,
// character sets and backslash escapes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Appends the bytes text stands for to out. Blanks and line breaks are skipped, padding may be
// missing, and the URL-safe alphabet is taken too. Returns the reason when text is not base64
// or is cut short in the middle of a byte; empty on success.
std::string DecodeBase64(std::string_view text, std::vector<std::uint8_t>& out);

// "=XX" escapes decoded; a "=" at a line's end (a soft break) joins the lines.
std::string DecodeQuotedPrintable(std::string_view text);

// "%XX" escapes decoded, as data URIs without ";base64" write their bytes.
std::vector<std::uint8_t> DecodePercent(std::string_view text);

// text in UTF-8: converted from charset through the system's iconv when one is named and known,
// and in any case with every byte that is not UTF-8 replaced by U+FFFD, so that no name breaks
// a terminal or the JSON output.
std::string ToUtf8(std::string_view text, std::string_view charset);

// "\n" and "\N" become a line break and "\," "\;" "\\" (and any other escaped character)
// become the character.
std::string Unescape(std::string_view text);

// The parts of text between the separators that no backslash escapes, still escaped.
std::vector<std::string_view> SplitUnescaped(std::string_view text, char separator);
