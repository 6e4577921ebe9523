// snapfold usage: subcommands, options and help, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "UnknownSubcommand",
     .args = {"frobnicate", "a.bin"},
     .status = 2,
     .err = "snapfold: 'frobnicate' is no subcommand\nRun with --help for more information.\n"},
    {.name = "NumberForAChoice",
     .args = {"export", "a.bin", "-o", "out", "--format", "1"},
     .status = 2,
     .err = "snapfold: *",
     .files = {{"out/slot-01_id-5.bmp", std::nullopt}}},
    {.name = "UnknownOption",
     .args = {"info", "--bogus", "a.bin"},
     .status = 2,
     .err = "snapfold: *"},
    {.name = "Help",
     .args = {"set", "--help"},
     .out = "Set a slot's identifier, picture or both\nUsage: snapfold set *"},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    {.name = "HelpToFullDevice",
     .args = {"--help"},
     .status = 1,
     .err = kFullOutput,
     .limits = {.fullOutput = true}},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
