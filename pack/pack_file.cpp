#include "pack/pack_file.h"

#include "base/regular_file.h"

#include <cstdio>

std::size_t ReadPackImage(std::FILE* file, PackImage& pack) {
    return std::fread(pack.data(), 1, pack.size(), file);
}

bool WritePackImage(std::FILE* file, const PackImage& pack) {
    return std::fwrite(pack.data(), 1, pack.size(), file) == pack.size();
}

UniqueFile OpenPackFile(const std::string& path) {
    OpenedRegularFile opened = OpenRegularFile(path);
    if (opened.fd.Get() < 0) {
        return nullptr;
    }
    UniqueFile file(::fdopen(opened.fd.Get(), "rb"));
    if (file) {
        // The stream owns the descriptor from now on.
        opened.fd.Release();
    }
    return file;
}

bool SavePackFile(const std::string& path, const PackImage& pack) {
    return SaveFileSafely(path, pack);
}
