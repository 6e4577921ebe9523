// The safe save's read-back: whatever the bytes, and whatever a medium gives back instead of
// them, a save succeeds only when exactly the bytes came back, and a failed save leaves the old
// file as it was and no temporary file. The first byte chooses what the medium does, the second
// whether an old file is there; the rest is what is saved. The files live in memory (/dev/shm),
// so that syncing costs nothing and the target keeps its pace.
#include "base/safe_save.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum Damage : std::uint8_t { kNone, kFlipBit, kLoseByte, kGainByte, kDamageCount };

Damage g_damage = kNone;
std::size_t g_position = 0;

void Medium(std::vector<std::uint8_t>& back) {
    if (g_damage == kFlipBit && !back.empty()) {
        back[g_position % back.size()] ^= static_cast<std::uint8_t>(1u << (g_position % 8));
    } else if (g_damage == kLoseByte && !back.empty()) {
        back.pop_back();
    } else if (g_damage == kGainByte) {
        back.push_back(0);
    }
}

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = "/dev/shm/snapfold-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return pattern;
    }();
    return folder;
}

std::vector<std::uint8_t> Read(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        for (int c = 0; (c = std::fgetc(file)) != EOF;)
            bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(file);
    }
    return bytes;
}

std::size_t EntryCount() {
    std::size_t count = 0;
    if (DIR* folder = ::opendir(Folder().c_str())) {
        while (const dirent* entry = ::readdir(folder))
            count += entry->d_name[0] != '.' || entry->d_name[1] > '.';
        ::closedir(folder);
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    g_damage = static_cast<Damage>(data[0] % kDamageCount);
    g_position = data[0] / kDamageCount;
    const std::string path = Folder() + "/p.bin";
    // No old file, an empty one, or a whole pack.
    const bool existed = data[1] % 3 != 2;
    const std::vector<std::uint8_t> old(data[1] % 3 == 0 ? 0 : 15050, data[1]);
    ::unlink(path.c_str());
    if (existed) {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(old.data(), 1, old.size(), file) != old.size())
            std::abort();
        std::fclose(file);
    }
    const std::vector<std::uint8_t> bytes(data + 2, data + size);
    SetReadBackFilterForTesting(Medium);
    const bool saved = SaveFileSafely(path, bytes);
    std::vector<std::uint8_t> back = bytes;
    Medium(back);
    const bool intact = back == bytes;
    if (saved != intact || (saved && Read(path) != bytes) ||
        (!saved && (errno != EIO || (existed && Read(path) != old))) ||
        EntryCount() != (saved || existed ? 1u : 0u))
        std::abort();
    return 0;
}
