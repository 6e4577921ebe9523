#include "pack/contact_id.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct IdCase {
    const char* text;
    std::optional<int> value;
};

TEST(ContactIdText, AcceptsWholeNumbersInRangeOnly) {
    const IdCase cases[] = {
        {"0", 0},        {"-1", -1},   {"65535", 65535}, {"-32768", -32768},
        {"  +42\t", 42}, {"007", 7},   {"65536", {}},    {"-32769", {}},
        {"65836", {}},   {"", {}},     {"   ", {}},      {"abc", {}},
        {"12abc", {}},   {"1 2", {}},  {"+ 5", {}},      {"--5", {}},
        {"-", {}},       {"0x10", {}}, {"1.0", {}},      {"99999999999999999999", {}},
    };
    for (const IdCase& c : cases) {
        EXPECT_EQ(ParseContactId(c.text), c.value) << '"' << c.text << '"';
    }
}

} // namespace
