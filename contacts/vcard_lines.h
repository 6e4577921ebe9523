// The lines of a vCard file, and the content lines they fold into.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Physical lines, each without its line break: LF or CRLF alike, since exporters write both.
class VCardLines {
public:
    explicit VCardLines(std::string_view text);

    bool AtEnd() const { return !m_hasNext; }
    // The next line, left in place; empty at the end.
    std::string_view Peek() const { return m_next; }
    std::string_view Next();

private:
    void Advance();

    std::string_view m_rest;
    std::string_view m_next;
    bool m_hasNext = false;
};

// A content line with its folded continuations joined. The text lives in storage when the line
// was folded, and in the file's own bytes otherwise, so long unfolded lines are never copied.
struct ContentLine {
    std::string_view text;
    // Set when the line grew past maxBytes; the rest of it was consumed and dropped.
    bool tooLong = false;
};

// Reads the next content line: a physical line and every following one that starts with a
// space or tab, which is removed.
ContentLine ReadContentLine(VCardLines& lines, std::string& storage, std::size_t maxBytes);

// Whether line holds only base64 characters and blanks, as the continuations of a vCard 2.1
// photo do; such lines may come without the leading space that folding asks for.
bool IsBase64Continuation(std::string_view line);
