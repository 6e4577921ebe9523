#include "cli/input_files.h"

#include "cli/pack_io.h"

#include <sys/stat.h>

void InputFiles::Add(const std::string& path) {
    struct stat st {};
    if (path != kStandardStream && ::stat(path.c_str(), &st) == 0) {
        m_files.push_back({st.st_dev, st.st_ino});
    }
}

bool InputFiles::RefuseOutput(const std::string& output) const {
    struct stat st {};
    if (output == kStandardStream || ::stat(output.c_str(), &st) != 0) {
        return false;
    }
    for (const Identity& input : m_files) {
        if (input.device == st.st_dev && input.inode == st.st_ino) {
            ReportFailure(output, "is also an input");
            return true;
        }
    }
    return false;
}
