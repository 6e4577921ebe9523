// snapfold new: an empty pack, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "New", .args = {"new", "n.bin"}, .files = {{"n.bin", Bytes(15050, 0)}}},
    {.name = "NewRefusesToReplace",
     .args = {"new", "a.bin"},
     .status = 1,
     .err = "snapfold: a.bin: already exists; give --force to replace it\n",
     .files = {Unchanged()}},
    {.name = "NewForced",
     .args = {"new", "--force", "a.bin"},
     .files = {{"a.bin", Bytes(15050, 0)}}},
    {.name = "NewToStandardOutput", .args = {"new", "-"}, .out = std::string(15050, '\0')},
    {.name = "NewBeyondFileSizeLimit",
     .args = {"new", "n.bin"},
     .status = 1,
     .err = "snapfold: n.bin: cannot be saved: File too large\n",
     .files = {{"n.bin", std::nullopt}},
     .limits = {1000}},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    {.name = "NewToFullDevice",
     .args = {"new", "-"},
     .status = 1,
     .err = kFullOutput,
     .limits = {.fullOutput = true}},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
