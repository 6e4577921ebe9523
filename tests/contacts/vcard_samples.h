// Small vCards written the ways real exporters write them, around the test photos.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class LineEnds { Lf, CrLf };

// The bytes of a file in tests/data.
std::vector<std::uint8_t> TestPhoto(const std::string& name);

std::string Base64(std::span<const std::uint8_t> bytes);

// text with its placeholders filled in and its line breaks made ends:
//   {JPEG} and {PNG}: the test photo's base64 on one line;
//   {JPEG|space}: folded at 75 with one space before each continuation (vCard 3.0);
//   {JPEG|two}: at 76 with two spaces before each continuation (vCard 2.1 on phones);
//   {JPEG|bare}: at 76 with continuations that start in the first column;
//   {JPEG|cut}: cut one character short of a whole group, which no base64 can be.
// {PNG|...} the same for the PNG photo.
std::string WriteVCard(std::string_view text, LineEnds ends = LineEnds::Lf);
