#include "document/Document.h"

#include "document/CharClass.h"
#include "document/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace quirel {
namespace {

// Adds moved to the start of every token from begin to end: an edit inside a long text moves all
// the tokens after it, so four tokens go at a time, as eight 32-bit lanes.
void MoveStarts(Token* begin, Token* end, std::uint32_t moved)
{
    static_assert(sizeof(Token) == 2 * sizeof(std::uint32_t));
    using Lanes = std::uint32_t __attribute__((vector_size(8 * sizeof(std::uint32_t))));
    const Lanes add = { moved, 0, moved, 0, moved, 0, moved, 0 };
    for (; end - begin >= 4; begin += 4) {
        Lanes lanes;
        std::memcpy(&lanes, begin, sizeof lanes);
        lanes += add;
        std::memcpy(static_cast<void*>(begin), &lanes, sizeof lanes);
    }
    for (; begin != end; ++begin)
        begin->start += moved;
}

} // namespace

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

int Document::TokenAt(std::size_t pos) const
{
    const auto found = std::upper_bound(m_tokens.begin(), m_tokens.end(), pos,
        [](std::size_t at, const Token& token) { return at < std::size_t { token.start } + token.length; });
    return static_cast<int>(found - m_tokens.begin()) + 1;
}

EditStatus Document::Replace(
    std::size_t pos, std::size_t count, std::string_view bytes, const FormatRecord& record, TextChange* change)
{
    const std::size_t size = m_text.size();
    pos = std::min(pos, size);
    count = std::min(count, size - pos);
    // The tokens the change can touch: from the one holding the byte before it to the one holding
    // the byte after the bytes removed. Their outer edges stay token edges, since the bytes on both
    // sides of each edge stay as they are.
    const int n = TokenCount();
    const int first = pos == 0 ? 1 : TokenAt(pos - 1);
    const int last = pos + count >= size ? n : TokenAt(pos + count);
    const std::size_t regionStart = first <= n ? m_tokens[static_cast<std::size_t>(first) - 1].start : size;
    const std::size_t regionEnd = last >= first ? m_tokens[static_cast<std::size_t>(last) - 1].start
            + std::size_t { m_tokens[static_cast<std::size_t>(last) - 1].length }
                                                : regionStart;
    std::string region = m_text.substr(regionStart, pos - regionStart);
    region.append(bytes);
    region.append(m_text, pos + count, regionEnd - pos - count);
    const int oldCount = last - first + 1;
    std::vector<Token> cut;
    if (!TokenizeInto(region, 0, cut, static_cast<std::size_t>(kMaxTokens - (n - oldCount))))
        return EditStatus::Refused;

    std::vector<FormatRecord> records;
    records.reserve(cut.size());
    const std::size_t insertedEnd = pos + bytes.size();
    for (Token& token : cut) {
        token.start += static_cast<std::uint32_t>(regionStart);
        // A token keeps the record of the old token its first old byte comes from; only one made
        // wholly of the bytes put in is new.
        if (token.start < pos)
            records.push_back(m_records.Get(TokenAt(token.start)));
        else if (token.start + token.length > insertedEnd)
            records.push_back(
                m_records.Get(TokenAt(std::max<std::size_t>(token.start, insertedEnd) - bytes.size() + count)));
        else
            records.push_back(record);
    }
    if (change) {
        change->pos = pos;
        change->removed = m_text.substr(pos, count);
        change->insertedLength = bytes.size();
        change->tokens = { first, oldCount, static_cast<int>(cut.size()) };
        change->oldRecords.clear();
        for (int i = first; i <= last; ++i)
            change->oldRecords.push_back(m_records.Get(i));
        change->revisionBefore = m_revision;
    }

    m_text.replace(pos, count, bytes);
    // The tokens cut anew take the place of the old ones; those after them move only when their
    // number changes (a letter typed into a word moves none).
    const auto at = m_tokens.begin() + (first - 1);
    const auto common
        = static_cast<std::ptrdiff_t>(std::min<std::size_t>(cut.size(), static_cast<std::size_t>(oldCount)));
    std::copy_n(cut.begin(), common, at);
    if (cut.size() > static_cast<std::size_t>(oldCount))
        m_tokens.insert(at + common, cut.begin() + common, cut.end());
    else
        m_tokens.erase(at + common, at + oldCount);
    const auto moved = static_cast<std::uint32_t>(bytes.size() - count); // wraps round for a shrinking text
    if (moved != 0) MoveStarts(m_tokens.data() + (first - 1) + cut.size(), m_tokens.data() + m_tokens.size(), moved);
    m_records.Splice(first, oldCount, records);
    m_fields.clear();
    NoteChange();
    return EditStatus::Done;
}

