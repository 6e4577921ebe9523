// The files a run reads, known by device and inode, so that no output is written over one of
// them, whatever name or link leads to it.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class InputFiles {
public:
    // Remembers the file at path, following links; standard input and a missing file are no
    // file to protect.
    void Add(const std::string& path);

    // Whether output, after following links, is one of the inputs; reports it as "is also an
    // input" when it is.
    bool RefuseOutput(const std::string& output) const;

private:
    struct Identity {
        dev_t device;
        ino_t inode;
    };
    std::vector<Identity> m_files;
};
