#include "base/process.h"
#include "pack/pack_file.h"
#include "pack/pack_image.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A fresh folder for one test, removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "snapfold-pack-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
        }
        path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        // A test may have made the folder read-only; removal needs it writable again.
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Random bytes, four from each draw, which keeps a thousand packs quick in an unoptimised build.
Bytes Pattern(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; i += 4) {
        std::uint32_t word = random();
        for (std::size_t k = i; k < std::min(i + 4, size); ++k, word >>= 8) {
            bytes[k] = static_cast<std::uint8_t>(word);
        }
    }
    return bytes;
}

PackImage PackOf(unsigned seed) {
    const Bytes bytes = Pattern(PACK_FILE_SIZE, seed);
    PackImage pack;
    std::copy(bytes.begin(), bytes.end(), pack.begin());
    return pack;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    Bytes bytes(in ? static_cast<std::size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// Size and a 64-bit FNV-1a hash: equal for equal contents in practice, and short enough to
// read when a comparison fails.
std::string Describe(const Bytes& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t b : bytes) {
        hash = (hash ^ b) * 1099511628211ull;
    }
    return std::to_string(bytes.size()) + " bytes, hash " + std::to_string(hash);
}

std::string DescribeFile(const std::string& path) {
    return Describe(ReadBytes(path));
}

std::string Describe(const PackImage& pack) {
    return Describe(Bytes(pack.begin(), pack.end()));
}

// Every entry below folder with what it holds, so that a failed save can be shown to have
// changed nothing: no byte of any file, no link, and no temporary file left behind. Links are
// recorded, never followed.
void AddEntries(const fs::path& folder, const fs::path& root,
                std::map<std::string, std::string>& entries) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(root).string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status)) {
            entries[name] = "link -> " + fs::read_symlink(entry.path()).string();
        } else if (fs::is_directory(status)) {
            entries[name] = "folder";
            AddEntries(entry.path(), root, entries);
        } else {
            entries[name] = DescribeFile(entry.path().string());
        }
    }
}

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    AddEntries(folder, folder, entries);
    return entries;
}

// Runs body in a forked child, so that a resource limit or a hang stays there; the child's
// exit code, or -1 when it was killed by a signal.
int ExitCodeInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// 250 bytes: the file fits in a folder, but ".<name>.XXXXXX" is longer than the 255 bytes a
// name may have, so no temporary file can be made beside it whatever the user's rights.
const std::string kLongName = std::string(245, 'p') + ".pack";

// ---------------------------------------------------------------------------------------------

struct ReadCase {
    std::string name;
    std::size_t fileSize;
    std::size_t expectedCount;
};

