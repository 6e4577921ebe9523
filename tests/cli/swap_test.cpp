// snapfold swap: two slots change places, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kLaterCases[] = {
    {.name = "Swap", .args = {"swap", "a.bin", "1", "2"}, .files = {{"a.bin", Swapped12()}}},
    {.name = "SwapFirstAndLast",
     .args = {"swap", "a.bin", "25", "1"},
     .files = {{"a.bin", MakePack({{24, 5, Varied()},
                                   {1, -2, Flat(0x1B)},
                                   {2, 0, Flat(0x40)},
                                   {3, 5, Flat(0xAA)}})}}},
    {.name = "SwapWithItself", .args = {"swap", "a.bin", "3", "3"}, .files = {Unchanged()}},
    {.name = "SwapOnStandardStreams",
     .args = {"swap", "-", "2", "1"},
     .out = Text(Swapped12()),
     .input = Text(FixturePack())},
    {.name = "SwapBadSlot",
     .args = {"swap", "a.bin", "1", "26"},
     .status = 2,
     .err = "snapfold: a.bin: slot must be a number from 1 to 25, not '26'\n",
     .files = {Unchanged()}},
    {.name = "SwapOneSlot", .args = {"swap", "a.bin", "1"}, .status = 2, .err = "snapfold: *"},
    {.name = "SwapShortRefused",
     .args = {"swap", "short.bin", "1", "2"},
     .status = 1,
     .err = "snapfold: short.bin: Not all data can be read!\n",
     .files = {{"short.bin", ShortFixture()}}},
    // Changing a file that is not exactly one pack long.
    {.name = "SwapLongerRefused",
     .args = {"swap", "long.bin", "1", "2"},
     .status = 1,
     .err = kLongerRefused,
     .files = {LongerUnchanged()},
     .setup = WriteLonger},
    {.name = "SwapWithItselfLongerRefused",
     .args = {"swap", "long.bin", "1", "1"},
     .status = 1,
     .err = kLongerRefused,
     .files = {LongerUnchanged()},
     .setup = WriteLonger},
    {.name = "SwapLongerForced",
     .args = {"swap", "long.bin", "1", "2", "--force"},
     .files = {{"long.bin", Swapped12()}},
     .setup = WriteLonger},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
