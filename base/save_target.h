// What a save replaces: the file at the end of a chain of symbolic links, or the link itself,
// and what the replaced file must keep.
#pragma once

#include <optional>
#include <string>

#include <sys/types.h>

struct SplitPath {
    std::string folder;
    std::string name;
};

// The folder part ("." when there is none) and the last name of path.
SplitPath SplitFolder(const std::string& path);

// The file that saving to path must replace: path itself unless it is a symbolic link, in
// which case it is the file at the end of the chain, so that the link survives the rename.
// Nothing when the chain cannot be followed; errno then tells why.
std::optional<std::string> ResolveSaveTarget(const std::string& path);

// What the replaced file must keep, or what a new file would have been given.
struct TargetInfo {
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    // Other names of the same file, which a rename would leave with the old bytes.
    bool hardLinked = false;
};

// The target's mode, owner and links; nothing, with errno set, when it may not be replaced: a
// folder (EISDIR), another special file (EINVAL) or a file the user may not write.
// links says whether a symbolic link at target counts as the file (Replace) or as no file.
enum class LinkRule { WriteThrough, Replace };
std::optional<TargetInfo> InspectTarget(const std::string& target, LinkRule links);
