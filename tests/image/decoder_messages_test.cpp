// The editor's standard error after QuietDecoderMessages: nothing of the decoders, everything
// else the toolkit says. Each case runs in a child process, whose standard error the test reads.

#include "image/image_io.h"
#include "image/toolkit_log.h"
#include "tests/support/named_param.h"

#include <QLoggingCategory>
#include <QtGlobal>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;
using Bytes = std::vector<std::uint8_t>;

void AppendChunk(Bytes& png, const std::string& type, const Bytes& data) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        png.push_back(static_cast<std::uint8_t>(data.size() >> shift));
    }
    Bytes typed(type.begin(), type.end());
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    const uLong crc = crc32(0, typed.data(), static_cast<uInt>(typed.size()));
    for (int shift = 24; shift >= 0; shift -= 8) {
        png.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
}

Bytes Compressed(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    compress(out.data(), &size, data.data(), static_cast<uLong>(data.size()));
    out.resize(size);
    return out;
}

// A 4x4 grey PNG that decodes well but whose colour profile claims 16 bytes and holds 140:
// libpng warns about it, as it does about many photos' profiles.
Bytes PngWithDamagedProfile() {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    AppendChunk(png, "IHDR", {0, 0, 0, 4, 0, 0, 0, 4, 8, 2, 0, 0, 0});
    Bytes profile{0, 0, 0, 16};
    profile.resize(144, 'x');
    Bytes iccp{'b', 'a', 'd', 0, 0};
    const Bytes packed = Compressed(profile);
    iccp.insert(iccp.end(), packed.begin(), packed.end());
    AppendChunk(png, "iCCP", iccp);
    Bytes rows;
    for (int y = 0; y < 4; ++y) {
        rows.push_back(0);
        rows.insert(rows.end(), 12, 0x80);
    }
    AppendChunk(png, "IDAT", Compressed(rows));
    AppendChunk(png, "IEND", {});
    return png;
}

// Decodes the PNG, then says something of the program's own.
void DecodeAndSpeak() {
    const DecodedImage decoded = DecodeImageData(PngWithDamagedProfile(), nullptr);
    if (!decoded.image) {
        std::exit(3);
    }
    qWarning("the program's own warning");
    std::exit(0);
}

struct StderrCase {
    std::string name;
    bool quiet;
    ::testing::Matcher<const std::string&> stderrText;
};

const std::vector<StderrCase> kStderr{
    // The file does make libpng speak, so the quiet case below proves something.
    {"AsTheToolkitLeavesIt", false,
     ::testing::AllOf(::testing::HasSubstr("libpng warning"),
                      ::testing::HasSubstr("the program's own warning"))},
    {"Quiet", true, ::testing::Eq(std::string("the program's own warning\n"))},
};

class DecoderMessages : public ::testing::TestWithParam<StderrCase> {};

TEST_P(DecoderMessages, LeaveOnlyTheProgramsOwnLines) {
    const StderrCase& c = GetParam();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (c.quiet) {
                QuietDecoderMessages();
            }
            DecodeAndSpeak();
        },
        ::testing::ExitedWithCode(0), c.stderrText);
}

INSTANTIATE_TEST_SUITE_P(Runs, DecoderMessages, ::testing::ValuesIn(kStderr),
                         [](const auto& info) { return info.param.name; });

} // namespace
