// A module file is checked whole before it is mapped: a copy cut short anywhere, or something
// that is no shared object, is refused with its reason rather than crashing the program.

#include "base/elf_check.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;
using Bytes = std::vector<std::uint8_t>;

// This test program itself, built position-independent as Debian builds by default: a whole
// shared object of the machine's kind, as our modules are.
const Bytes& Whole() {
    static const Bytes self = ReadWholeFile("/proc/self/exe");
    return self;
}

Bytes Cut(std::size_t size) {
    return Bytes(Whole().begin(), Whole().begin() + static_cast<std::ptrdiff_t>(size));
}

struct ElfCase {
    const char* name;
    std::function<Bytes()> bytes;
    std::string problem;
};

const std::vector<ElfCase> kFiles{
    {"Whole", [] { return Whole(); }, ""},
    {"CutInTheMiddle", [] { return Cut(Whole().size() / 2); },
     "it is shorter than its headers say"},
    {"CutByOneByte", [] { return Cut(Whole().size() - 1); }, "it is shorter than its headers say"},
    {"OnlyTheHeader", [] { return Cut(64); }, "it is shorter than its headers say"},
    {"CutInTheHeader", [] { return Cut(40); }, "it is not a shared object for this computer"},
    {"Empty", [] { return Bytes{}; }, "it is not a shared object for this computer"},
    {"Text", [] { return Bytes(4096, 'x'); }, "it is not a shared object for this computer"},
    {"ThirtyTwoBit",
     [] {
         Bytes b = Whole();
         b[4] = 1;
         return b;
     },
     "it is not a shared object for this computer"},
};

class ElfCheck : public testing::TestWithParam<ElfCase> {};

TEST_P(ElfCheck, RefusesWhatCannotBeMappedWhole) {
    ASSERT_GT(Whole().size(), 4096u);
    EXPECT_EQ(ElfProblem(GetParam().bytes()), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Modules, ElfCheck, testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
