#include "image/heif_size.h"

#include "image/heif_boxes.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

namespace {

// A derived image may be built from derived images; deeper chains are no picture worth reading.
constexpr int kMostDerivationDepth = 4;

// The fields of one box, read in order; a read past the box's end marks the box as damaged and
// gives zeros from then on, so that a parser reads like the format and checks once at its end.
class Fields {
public:
    Fields(const ByteReader& reader, std::size_t at, std::size_t end)
        : m_reader(reader), m_at(at), m_end(end) {}
    std::uint64_t Take(std::size_t count) {
        const auto value = m_at + count <= m_end ? BigEndian(m_reader, m_at, count) : std::nullopt;
        m_at += count;
        m_damaged = m_damaged || !value;
        return value.value_or(0);
    }
    std::uint32_t Id(bool wide) { return static_cast<std::uint32_t>(Take(wide ? 4 : 2)); }
    bool Damaged() const { return m_damaged; }

private:
    const ByteReader& m_reader;
    std::size_t m_at;
    std::size_t m_end;
    bool m_damaged = false;
};

// What the meta box says about each item.
struct Items {
    std::uint32_t primary = 0;
    std::map<std::uint32_t, std::string_view> types;
    std::map<std::uint32_t, HeifPixels> stated;
    std::map<std::uint32_t, std::vector<std::uint32_t>> derivedFrom;
    // Where an item's bytes start: in the file, or in the idat box when construction is 1.
    std::map<std::uint32_t, std::pair<std::uint64_t, int>> places;
    const Box* idat = nullptr;
};

bool ReadPrimary(const ByteReader& reader, const Box& pitm, Items& items) {
    Fields fields(reader, pitm.body, pitm.end);
    const auto version = fields.Take(4) >> 24;
    items.primary = fields.Id(version != 0);
    return !fields.Damaged();
}

bool ReadTypes(const ByteReader& reader, const Box& iinf, Items& items) {
    Fields fields(reader, iinf.body, iinf.end);
    const auto version = fields.Take(4) >> 24;
    const std::size_t header = 4 + (version == 0 ? 2 : 4);
    const auto entries = Children(reader, iinf.body + header, iinf.end);
    if (fields.Damaged() || !entries) {
        return false;
    }
    for (const Box& infe : *entries) {
        Fields entry(reader, infe.body, infe.end);
        const auto infeVersion = entry.Take(4) >> 24;
        if (infeVersion < 2) {
            continue;
        }
        const std::uint32_t id = entry.Id(infeVersion > 2);
        entry.Take(2);
        const auto type = reader.Bytes(infe.body + 4 + (infeVersion > 2 ? 4 : 2) + 2, 4);
        if (entry.Damaged() || !type) {
            return false;
        }
        items.types[id] = {reinterpret_cast<const char*>(type->data()), 4};
    }
    return true;
}

bool ReadPlaces(const ByteReader& reader, const Box& iloc, Items& items) {
    Fields fields(reader, iloc.body, iloc.end);
    const auto version = fields.Take(4) >> 24;
    const auto sizes = fields.Take(2);
    const std::size_t offsetSize = sizes >> 12 & 15, lengthSize = sizes >> 8 & 15,
                      baseSize = sizes >> 4 & 15,
                      indexSize = version == 1 || version == 2 ? sizes & 15 : 0;
    const auto count = fields.Id(version >= 2);
    for (std::uint32_t i = 0; i < count && !fields.Damaged(); ++i) {
        const std::uint32_t id = fields.Id(version >= 2);
        const int construction = version == 1 || version == 2 ? fields.Take(2) & 15 : 0;
        fields.Take(2);
        const auto base = fields.Take(baseSize);
        const auto extents = fields.Take(2);
        for (std::uint64_t e = 0; e < extents && !fields.Damaged(); ++e) {
            fields.Take(indexSize);
            const auto offset = fields.Take(offsetSize);
            fields.Take(lengthSize);
            if (e == 0) {
                items.places[id] = {base + offset, construction};
            }
        }
    }
    return !fields.Damaged();
}

// Each item's stated size: the ispe property that ipma associates with it.
bool ReadStatedSizes(const ByteReader& reader, const Box& iprp, Items& items) {
    const auto children = Children(reader, iprp.body, iprp.end);
    const Box* ipco = children ? FindBox(*children, "ipco") : nullptr;
    const Box* ipma = children ? FindBox(*children, "ipma") : nullptr;
    const auto properties = ipco ? Children(reader, ipco->body, ipco->end) : std::nullopt;
    if (!properties || ipma == nullptr) {
        return false;
    }
    Fields fields(reader, ipma->body, ipma->end);
    const auto versionAndFlags = fields.Take(4);
    const bool wideIndex = (versionAndFlags & 1) != 0;
    const auto count = fields.Take(4);
    for (std::uint64_t i = 0; i < count && !fields.Damaged(); ++i) {
        const std::uint32_t id = fields.Id((versionAndFlags >> 24) >= 1);
        const auto associations = fields.Take(1);
        for (std::uint64_t a = 0; a < associations && !fields.Damaged(); ++a) {
            const auto index = fields.Take(wideIndex ? 2 : 1) & (wideIndex ? 0x7fff : 0x7f);
            if (index == 0 || index > properties->size() ||
                (*properties)[index - 1].type != "ispe") {
                continue;
            }
            Fields ispe(reader, (*properties)[index - 1].body, (*properties)[index - 1].end);
            ispe.Take(4);
            const auto width = static_cast<std::uint32_t>(ispe.Take(4));
            const auto height = static_cast<std::uint32_t>(ispe.Take(4));
            if (!ispe.Damaged()) {
                items.stated[id] = {width, height};
            }
        }
    }
    return !fields.Damaged();
}

// The images each derived image is made of (dimg references: tiles, layers, sources).
bool ReadDerivations(const ByteReader& reader, const Box& iref, Items& items) {
    const auto version = BoxVersion(reader, iref);
    const auto references = version ? Children(reader, iref.body + 4, iref.end) : std::nullopt;
    if (!references) {
        return false;
    }
    for (const Box& reference : *references) {
        if (reference.type != "dimg") {
            continue;
        }
        Fields fields(reader, reference.body, reference.end);
        const std::uint32_t from = fields.Id(*version != 0);
        const auto count = fields.Take(2);
        auto& to = items.derivedFrom[from];
        for (std::uint64_t i = 0; i < count && !fields.Damaged(); ++i) {
            to.push_back(fields.Id(*version != 0));
        }
        if (fields.Damaged()) {
            return false;
        }
    }
    return true;
}

std::optional<Items> ReadItems(const ByteReader& reader, const Box& meta) {
    // meta is a full box: its children follow the version and flags.
    const auto children = Children(reader, meta.body + 4, meta.end);
    if (!children) {
        return std::nullopt;
    }
    Items items;
    const Box* pitm = FindBox(*children, "pitm");
    const Box* iinf = FindBox(*children, "iinf");
    const Box* iloc = FindBox(*children, "iloc");
    const Box* iprp = FindBox(*children, "iprp");
    const Box* iref = FindBox(*children, "iref");
    items.idat = FindBox(*children, "idat");
    if (pitm == nullptr || iinf == nullptr || !ReadPrimary(reader, *pitm, items) ||
        !ReadTypes(reader, *iinf, items) || (iloc && !ReadPlaces(reader, *iloc, items)) ||
        (iprp && !ReadStatedSizes(reader, *iprp, items)) ||
        (iref && !ReadDerivations(reader, *iref, items))) {
        return std::nullopt;
    }
    return items;
}

// A grid's or an overlay's output size, from the start of its item data; nothing for any other
// item, or when the data cannot be found.
std::optional<HeifPixels> OutputSize(const ByteReader& reader, const Items& items, std::uint32_t id,
                                     std::string_view type) {
    const auto place = items.places.find(id);
    if ((type != "grid" && type != "iovl") || place == items.places.end() ||
        place->second.second > 1 || (place->second.second == 1 && items.idat == nullptr)) {
        return std::nullopt;
    }
    const std::uint64_t start =
        place->second.first + (place->second.second == 1 ? items.idat->body : 0);
    if (start >= reader.Size()) {
        return std::nullopt;
    }
    Fields fields(reader, static_cast<std::size_t>(start), reader.Size());
    fields.Take(1);
    const bool wide = (fields.Take(1) & 1) != 0;
    // A grid gives its rows and columns, an overlay its canvas colour, before the size.
    fields.Take(type == "grid" ? 2 : 8);
    const auto width = static_cast<std::uint32_t>(fields.Take(wide ? 4 : 2));
    const auto height = static_cast<std::uint32_t>(fields.Take(wide ? 4 : 2));
    return fields.Damaged() ? std::nullopt : std::optional(HeifPixels{width, height});
}

void KeepLarger(HeifPixels& largest, const HeifPixels& candidate) {
    if (candidate.Count() > largest.Count()) {
        largest = candidate;
    }
}

bool Largest(const ByteReader& reader, const Items& items, std::uint32_t id, int depth,
             std::set<std::uint32_t>& seen, HeifPixels& largest) {
    if (depth > kMostDerivationDepth || !seen.insert(id).second) {
        return depth <= kMostDerivationDepth;
    }
    if (const auto stated = items.stated.find(id); stated != items.stated.end()) {
        KeepLarger(largest, stated->second);
    }
    const auto type = items.types.find(id);
    if (type != items.types.end()) {
        if (const auto output = OutputSize(reader, items, id, type->second)) {
            KeepLarger(largest, *output);
        }
    }
    const auto sources = items.derivedFrom.find(id);
    if (sources == items.derivedFrom.end()) {
        return true;
    }
    for (const std::uint32_t source : sources->second) {
        if (!Largest(reader, items, source, depth + 1, seen, largest)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<HeifPixels> LargestHeifPicture(std::span<const std::uint8_t> data) {
    const ByteReader reader(data);
    const std::vector<Box> top = LeadingBoxes(reader, 0);
    const Box* meta = FindBox(top, "meta");
    const auto items = meta ? ReadItems(reader, *meta) : std::nullopt;
    if (!items) {
        return std::nullopt;
    }
    HeifPixels largest;
    std::set<std::uint32_t> seen;
    if (!Largest(reader, *items, items->primary, 0, seen, largest) || largest.Count() == 0) {
        return std::nullopt;
    }
    return largest;
}