TextChange Document::BeginEndChange(std::size_t removing) const
{
    TextChange change;
    change.pos = m_text.size() - std::min(removing, m_text.size());
    change.removed = m_text.substr(change.pos);
    // The token before the change may grow or shrink with it.
    change.tokens.first = change.pos == 0 ? 1 : TokenAt(change.pos - 1);
    change.tokens.oldCount = TokenCount() - change.tokens.first + 1;
    for (int i = change.tokens.first; i <= TokenCount(); ++i)
        change.oldRecords.push_back(m_records.Get(i));
    change.revisionBefore = m_revision;
    return change;
}

void Document::EndChangeMade(TextChange& change) const
{
    change.insertedLength = m_text.size() - change.pos;
    change.tokens.newCount = TokenCount() - change.tokens.first + 1;
}

void Document::Revert(const TextChange& change, TextChange* inverse)
{
    Replace(change.pos, change.insertedLength, change.removed, m_records.Get(change.tokens.first), inverse);
    // The text is as it was, so its tokens are too: the ones the change cut get their records back.
    for (std::size_t i = 0; i < change.oldRecords.size(); ++i)
        m_records.Set(change.tokens.first + static_cast<int>(i), change.oldRecords[i]);
    m_revision = change.revisionBefore;
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

EditStatus Document::InsertMarkers(std::string_view bytes, std::size_t at, TextChange* change)
{
    if (at < m_text.size()) return Replace(at, 0, bytes, CurrentRecord(), change);
    if (Append(bytes) == EditStatus::Refused) return EditStatus::Refused;
    StoreCurrentRecord();
    return EditStatus::Done;
}

EditStatus Document::InsertEmoticon(int number, std::size_t at, TextChange* change)
{
    static constexpr char kEmoticon[] = { kMarkerEmoticonStart, ' ', ' ', ' ', ' ', ' ', ' ', ' ', kMarkerEmoticonEnd };
    const int before = m_current.emoticon;
    m_current.emoticon = number;
    if (InsertMarkers(std::string_view(kEmoticon, sizeof kEmoticon), at, change) == EditStatus::Refused) {
        m_current.emoticon = before;
        return EditStatus::Refused;
    }
    return EditStatus::Done;
}

EditStatus Document::SwitchSmallSize(
    bool on, bool& flag, unsigned char onMarker, unsigned char offMarker, std::size_t at, TextChange* change)
{
    const char marker = static_cast<char>(on ? onMarker : offMarker);
    const CurrentFormat before = m_current;
    if (on) {
        m_current.normalSize = m_current.size;
        // A size outside the small-size table stays as it is rather than becoming 0.
        if (SmallSize(m_current.size) > 0) m_current.size = SmallSize(m_current.size);
    } else {
        m_current.size = m_current.normalSize;
    }
    flag = on;
    if (InsertMarkers(std::string_view(&marker, 1), at, change) == EditStatus::Refused) {
        m_current = before;
        return EditStatus::Refused;
    }
    return EditStatus::Done;
}

EditStatus Document::SetSuperscript(bool on, std::size_t at, TextChange* change)
{
    return SwitchSmallSize(on, m_current.superscript, kMarkerSuperscriptOn, kMarkerSuperscriptOff, at, change);
}

EditStatus Document::SetSubscript(bool on, std::size_t at, TextChange* change)
{
    return SwitchSmallSize(on, m_current.subscript, kMarkerSubscriptOn, kMarkerSubscriptOff, at, change);
}

} // namespace quirel
