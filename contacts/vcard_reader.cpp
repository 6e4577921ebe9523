// The cards of a file, one content line at a time. Only the properties the programs use are
// decoded (FN, N, PHOTO); every other line is only walked over, so a large address book reads
// at about the speed of its photos' base64.

#include "contacts/vcard.h"
#include "contacts/vcard_lines.h"
#include "contacts/vcard_photo.h"
#include "contacts/vcard_property.h"
#include "contacts/vcard_text.h"

#include <optional>
#include <utility>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMaxProperty = kMaxVCardPropertyBytes;

struct CardInProgress {
    Card card;
    std::optional<std::string> formattedName;
    std::optional<std::string> structuredName;
    // The first reason the card cannot be read; the rest of it is then only walked over.
    std::string error;
    // How deep inside vCard 2.1 AGENT cards the reader is; their properties are not this card's.
    int nested = 0;
    // The previous property was an AGENT whose card starts on the next line.
    bool agentOpen = false;

    void Fail(std::string reason) {
        if (error.empty()) {
            error = std::move(reason);
        }
    }
};

// A value that goes on past its content line: quoted-printable soft breaks ("=" at the end),
// and vCard 2.1 base64 whose continuations lack the leading space and end at a blank line.
std::string_view WholeValue(const VCardProperty& property, VCardLines& lines, std::string& storage,
                            bool& tooLong) {
    const VCardEncoding encoding = property.Encoding();
    const bool softBreak = encoding == VCardEncoding::QuotedPrintable &&
                           property.value.ends_with('=') && !lines.AtEnd();
    const bool moreBase64 = encoding == VCardEncoding::Base64 && IsBase64Continuation(lines.Peek());
    if (!softBreak && !moreBase64) {
        return property.value;
    }
    storage.assign(property.value);
    const auto append = [&](std::string_view more) {
        tooLong = tooLong || storage.size() + more.size() > kMaxProperty;
        if (!tooLong) {
            storage.append(more);
        }
    };
    if (softBreak) {
        while (storage.ends_with('=') && !lines.AtEnd()) {
            storage.pop_back();
            append(lines.Next());
        }
        return storage;
    }
    while (IsBase64Continuation(lines.Peek())) {
        append(lines.Next());
    }
    if (!lines.AtEnd() && lines.Peek().empty()) {
        lines.Next();
    }
    return storage;
}

std::string TextValue(const VCardProperty& property, std::string_view value) {
    const std::string raw = property.Encoding() == VCardEncoding::QuotedPrintable
                                ? DecodeQuotedPrintable(value)
                                : std::string(value);
    return ToUtf8(raw, property.Param("CHARSET"));
}

// N is family;given;additional;prefixes;suffixes; a name reads prefix, given, additional,
// family, suffix.
std::string NameFromParts(std::string_view text) {
    const std::vector<std::string_view> parts = SplitUnescaped(text, ';');
    std::string name;
    for (const std::size_t index : {3u, 1u, 2u, 0u, 4u}) {
        const std::string part = index < parts.size() ? Unescape(parts[index]) : std::string();
        if (part.find_first_not_of(" \t,") == std::string::npos) {
            continue;
        }
        name += name.empty() ? part : " " + part;
    }
    return name;
}

bool IsCardBoundary(const VCardProperty& property, std::string_view name) {
    return property.Is(name) && EqualsIgnoringCase(property.value, "VCARD");
}

void TakePhoto(CardInProgress& current, const VCardProperty& property, std::string_view value) {
    PhotoValue photo = ReadPhotoValue(property, value);
    if (!photo.error.empty()) {
        current.Fail(std::move(photo.error));
        return;
    }
    // The first photo with data wins over a link, which a later PHOTO may only stand beside.
    const PhotoKind had = current.card.photo.kind;
    if (had == PhotoKind::Data || (had == PhotoKind::Link && photo.photo.kind != PhotoKind::Data)) {
        return;
    }
    current.card.photo = std::move(photo.photo);
    current.card.crop = ReadCrop(property);
}

void TakeProperty(CardInProgress& current, const VCardProperty& property, std::string_view value) {
    if (property.Is("PHOTO")) {
        TakePhoto(current, property, value);
    } else if (property.Is("FN") && !current.formattedName) {
        current.formattedName = Unescape(TextValue(property, value));
    } else if (property.Is("N") && !current.structuredName) {
        current.structuredName = NameFromParts(TextValue(property, value));
    }
}

void Finish(VCardFile& file, CardInProgress& current) {
    if (!current.error.empty()) {
        file.skipped.push_back({current.card.number, std::move(current.error)});
        return;
    }
    const bool useFormatted = current.formattedName && !current.formattedName->empty();
    current.card.name = useFormatted ? *current.formattedName : current.structuredName.value_or("");
    file.cards.push_back(std::move(current.card));
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_lines(text) {}
    VCardFile Run();

private:
    void Step();
    void OnProperty(const VCardProperty& property, std::string_view value);
    void Begin();

    VCardLines m_lines;
    std::string m_folded;
    std::string m_value;
    std::optional<CardInProgress> m_current;
    int m_count = 0;
    VCardFile m_file;
};

VCardFile Reader::Run() {
    while (!m_lines.AtEnd()) {
        Step();
    }
    if (m_current) {
        m_current->Fail("the file ends before the card's END:VCARD");
        Finish(m_file, *m_current);
    }
    return std::move(m_file);
}

void Reader::Begin() {
    m_current.emplace();
    m_current->card.number = ++m_count;
}

void Reader::Step() {
    const ContentLine line = ReadContentLine(m_lines, m_folded, kMaxProperty);
    const auto property = line.tooLong ? std::nullopt : ParseProperty(line.text);
    if (!property) {
        if (line.tooLong && m_current) {
            m_current->Fail("a property is longer than 16 MiB");
        }
        return;
    }
    if (!m_current) {
        if (IsCardBoundary(*property, "BEGIN")) {
            Begin();
        }
        return;
    }
    bool tooLong = false;
    const std::string_view value = WholeValue(*property, m_lines, m_value, tooLong);
    if (tooLong) {
        m_current->Fail("a property is longer than 16 MiB");
        return;
    }
    OnProperty(*property, value);
}

void Reader::OnProperty(const VCardProperty& property, std::string_view value) {
    CardInProgress& current = *m_current;
    const bool agentOpen = std::exchange(current.agentOpen, false);
    if (IsCardBoundary(property, "BEGIN")) {
        if (agentOpen || current.nested > 0) {
            ++current.nested;
            return;
        }
        // A card that never ended: it is skipped, and this line starts the next one.
        current.Fail("it has no END:VCARD");
        Finish(m_file, current);
        Begin();
    } else if (IsCardBoundary(property, "END")) {
        if (current.nested > 0) {
            --current.nested;
            return;
        }
        Finish(m_file, current);
        m_current.reset();
    } else if (current.nested == 0 && property.Is("AGENT")) {
        current.agentOpen = value.empty();
        current.nested += EqualsIgnoringCase(value, "BEGIN:VCARD") ? 1 : 0;
    } else if (current.nested == 0 && current.error.empty()) {
        TakeProperty(current, property, value);
    }
}

} // namespace

bool LooksLikeVCard(std::span<const std::uint8_t> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    const auto start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos &&
           StartsWithIgnoringCase(text.substr(start), "BEGIN:VCARD");
}

VCardFile ReadVCards(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxWholeFileBytes) {
        VCardFile file;
        file.error = "is larger than 512 MiB, which no address book needs";
        return file;
    }
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return Reader(text).Run();
}
