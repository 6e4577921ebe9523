// GoogleTest prints a parameter it has no printer for as raw bytes, heap addresses included, so
// the listed cases would change from build to build. A test case prints as its name instead.
#pragma once

#include <ostream>

namespace named_param {
template <class Case>
requires requires(const Case& c) {
    *static_cast<std::ostream*>(nullptr) << c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}
} // namespace named_param
