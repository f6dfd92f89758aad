#pragma once

#include "document/CurrentFormat.h"
#include "document/FontTable.h"
#include "document/FormatRecords.h"
#include "document/PageTable.h"
#include "document/Tokenize.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quirel {

// Outcome of a change to the document text.
enum class EditStatus {
    Done,
    Refused, // the text would cut into more than 300000 tokens; nothing was changed
};

// Which tokens a change of the text cut anew: tokens first to first + oldCount - 1 became tokens
// first to first + newCount - 1, and every token after them moved by newCount - oldCount.
struct TokenEdit {
    int first = 1;
    int oldCount = 0;
    int newCount = 0;
};

// One change of the text inside it, with what it takes to take it back exactly: where it was, the
// bytes it removed and how many it put in, and the records the tokens it cut anew had before.
struct TextChange {
    std::size_t pos = 0;
    std::string removed;
    std::size_t insertedLength = 0;
    TokenEdit tokens;
    std::vector<FormatRecord> oldRecords; // of the old tokens tokens.first to tokens.first + oldCount - 1
    std::uint64_t revisionBefore = 0;
};

// The producer line the program writes into the documents it creates: "®", the product name,
// " by ", "®" and its web name, 21 bytes of Windows-1252.
inline constexpr std::string_view kProgramProducerLine = "\xAE"
                                                         "Quirel by "
                                                         "\xAE"
                                                         "quirel.es";
static_assert(kProgramProducerLine.size() == 21);

// Marker characters that live inside the text.
enum MarkerChar : unsigned char {
    kMarkerRemoved = 1,
    kMarkerSubscriptOn = 2,
    kMarkerSubscriptOff = 3,
    kMarkerSuperscriptOn = 4,
    kMarkerSuperscriptOff = 5,
    kMarkerEmoticonStart = 6,
    kMarkerEmoticonEnd = 7,
};

// The one document: its Windows-1252 text and tokens, the format records of the token
// positions, the font table, the current format and the page slots.
//
// Tokens are kept up to date with the text on every change. Appending and removing the last byte
// re-cut only the last token, so a keystroke costs the same at any document length.
class Document {
public:
    Document();

    const std::string& Text() const { return m_text; }
    int TokenCount() const { return static_cast<int>(m_tokens.size()); }

    // Token i (1 to TokenCount): its text as the token field reads back, i.e. at most 256 bytes
    // and without leading and trailing blanks (a blank token reads as ""). Empty outside 1..N.
    std::string_view TokenText(int index) const;
    // The first byte of token i's untrimmed field (a blank for a blank token); 0 outside 1..N.
    unsigned char TokenFirstByte(int index) const;
    // Where token i stands in the text.
    const Token& TokenSpan(int index) const { return m_tokens[static_cast<std::size_t>(index) - 1]; }
    // Every token of the text in order (token i at i - 1): what Tokenize gives for Text().
    const std::vector<Token>& Tokens() const { return m_tokens; }
    // True when token i is a word (a run of word characters).
    bool IsWordToken(int index) const;

    // Replaces the whole text and cuts it into tokens again. Refused (nothing changes) when
    // the text has more than 300000 tokens.
    EditStatus SetText(std::string text);
    // Appends bytes at the end of the text. Refused when that would pass 300000 tokens.
    EditStatus Append(std::string_view bytes);
    // Removes the last byte of the text; Done also for an empty text, which stays empty.
    EditStatus RemoveLastByte();
    // Replaces count bytes at pos (both cut to the text) by bytes, anywhere in the text. Only the
    // tokens around the change are cut again. A token made wholly of the bytes put in takes record;
    // every other token keeps the record of the old token its first old byte comes from (so a word
    // that grows keeps its format, a word split or joined keeps the format of its first part, and
    // the tokens after the change keep theirs). Refused (nothing changes) when the text would pass 300000 tokens.
    // change, when given, receives what Revert needs.
    EditStatus Replace(
        std::size_t pos, std::size_t count, std::string_view bytes, const FormatRecord& record, TextChange* change);
    // Takes back change, the last change made to the text: text, tokens, records and revision as
    // before it. inverse, when given, receives the change that brings it back.
    void Revert(const TextChange& change, TextChange* inverse = nullptr);
    // Before bytes are appended at the end or the last `removing` bytes removed through Append,
    // RemoveLastByte or the marker sequences: what Revert will need, to be completed by EndChangeMade
    // once the change is made.
    TextChange BeginEndChange(std::size_t removing) const;
    void EndChangeMade(TextChange& change) const;
    // The token that holds byte pos (1 to N), N + 1 at or past the end of the text.
    int TokenAt(std::size_t pos) const;
    // Stores a new text in token i's field (cut to 256 bytes), as the re-edit does before it
    // rebuilds the text from the tokens. The next change of the text drops such fields.
    void SetTokenField(int index, std::string_view field);

