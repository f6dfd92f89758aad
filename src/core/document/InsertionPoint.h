#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace quirel {

// Where typing goes: a place between two bytes of the text. It starts at the end of the text and,
// while it stands there, follows the end (typing at the end appends, as it always did).
class InsertionPoint {
public:
    bool AtEnd() const { return m_atEnd; }
    // Its byte offset in a text of textSize bytes.
    std::size_t Position(std::size_t textSize) const { return m_atEnd ? textSize : std::min(m_pos, textSize); }
    // To pos; at or past the end of a text of textSize bytes, to the end.
    void MoveTo(std::size_t pos, std::size_t textSize)
    {
        m_atEnd = pos >= textSize;
        m_pos = m_atEnd ? 0 : pos;
        goalX = -1;
    }
    void ToEnd() { MoveTo(0, 0); }

    // The x that a run of Up and Down keys aims at (-1 when no run is going on).
    int goalX = -1;

private:
    std::size_t m_pos = 0;
    bool m_atEnd = true;
};

// The places the insertion point can take, in text. An emoticon (marker 6, seven blanks, marker 7)
// is one unit with no place inside it; the superscript and subscript markers take no room on the
// page, so a step passes over them together with the byte it crosses.
std::size_t StepLeft(std::string_view text, std::size_t pos);
std::size_t StepRight(std::string_view text, std::size_t pos);
// The start of the word before pos, and of the next word after it (the end of the text when there
// is none): a word is a run of word bytes.
std::size_t WordLeft(std::string_view text, std::size_t pos);
std::size_t WordRight(std::string_view text, std::size_t pos);
// pos, or the end of the emoticon it falls inside of.
std::size_t OutsideEmoticon(std::string_view text, std::size_t pos);

// The bytes Backspace (before pos) or Delete (after it) removes: one byte, a whole emoticon, or a
// superscript or subscript marker together with the other marker of its pair (the text between them
// stays), so that the text stays well formed. An unpaired marker goes alone.
struct Removal {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t from = 0; // bytes from to to - 1
    std::size_t to = 0;
    std::size_t pair = kNone; // the other marker of a pair, a byte before from or after to
    bool Empty() const { return from == to; }
};
Removal RemovalBefore(std::string_view text, std::size_t pos);
Removal RemovalAfter(std::string_view text, std::size_t pos);

} // namespace quirel
