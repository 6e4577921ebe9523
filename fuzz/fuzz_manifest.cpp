// What snapfold build does with a manifest's bytes before it opens any image: every line split
// into its fields, and the entries checked against one another.
#include "cli/manifest.h"
#include "pack/pack_image.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Manifest manifest = ParseManifest(text, "folder");
    std::array<bool, PACK_SLOT_COUNT> taken{};
    int line = 0;
    for (const ManifestEntry& entry : manifest.entries) {
        const bool good = entry.slot >= 0 && entry.slot < PACK_SLOT_COUNT && !taken[entry.slot] &&
                          entry.line > line && !entry.image.empty() &&
                          entry.image.find('\0') == std::string::npos &&
                          (!entry.card || !entry.card->empty());
        if (!good) {
            std::abort();
        }
        taken[entry.slot] = true;
        line = entry.line;
    }
    if (manifest.error && (manifest.error->line <= line || manifest.error->reason.empty())) {
        std::abort();
    }
    return 0;
}
