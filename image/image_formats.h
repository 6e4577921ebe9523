// Which image files the readers on this machine can open.
#pragma once

#include <string>
#include <vector>

// Chooser patterns ("*.png", "*.jpg", ...), one for each file suffix that an installed image
// reader handles; the extra format plugins add theirs when present.
std::vector<std::string> ReadableImagePatterns();