    // Tells the states of the document apart: every change of the text moves the revision on to a
    // value it never had before, and so does NoteChange, which a change made through Records() or
    // Fonts() calls. Two moments with the same revision see the same document.
    std::uint64_t Revision() const { return m_revision; }
    void NoteChange() { m_revision = ++m_lastRevision; }
    // Takes the text back to an earlier state (cut into tokens again) with the revision it had then,
    // so that a document taken back to the state it was saved in counts as saved. The text must
    // come from this document (it cannot be refused).
    void RestoreText(std::string text, std::uint64_t revision);

    FormatRecords& Records() { return m_records; }
    const FormatRecords& Records() const { return m_records; }
    FontTable& Fonts() { return m_fonts; }
    const FontTable& Fonts() const { return m_fonts; }
    CurrentFormat& Current() { return m_current; }
    const CurrentFormat& Current() const { return m_current; }
    // The producer line of the document file the text came from (the program's own until a file is read).
    const std::string& ProducerLine() const { return m_producerLine; }
    void SetProducerLine(std::string line) { m_producerLine = std::move(line); }
    PageTable& Pages() { return m_pages; }
    const PageTable& Pages() const { return m_pages; }

    // The record of the current format, with font index K.
    FormatRecord CurrentRecord() const { return m_current.Record(m_fonts.LastIndex()); }
    // Slot N (the last token) receives the current record; nothing when the text is empty.
    void StoreCurrentRecord();

    // The marker sequences; each appends at the end and stores the current record in slot N, or,
    // given a place inside the text (at), goes in there with the current record (see Replace; change
    // as there). An emoticon is code 6, seven blanks and code 7, and its number goes into the code-7
    // record.
    static constexpr std::size_t kAtEnd = static_cast<std::size_t>(-1);
    EditStatus InsertEmoticon(int number, std::size_t at = kAtEnd, TextChange* change = nullptr);
    // Superscript/subscript on: the size in force is kept as the normal size and the current size
    // becomes the small size (unchanged for a size outside 1 to 90); off: the normal size returns.
    EditStatus SetSuperscript(bool on, std::size_t at = kAtEnd, TextChange* change = nullptr);
    EditStatus SetSubscript(bool on, std::size_t at = kAtEnd, TextChange* change = nullptr);

private:
    EditStatus AppendFromLastToken(std::string_view bytes);
    EditStatus InsertMarkers(std::string_view bytes, std::size_t at, TextChange* change);
    EditStatus SwitchSmallSize(
        bool on, bool& flag, unsigned char onMarker, unsigned char offMarker, std::size_t at, TextChange* change);

    std::string m_text;
    std::vector<Token> m_tokens;
    std::unordered_map<int, std::string> m_fields; // token fields stored by the re-edit
    FormatRecords m_records;
    FontTable m_fonts;
    CurrentFormat m_current;
    PageTable m_pages;
    std::string m_producerLine { kProgramProducerLine };
    std::uint64_t m_revision = 0;
    std::uint64_t m_lastRevision = 0;
};

} // namespace quirel
