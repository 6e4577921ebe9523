// What a replaced file keeps besides its bytes: owner, group, mode, its access control list
// and its other extended attributes.
#pragma once

#include <sys/types.h>

// Gives the file at fd the owner and group, as far as the user may (a member of the group may
// keep the group), then the mode, since a change of owner clears the set-ID bits. A file system
// that keeps no mode (ENOSYS, ENOTSUP, as FAT through FUSE) is no failure. Returns false, with
// errno set, when the mode cannot be set for another reason.
bool ApplyOwnerAndMode(int fd, uid_t owner, gid_t group, mode_t mode);

// Copies every extended attribute of the file at from onto the file at to, the access control
// list (system.posix_acl_access) among them. An attribute that the user may not set (trusted.,
// security.) or that the file system cannot keep is left out; any other failure returns false
// with errno set.
bool CopyExtendedAttributes(int from, int to);

// Stands for a file system that cannot set a mode: the function replaces fchmod for every save.
// Only tests set one; null restores the default.
using SetModeFunction = int (*)(int fd, mode_t mode);
void SetModeFunctionForTesting(SetModeFunction function);
