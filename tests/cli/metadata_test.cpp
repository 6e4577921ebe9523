// What a pack keeps through every command that writes it: its access control list, its other
// extended attributes and its other names.

#include "tests/cli/cli_fixtures.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

// What "chmod 600" then "setfacl -m u:nobody:rw" leave: user::rw-, user:nobody:rw-, group::---,
// mask::rw-, other::---, in the kernel's form (version 2, then tag, permissions, id).
Bytes NobodyMayWrite() {
    Bytes acl{2, 0, 0, 0};
    const auto entry = [&acl](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        for (const std::uint32_t value : {std::uint32_t{tag} | std::uint32_t{perm} << 16, id}) {
            for (int i = 0; i < 4; ++i) {
                acl.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
            }
        }
    };
    constexpr std::uint32_t kNoId = 0xFFFFFFFF;
    entry(0x01, 6, kNoId);
    entry(0x02, 6, 65534);
    entry(0x04, 0, kNoId);
    entry(0x10, 6, kNoId);
    entry(0x20, 0, kNoId);
    return acl;
}

std::optional<Bytes> Attribute(const std::string& path, const char* name) {
    Bytes value(256);
    const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
    if (size < 0) {
        return std::nullopt;
    }
    value.resize(static_cast<std::size_t>(size));
    return value;
}

bool SetAttribute(const std::string& path, const char* name, const Bytes& value) {
    return ::setxattr(path.c_str(), name, value.data(), value.size(), 0) == 0;
}

struct KeptCase {
    const char* name;
    std::vector<std::string> args;
};

const std::vector<KeptCase> kWriters{
    {"Set", {"set", "p.bin", "1", "--id", "5"}},
    {"Swap", {"swap", "p.bin", "1", "2"}},
    {"Remove", {"remove", "p.bin", "1"}},
    {"Build", {"build", "p.bin", "--force", "--from", "m.csv"}},
    {"New", {"new", "p.bin", "--force"}},
};

class KeptThrough : public testing::TestWithParam<KeptCase> {};

TEST_P(KeptThrough, AclAndUserAttributeSurvive) {
    TempDir dir;
    const std::string pack = dir.File("p.bin");
    WriteWholeFile(pack, PackWith({{0, 11}}));
    WriteWholeFile(dir.File("m.csv"), {'#', '\n'});
    ASSERT_EQ(::chmod(pack.c_str(), 0600), 0);
    const Bytes comment{'f', 'r', 'i', 'e', 'n', 'd', 's'};
    if (!SetAttribute(pack, "user.comment", comment) ||
        !SetAttribute(pack, "system.posix_acl_access", NobodyMayWrite())) {
        GTEST_SKIP() << "this file system refuses user attributes or ACLs: "
                     << std::strerror(errno);
    }
    struct stat before {};
    ASSERT_EQ(::stat(pack.c_str(), &before), 0);
    const CliRun run = Snapfold(dir.Path(), GetParam().args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(ReadWholeFile(pack), PackWith({{0, 11}})) << "the command changed nothing";
    EXPECT_EQ(Attribute(pack, "user.comment"), comment);
    EXPECT_EQ(Attribute(pack, "system.posix_acl_access"), NobodyMayWrite());
    struct stat after {};
    ASSERT_EQ(::stat(pack.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
}

TEST_P(KeptThrough, AHardLinkedPacksOtherNameSeesTheChange) {
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({{0, 11}}));
    WriteWholeFile(dir.File("m.csv"), {'#', '\n'});
    ASSERT_EQ(::link(dir.File("p.bin").c_str(), dir.File("other.bin").c_str()), 0);
    const CliRun run = Snapfold(dir.Path(), GetParam().args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(dir.File("other.bin")), ReadWholeFile(dir.File("p.bin")));
    EXPECT_NE(ReadWholeFile(dir.File("other.bin")), PackWith({{0, 11}}));
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("p.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 2u);
}

INSTANTIATE_TEST_SUITE_P(Snapfold, KeptThrough, testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
