// snapfold remove: emptying a slot, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "RemoveKeepsPictures",
     .args = {"remove", "a.bin", "1", "2"},
     .files = {{"a.bin", FixtureWith({{0, 0, Varied()}, {1, 0, Flat(0x1B)}})}}},
    {.name = "RemoveOnShortPackIsRefused",
     .args = {"remove", "short.bin", "1"},
     .status = 1,
     .err = "snapfold: short.bin: Not all data can be read!\n",
     .files = {{"short.bin", ShortFixture()}}},
    {.name = "RemoveBadSlot",
     .args = {"remove", "a.bin", "1", "x"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not 'x'\n",
     .files = {Unchanged()}},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    {.name = "RemoveLongerRefused",
     .args = {"remove", "long.bin", "1"},
     .status = 1,
     .err = kLongerRefused,
     .files = {LongerUnchanged()},
     .setup = WriteLonger},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