// Table cases print as their names when a test fails, rather than as raw bytes.
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class PackRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PackRead, ReadsAtMostOnePackFromTheStart) {
    const ReadCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder / "in.pack";
    // No zero bytes, so that any byte the read failed to fill shows up as a zero.
    Bytes bytes = Pattern(c.fileSize, 7);
    std::replace(bytes.begin(), bytes.end(), std::uint8_t{0}, std::uint8_t{1});
    WriteBytes(path, bytes);

    const UniqueFile file = OpenPackFile(path);
    ASSERT_NE(file, nullptr);
    PackImage pack{};
    EXPECT_EQ(ReadPackImage(file.get(), pack), c.expectedCount);
    for (std::size_t i = 0; i < PACK_FILE_SIZE; ++i) {
        const std::uint8_t expected = i < c.expectedCount ? bytes[i] : 0;
        ASSERT_EQ(pack[i], expected) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Pack, PackRead,
                         ::testing::Values(ReadCase{"Exact", 15050, 15050},
                                           ReadCase{"OneShort", 15049, 15049},
                                           ReadCase{"OneLong", 15051, 15050},
                                           ReadCase{"Empty", 0, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(PackRead, ReadThenWriteGivesTheSameBytes) {
    TempFolder folder;
    const Bytes original = Pattern(PACK_FILE_SIZE, 11);
    WriteBytes(folder / "in.pack", original);

    PackImage pack{};
    {
        const UniqueFile in = OpenPackFile(folder / "in.pack");
        ASSERT_NE(in, nullptr);
        ASSERT_EQ(ReadPackImage(in.get(), pack), PACK_FILE_SIZE);
    }
    {
        const UniqueFile out(std::fopen((folder / "written.pack").c_str(), "wb"));
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(WritePackImage(out.get(), pack));
    }
    ASSERT_TRUE(SavePackFile(folder / "saved.pack", pack));
    EXPECT_EQ(DescribeFile(folder / "written.pack"), Describe(original));
    EXPECT_EQ(DescribeFile(folder / "saved.pack"), Describe(original));
}

struct RefuseCase {
    std::string name;
    std::function<void(const std::string& path)> make;
};

void PrintTo(const RefuseCase& c, std::ostream* os) {
    *os << c.name;
}

class PackOpen : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(PackOpen, RefusesWhatIsNotARegularFile) {
    TempFolder folder;
    const std::string path = folder / "thing";
    GetParam().make(path);
    // In a child with an alarm, because a pipe opened the ordinary way blocks until a writer
    // comes, and a regression would otherwise hang the whole test run.
    const int code = ExitCodeInChild([&] {
        ::alarm(5);
        return OpenPackFile(path) == nullptr ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << "0 refused, 1 opened, -1 hung or crashed";
}

INSTANTIATE_TEST_SUITE_P(
    Pack, PackOpen,
    ::testing::Values(RefuseCase{"Missing", [](const std::string&) {}},
                      RefuseCase{"Folder", [](const std::string& p) { fs::create_directory(p); }},
                      RefuseCase{
                          "NamedPipe",
                          [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------

TEST(PackSave, ThousandRandomPacksRoundTrip) {
    TempFolder folder;
    const std::string path = folder / "round.pack";
    for (unsigned i = 0; i < 1000; ++i) {
        const PackImage pack = PackOf(1000 + i);
        ASSERT_TRUE(SavePackFile(path, pack)) << "save " << i;
        const Bytes saved = ReadBytes(path);
        if (!std::equal(saved.begin(), saved.end(), pack.begin(), pack.end())) {
            FAIL() << "save " << i << ": " << Describe(saved) << " instead of " << Describe(pack);
        }
    }
    EXPECT_EQ(Snapshot(folder.Path()).size(), 1u) << "a temporary file was left behind";
}

class PackSaveOverOld : public ::testing::TestWithParam<std::size_t> {};

TEST_P(PackSaveOverOld, LeavesExactlyTheNewPack) {
    TempFolder folder;
    const std::string path = folder / "old.pack";
    WriteBytes(path, Pattern(GetParam(), 3));
    const PackImage pack = PackOf(4);
    ASSERT_TRUE(SavePackFile(path, pack));
    EXPECT_EQ(DescribeFile(path), Describe(pack));
    EXPECT_EQ(Snapshot(folder.Path()).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Pack, PackSaveOverOld, ::testing::Values(0, 100, 15050, 20000));

// The temporary file cannot be made, so the file is written where it lies; the old length
// differs both ways to show the new image is neither cut short nor left with an old tail.
TEST_P(PackSaveOverOld, InPlaceLeavesExactlyTheNewPack) {
    TempFolder folder;
    const std::string path = folder / kLongName;
    WriteBytes(path, Pattern(GetParam(), 5));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const PackImage pack = PackOf(6);
    ASSERT_TRUE(SavePackFile(path, pack));
    EXPECT_EQ(DescribeFile(path), Describe(pack));
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Snapshot(folder.Path()).size(), 1u);
}

// ---------------------------------------------------------------------------------------------

struct FailureCase {
    std::string name;
    // Prepares the folder and returns the path to save to.
    std::function<std::string(const TempFolder&)> prepare;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

std::string WithOldPack(const TempFolder& folder, const std::string& name, std::size_t size) {
    WriteBytes(folder / name, Pattern(size, 9));
    return folder / name;
}

const std::vector<FailureCase> kFailures{
    {"FolderMissing", [](const TempFolder& f) { return f / "missing/new.pack"; }},
    {"TargetIsFolder",
     [](const TempFolder& f) {
         fs::create_directory(f / "folder.pack");
         WithOldPack(f, "folder.pack/inside.pack", 100);
         return f / "folder.pack";
     }},
    {"PathEndsInSlash",
     [](const TempFolder& f) {
         fs::create_directory(f / "sub");
         return f / "sub/";
     }},
    {"LinkToFolder",
     [](const TempFolder& f) {
         fs::create_directory(f / "sub");
         fs::create_directory_symlink("sub", f / "link");
         return f / "link";
     }},
    {"LinkLoop",
     [](const TempFolder& f) {
         fs::create_symlink("b", f / "a");
         fs::create_symlink("a", f / "b");
         return f / "a";
     }},
    {"NoTempFileAndNoTarget", [](const TempFolder& f) { return f / kLongName; }},
};

class PackSaveFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PackSaveFailure, ReportsAndChangesNothing) {
    TempFolder folder;
    WithOldPack(folder, "bystander.pack", PACK_FILE_SIZE);
    const std::string path = GetParam().prepare(folder);
    const auto before = Snapshot(folder.Path());
    EXPECT_FALSE(SavePackFile(path, PackOf(1)));
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Pack, PackSaveFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return info.param.name; });

// Writes stop at 8 KiB, part-way through the image. A file-size limit is used because it binds
// a root process too, unlike permission bits.
const std::vector<FailureCase> kPartialWrites{
    {"OverOldPack", [](const TempFolder& f) { return WithOldPack(f, "old.pack", 15050); }},
    {"NewFile", [](const TempFolder& f) { return f / "new.pack"; }},
    {"InPlaceOverShortFile", [](const TempFolder& f) { return WithOldPack(f, kLongName, 4000); }},
};

class PackSavePartialWrite : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PackSavePartialWrite, ReportsAndChangesNothing) {
    TempFolder folder;
    const std::string path = GetParam().prepare(folder);
    const auto before = Snapshot(folder.Path());
    const PackImage pack = PackOf(2);
    const int code = ExitCodeInChild([&] {
        const rlimit limit{8192, 8192};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        std::signal(SIGXFSZ, SIG_DFL);
        IgnoreFileSizeSignal();
        return SavePackFile(path, pack) ? 1 : 0;
    });
    EXPECT_EQ(code, 0) << "0 reported, 1 claimed success, 2 no limit, -1 killed";
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Pack, PackSavePartialWrite, ::testing::ValuesIn(kPartialWrites),
                         [](const auto& info) { return info.param.name; });

// In a shared sticky folder another user may write the pack but not rename over it; the save
// then writes in place. The sticky bit does not bind root, so the save runs as nobody.
TEST(PackSaveSticky, WritesInPlaceWhereTheFileMayNotBeReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to create a file as one user and save it as another";
    }
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 01777), 0);
    const std::string path = WithOldPack(folder, "shared.pack", 15050);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const PackImage pack = PackOf(7);
    const int code = ExitCodeInChild([&] {
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            return 2;
        }
        return SavePackFile(path, pack) ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << "0 saved, 1 refused, 2 could not become nobody, -1 killed";
    EXPECT_EQ(ReadBytes(path), Bytes(pack.begin(), pack.end()));
    EXPECT_EQ(Snapshot(folder.Path()).size(), 1u) << "a temporary file was left behind";
}

// ---------------------------------------------------------------------------------------------

struct LinkCase {
    std::string name;
    // Links to make, in order: name and the text it points to.
    std::vector<std::pair<std::string, std::string>> links;
    std::string saveThrough;
    // The file that must receive the pack, and whether it exists before the save.
    std::string file;
    bool fileExists;
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class PackSaveLink : public ::testing::TestWithParam<LinkCase> {};

TEST_P(PackSaveLink, ReplacesTheFileAndKeepsTheLinks) {
    const LinkCase& c = GetParam();
    TempFolder folder;
    fs::create_directory(folder / "sub");
    if (c.fileExists) {
        WithOldPack(folder, c.file, 500);
    }
    for (const auto& [name, text] : c.links) {
        fs::create_symlink(text, folder / name);
    }
    auto expected = Snapshot(folder.Path());
    const PackImage pack = PackOf(8);
    expected[c.file] = Describe(pack);

    ASSERT_TRUE(SavePackFile(folder / c.saveThrough, pack));
    EXPECT_EQ(Snapshot(folder.Path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pack, PackSaveLink,
    ::testing::Values(
        LinkCase{"Direct", {{"link.pack", "real.pack"}}, "link.pack", "real.pack", true},
        LinkCase{"Chain",
                 {{"one.pack", "sub/real.pack"}, {"two.pack", "one.pack"}},
                 "two.pack",
                 "sub/real.pack",
                 true},
        LinkCase{"RelativeToLinkFolder",
                 {{"sub/link.pack", "../real.pack"}},
                 "sub/link.pack",
                 "real.pack",
                 true},
        LinkCase{"Dangling", {{"link.pack", "new.pack"}}, "link.pack", "new.pack", false},
        LinkCase{"DanglingChain",
                 {{"one.pack", "sub/new.pack"}, {"two.pack", "one.pack"}},
                 "two.pack",
                 "sub/new.pack",
                 false}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------

class PackSaveNewMode : public ::testing::TestWithParam<std::pair<mode_t, mode_t>> {};

TEST_P(PackSaveNewMode, FollowsTheUmask) {
    const auto [mask, expected] = GetParam();
    TempFolder folder;
    const mode_t saved = ::umask(mask);
    const bool ok = SavePackFile(folder / "new.pack", PackOf(1));
    ::umask(saved);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ModeOf(folder / "new.pack"), expected);
}

INSTANTIATE_TEST_SUITE_P(Pack, PackSaveNewMode,
                         ::testing::Values(std::pair<mode_t, mode_t>{022, 0644},
                                           std::pair<mode_t, mode_t>{077, 0600},
                                           std::pair<mode_t, mode_t>{002, 0664}));

class PackSaveKeptMode : public ::testing::TestWithParam<mode_t> {};

TEST_P(PackSaveKeptMode, KeepsTheOldFilesMode) {
    TempFolder folder;
    const std::string path = WithOldPack(folder, "old.pack", PACK_FILE_SIZE);
    ASSERT_EQ(::chmod(path.c_str(), GetParam()), 0);
    ASSERT_TRUE(SavePackFile(path, PackOf(1)));
    EXPECT_EQ(ModeOf(path), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Pack, PackSaveKeptMode, ::testing::Values(0640, 0600, 0604, 0666));

TEST(PackSave, KeepsTheOldFilesOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can make a file owned by someone else to save over";
    }
    TempFolder folder;
    const std::string path = WithOldPack(folder, "old.pack", PACK_FILE_SIZE);
    ASSERT_EQ(::chown(path.c_str(), 12345, 23456), 0);
    ASSERT_TRUE(SavePackFile(path, PackOf(1)));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
}

TEST(PackSave, RefusesAWriteProtectedFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write any file, so write protection cannot be tested";
    }
    TempFolder folder;
    const std::string path = WithOldPack(folder, "old.pack", PACK_FILE_SIZE);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const auto before = Snapshot(folder.Path());
    EXPECT_FALSE(SavePackFile(path, PackOf(1)));
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST(PackSave, WritesInPlaceWhenTheFolderIsReadOnly) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may create files in a read-only folder, so the fallback is not taken";
    }
    TempFolder folder;
    const std::string path = WithOldPack(folder, "old.pack", PACK_FILE_SIZE);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    const PackImage pack = PackOf(1);
    EXPECT_TRUE(SavePackFile(path, pack));
    EXPECT_FALSE(SavePackFile(folder / "new.pack", pack));
    EXPECT_EQ(DescribeFile(path), Describe(pack));
    EXPECT_EQ(Snapshot(folder.Path()).size(), 1u);
}

} // namespace
