// snapfold diff: packs compared slot by slot, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kLaterCases[] = {
    {.name = "DiffToFullDevice",
     .args = {"diff", "a.bin", "c.bin"},
     .status = 2,
     .err = kFullOutput,
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("c.bin"), Changed()); },
     .limits = {.fullOutput = true}},
    {.name = "DiffSame", .args = {"diff", "a.bin", "-"}, .input = Text(FixturePack())},
    {.name = "DiffDifferent",
     .args = {"diff", "a.bin", "c.bin"},
     .status = 1,
     .out = "2\tid -2 -> 9\tpicture same\n4\tid 5 -> 5\tpicture differs\n",
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("c.bin"), Changed()); }},
    {.name = "DiffJson",
     .args = {"diff", "--json", "a.bin", "c.bin"},
     .status = 1,
     .out = "{\"slot\":2,\"id\":[-2,9],\"picture\":\"same\"}\n"
            "{\"slot\":4,\"id\":[5,5],\"picture\":\"differs\"}\n",
     .setup = [](const TempDir& d) { WriteWholeFile(d.File("c.bin"), Changed()); }},
    // The short file is compared as Open reads it: its first 100 bytes hold every identifier
    // and the start of slot 1's picture; the rest are zeros.
    {.name = "DiffShort",
     .args = {"diff", "short.bin", "a.bin"},
     .status = 1,
     .out = "size 100 -> 15050\n1\tid 5 -> 5\tpicture differs\n2\tid -2 -> -2\tpicture "
            "differs\n3\tid 0 -> 0\tpicture differs\n4\tid 5 -> 5\tpicture differs\n"},
    {.name = "DiffShortJson",
     .args = {"diff", "--json", "short.bin", "a.bin", "--json"},
     .status = 1,
     .out = "{\"size\":[100,15050]}\n{\"slot\":1,\"id\":[5,5],\"picture\":\"differs\"}\n*"},
    {.name = "DiffMissingFile",
     .args = {"diff", "a.bin", "none.bin"},
     .status = 2,
     .err = "snapfold: none.bin: cannot be opened: No such file or directory\n"},
    {.name = "DiffBothStandardInput",
     .args = {"diff", "-", "-"},
     .status = 2,
     .err = "snapfold: *"},
    {.name = "DiffUsage", .args = {"diff", "a.bin"}, .status = 2, .err = "snapfold: *"},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
