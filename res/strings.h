// The string table and the icon files, looked up by resource identifier.
#pragma once

#include <span>
#include <string_view>

namespace res {

// Returns an empty view for an identifier that names no string.
std::string_view LoadString(int id);

// The embedded files of an icon, smallest first; empty for an unknown identifier.
std::span<const std::string_view> IconFiles(int id);

} // namespace res
