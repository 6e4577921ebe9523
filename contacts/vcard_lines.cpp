#include "contacts/vcard_lines.h"

#include <cstring>

VCardLines::VCardLines(std::string_view text) : m_rest(text) {
    Advance();
}

void VCardLines::Advance() {
    m_hasNext = !m_rest.empty();
    if (!m_hasNext) {
        m_next = {};
        return;
    }
    // memchr finds the break far faster than a loop over megabyte-long lines would.
    const void* found = std::memchr(m_rest.data(), '\n', m_rest.size());
    const std::size_t end =
        found == nullptr ? m_rest.size() : static_cast<const char*>(found) - m_rest.data();
    m_next = m_rest.substr(0, end);
    m_rest.remove_prefix(end == m_rest.size() ? end : end + 1);
    if (!m_next.empty() && m_next.back() == '\r') {
        m_next.remove_suffix(1);
    }
}

std::string_view VCardLines::Next() {
    const std::string_view line = m_next;
    Advance();
    return line;
}

namespace {

bool StartsFolded(std::string_view line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

} // namespace

ContentLine ReadContentLine(VCardLines& lines, std::string& storage, std::size_t maxBytes) {
    const std::string_view first = lines.Next();
    ContentLine line{first, first.size() > maxBytes};
    if (!StartsFolded(lines.Peek())) {
        return line;
    }
    storage.assign(first.substr(0, line.tooLong ? 0 : first.size()));
    while (!lines.AtEnd() && StartsFolded(lines.Peek())) {
        const std::string_view more = lines.Next().substr(1);
        line.tooLong = line.tooLong || storage.size() + more.size() > maxBytes;
        if (!line.tooLong) {
            storage.append(more);
        }
    }
    line.text = storage;
    return line;
}

bool IsBase64Continuation(std::string_view line) {
    if (line.empty()) {
        return false;
    }
    for (const char c : line) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '=';
        if (!letter && !other && c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}
