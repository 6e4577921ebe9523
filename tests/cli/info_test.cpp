// snapfold info: the slots of packs, as text and JSON, run as a user runs it.

#include "tests/cli/cli_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace cli_cases;

const CliCase kCases[] = {
    {.name = "InfoText",
     .args = {"info", "a.bin"},
     .out = InfoText(FixturePack()),
     .files = {Unchanged()}},
    {.name = "InfoSeveral",
     .args = {"info", "a.bin", "-"},
     .out = "==> a.bin <==\n" + InfoText(FixturePack()) + "==> - <==\n" + InfoText(Bytes(15050, 0)),
     .input = std::string(15050, '\0')},
    {.name = "InfoJsonShortAndLong",
     .args = {"info", "--json", "short.bin", "long.bin"},
     // Shown as Open shows them, but said, and a failure as in check.
     .status = 1,
     .out = JsonLine("short.bin", false, ShortPadded()) + JsonLine("long.bin", true, FixturePack()),
     .err =
         "snapfold: short.bin: only 100 of 15050 bytes\nsnapfold: long.bin: longer than a pack\n",
     .setup =
         [](const TempDir& d) {
             Bytes longer = FixturePack();
             longer.resize(20000, 0x11);
             WriteWholeFile(d.File("long.bin"), longer);
         }},
    {.name = "InfoJsonStandardInput",
     .args = {"info", "--json", "-"},
     .out = JsonLine("-", true, FixturePack()),
     .input = Text(FixturePack())},
    {.name = "InfoUnreadableGoesOn",
     .args = {"info", "none.bin", "a.bin"},
     .status = 1,
     .out = "==> a.bin <==\n" + InfoText(FixturePack()),
     .err = "snapfold: none.bin: cannot be opened: No such file or directory\n"},
    {.name = "InfoFolder",
     .args = {"info", "out"},
     .status = 1,
     .err = "snapfold: out: cannot be opened: Is a directory\n"},
};

INSTANTIATE_TEST_SUITE_P(Cli, Snapfold, testing::ValuesIn(kCases), CaseName);

const CliCase kLaterCases[] = {
    // Output that cannot be written.
    {.name = "InfoToFullDevice",
     .args = {"info", "a.bin"},
     .status = 1,
     .err = kFullOutput,
     .limits = {.fullOutput = true}},
};

INSTANTIATE_TEST_SUITE_P(Order, Snapfold, testing::ValuesIn(kLaterCases), CaseName);

} // namespace
