// snapfold check: findings in a pack, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "CheckFindings",
     .args = {"check", "a.bin", "short.bin"},
     .status = 1,
     .out = "a.bin: warning: identifier 5 is in slots 1 and 4\n"
            "a.bin: note: slot 3: empty, but still holds picture bytes\n"
            "a.bin: warning: slot 4: the picture is one flat level\n"
            "short.bin: error: the file is 100 bytes long, not 15050\n"
            "short.bin: warning: identifier 5 is in slots 1 and 4\n"
            "short.bin: warning: slot 2: the picture is one flat level\n"
            "short.bin: warning: slot 4: the picture is one flat level\n"},
    {.name = "CheckNotesOnly",
     .args = {"check", "-"},
     .out = "-: note: slot 1: empty, but still holds picture bytes\n",
     .input = Text(MakePack({{0, 0, Flat(1)}, {1, 3, Varied()}}))},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    // Standard input is read no further than a pack and one byte, so endless input ends.
    {.name = "CheckStreamBounded",
     .args = {"check", "-"},
     .status = 1,
     .out = "-: error: the file is more than 15050 bytes long, not 15050\n"
            "-: warning: identifier 5 is in slots 1 and 4\n"
            "-: note: slot 3: empty, but still holds picture bytes\n"
            "-: warning: slot 4: the picture is one flat level\n",
     .input = Text(LongerFile())},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
