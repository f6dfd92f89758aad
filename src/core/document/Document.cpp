#include "document/Document.h"

#include "document/CharClass.h"
#include "document/Cp1252.h"

#include <algorithm>

namespace quirel {

Document::Document()
{
    m_fonts.Reset(m_current.faceName);
    m_records.Reset(CurrentRecord());
}

std::string_view Document::TokenText(int index) const
{
    if (index < 1 || index > TokenCount()) return {};
    if (!m_fields.empty()) {
        const auto field = m_fields.find(index);
        if (field != m_fields.end()) return TrimBlanks(field->second);
    }
    const Token& token = m_tokens[static_cast<std::size_t>(index) - 1];
    const std::string_view raw(m_text.data() + token.start, std::min<std::size_t>(token.length, kTokenFieldWidth));
    return TrimBlanks(raw);
}

unsigned char Document::TokenFirstByte(int index) const
{
    if (index < 1 || index > TokenCount()) return 0;
    if (!m_fields.empty()) {
        const auto field = m_fields.find(index);
        if (field != m_fields.end()) return field->second.empty() ? ' ' : static_cast<unsigned char>(field->second[0]);
    }
    return static_cast<unsigned char>(m_text[m_tokens[static_cast<std::size_t>(index) - 1].start]);
}

bool Document::IsWordToken(int index) const
{
    const unsigned char first = TokenFirstByte(index);
    return first != 0 && ClassifyByte(first) == CharClass::Word;
}

EditStatus Document::SetText(std::string text)
{
    std::vector<Token> tokens;
    tokens.reserve(text.size() / 3 + 1);
    if (!TokenizeInto(text, 0, tokens)) return EditStatus::Refused;
    m_text = std::move(text);
    m_tokens = std::move(tokens);
    m_fields.clear();
    NoteChange();
    return EditStatus::Done;
}

void Document::RestoreText(std::string text, std::uint64_t revision)
{
    if (SetText(std::move(text)) == EditStatus::Done) m_revision = revision;
}

EditStatus Document::AppendFromLastToken(std::string_view bytes)
{
    // Only the last token can change: a word at the very end may grow or shrink; every other
    // token is one byte that the change leaves as it is.
    const std::size_t oldSize = m_text.size();
    std::size_t from = oldSize;
    std::size_t keep = m_tokens.size();
    if (!m_tokens.empty()) {
        const Token& last = m_tokens.back();
        if (last.start + last.length == oldSize
            && ClassifyByte(static_cast<unsigned char>(m_text[last.start])) == CharClass::Word) {
            from = last.start;
            keep = m_tokens.size() - 1;
        }
    }
    m_text.append(bytes);
    m_tokens.resize(keep);
    if (!TokenizeInto(m_text, from, m_tokens)) {
        m_text.resize(oldSize);
        m_tokens.resize(keep);
        TokenizeInto(m_text, from, m_tokens);
        return EditStatus::Refused;
    }
    m_fields.clear();
    NoteChange();
    return EditStatus::Done;
}

EditStatus Document::Append(std::string_view bytes)
{
    if (bytes.empty()) return EditStatus::Done;
    return AppendFromLastToken(bytes);
}

EditStatus Document::RemoveLastByte()
{
    if (m_text.empty()) return EditStatus::Done;
    const std::size_t from = m_tokens.back().start;
    m_text.pop_back();
    m_tokens.pop_back();
    TokenizeInto(m_text, from, m_tokens);
    m_fields.clear();
    NoteChange();
    return EditStatus::Done;
}

void Document::SetTokenField(int index, std::string_view field)
{
    if (index < 1 || index > TokenCount()) return;
    m_fields[index] = std::string(field.substr(0, kTokenFieldWidth));
}

void Document::StoreCurrentRecord()
{
    if (!m_tokens.empty()) m_records.Set(TokenCount(), CurrentRecord());
}

EditStatus Document::InsertEmoticon(int number)
{
    static constexpr char kEmoticon[] = { kMarkerEmoticonStart, ' ', ' ', ' ', ' ', ' ', ' ', ' ', kMarkerEmoticonEnd };
    if (Append(std::string_view(kEmoticon, sizeof kEmoticon)) == EditStatus::Refused) return EditStatus::Refused;
    m_current.emoticon = number;
    StoreCurrentRecord();
    return EditStatus::Done;
}

EditStatus Document::SwitchSmallSize(bool on, bool& flag, unsigned char onMarker, unsigned char offMarker)
{
    const char marker = static_cast<char>(on ? onMarker : offMarker);
    if (Append(std::string_view(&marker, 1)) == EditStatus::Refused) return EditStatus::Refused;
    if (on) {
        m_current.normalSize = m_current.size;
        // A size outside the small-size table stays as it is rather than becoming 0.
        if (SmallSize(m_current.size) > 0) m_current.size = SmallSize(m_current.size);
    } else {
        m_current.size = m_current.normalSize;
    }
    flag = on;
    StoreCurrentRecord();
    return EditStatus::Done;
}

EditStatus Document::SetSuperscript(bool on)
{
    return SwitchSmallSize(on, m_current.superscript, kMarkerSuperscriptOn, kMarkerSuperscriptOff);
}

EditStatus Document::SetSubscript(bool on)
{
    return SwitchSmallSize(on, m_current.subscript, kMarkerSubscriptOn, kMarkerSubscriptOff);
}

} // namespace quirel
