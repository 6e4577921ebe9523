// When Save must ask: the file at the name is the one the editor knows, but no longer as it
// knew it. A touch is no change; a file the editor never knew is not its business.
#include "editor/pack_file_identity.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

PackFileIdentity Known() {
    return {"/home/a/friends.bin",
            2049,
            77,
            PACK_FILE_SIZE,
            {1700000000, 5},
            std::vector<std::uint8_t>(PACK_FILE_SIZE, 0x11)};
}

struct ChangeCase {
    const char* name;
    std::function<void(PackFileIdentity&)> now;
    bool changed;
};

const std::vector<ChangeCase> kChanges{
    {"AsKnown", [](PackFileIdentity&) {}, false},
    {"OnlyTouched", [](PackFileIdentity& f) { f.modified.tv_sec += 60; }, false},
    {"OneByteOther", [](PackFileIdentity& f) { f.bytes[700] ^= 1; }, true},
    {"Longer", [](PackFileIdentity& f) { f.size += 1; }, true},
    // snapfold saves by renaming a new file over the old one.
    {"AnotherFileAtTheName", [](PackFileIdentity& f) { f.inode = 78; }, true},
    {"TheSameFileUnderAnotherNameChanged",
     [](PackFileIdentity& f) {
         f.path = "/home/a/link-to-friends.bin";
         f.bytes[0] = 0;
     },
     true},
    {"AnotherFileAnotherName",
     [](PackFileIdentity& f) {
         f.path = "/home/a/other.bin";
         f.inode = 78;
         f.bytes[0] = 0;
     },
     false},
};

class FileChange : public testing::TestWithParam<ChangeCase> {};

TEST_P(FileChange, IsToldFromWhatTheEditorKnows) {
    PackFileIdentity now = Known();
    GetParam().now(now);
    EXPECT_EQ(HasChangedSince(Known(), now), GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(Save, FileChange, testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
