// Writing several files as one step: either every file is written, or each is left as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FileToWrite {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

// Whether the batch may be written: true when force is given or none of its files exists yet;
// otherwise reports each existing file and returns false.
bool MayWriteBatch(const std::vector<FileToWrite>& files, bool force);

// Writes every file through the safe save. When one fails, it is reported and the files written
// before it are put back: new ones removed, replaced ones given their old bytes again.
bool WriteBatch(const std::vector<FileToWrite>& files);
