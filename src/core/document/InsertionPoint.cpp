#include "document/InsertionPoint.h"

#include "document/CharClass.h"
#include "document/Document.h"

namespace quirel {
namespace {

constexpr std::size_t kEmoticonLength = 9; // marker 6, seven blanks, marker 7

unsigned char At(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

bool IsEmoticonAt(std::string_view text, std::size_t start)
{
    if (start + kEmoticonLength > text.size() || At(text, start) != kMarkerEmoticonStart
        || At(text, start + kEmoticonLength - 1) != kMarkerEmoticonEnd)
        return false;
    return text.substr(start + 1, kEmoticonLength - 2).find_first_not_of(' ') == std::string_view::npos;
}

// The start of the emoticon that holds byte i, or Removal::kNone.
std::size_t EmoticonHolding(std::string_view text, std::size_t i)
{
    const std::size_t lowest = i >= kEmoticonLength - 1 ? i - (kEmoticonLength - 1) : 0;
    for (std::size_t start = i + 1; start-- > lowest;)
        if (IsEmoticonAt(text, start)) return start;
    return Removal::kNone;
}

bool IsSizeMarker(unsigned char c)
{
    return c >= kMarkerSubscriptOn && c <= kMarkerSuperscriptOff;
}

bool IsWordByte(std::string_view text, std::size_t i)
{
    return ClassifyByte(At(text, i)) == CharClass::Word;
}

// The other marker of the pair that the marker at i belongs to, or Removal::kNone.
std::size_t PairOf(std::string_view text, std::size_t i)
{
    const unsigned char marker = At(text, i);
    const bool on = marker == kMarkerSubscriptOn || marker == kMarkerSuperscriptOn;
    const auto partner = static_cast<unsigned char>(on ? marker + 1 : marker - 1);
    if (on) {
        for (std::size_t j = i + 1; j < text.size(); ++j) {
            if (At(text, j) == partner) return j;
            if (At(text, j) == marker) break;
        }
    } else {
        for (std::size_t j = i; j-- > 0;) {
            if (At(text, j) == partner) return j;
            if (At(text, j) == marker) break;
        }
    }
    return Removal::kNone;
}

Removal RemovalOf(std::string_view text, std::size_t i)
{
    if (const std::size_t emoticon = EmoticonHolding(text, i); emoticon != Removal::kNone)
        return { emoticon, emoticon + kEmoticonLength };
    Removal removal { i, i + 1 };
    if (IsSizeMarker(At(text, i))) removal.pair = PairOf(text, i);
    return removal;
}

} // namespace

std::size_t OutsideEmoticon(std::string_view text, std::size_t pos)
{
    if (pos == 0 || pos >= text.size()) return std::min(pos, text.size());
    const std::size_t emoticon = EmoticonHolding(text, pos);
    return emoticon != Removal::kNone && emoticon < pos ? emoticon + kEmoticonLength : pos;
}

std::size_t StepLeft(std::string_view text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    if (pos == 0) return 0;
    const std::size_t emoticon = EmoticonHolding(text, pos - 1);
    pos = emoticon != Removal::kNone ? emoticon : pos - 1;
    while (pos > 0 && IsSizeMarker(At(text, pos - 1)))
        --pos;
    return pos;
}

std::size_t StepRight(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsSizeMarker(At(text, pos)))
        ++pos;
    if (pos >= text.size()) return text.size();
    const std::size_t emoticon = EmoticonHolding(text, pos);
    return emoticon != Removal::kNone ? emoticon + kEmoticonLength : pos + 1;
}

std::size_t WordLeft(std::string_view text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    while (pos > 0 && !IsWordByte(text, pos - 1))
        --pos;
    while (pos > 0 && IsWordByte(text, pos - 1))
        --pos;
    return pos;
}

std::size_t WordRight(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsWordByte(text, pos))
        ++pos;
    while (pos < text.size() && !IsWordByte(text, pos))
        ++pos;
    return OutsideEmoticon(text, std::min(pos, text.size()));
}

Removal RemovalBefore(std::string_view text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    return pos == 0 ? Removal {} : RemovalOf(text, pos - 1);
}

Removal RemovalAfter(std::string_view text, std::size_t pos)
{
    return pos >= text.size() ? Removal { pos, pos } : RemovalOf(text, pos);
}

} // namespace quirel
