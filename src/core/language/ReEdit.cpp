#include "language/ReEdit.h"

#include "document/CharClass.h"
#include "language/LanguageMessages.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace quirel {
namespace {

constexpr std::string_view kPagePrefix = "#pagina ";
constexpr std::size_t kPieceNumberDigits = 6;

// The whole of text read as a decimal number; nullopt when it is empty or holds anything else.
std::optional<int> ReadNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

std::string TokenLabel(unsigned char firstByte, std::string_view text)
{
    switch (firstByte) {
    case 10:
        return "LF";
    case 13:
        return "$CR";
    case 32:
        return "$SPC";
    case kMarkerRemoved:
        return "$ELIMINADA";
    case kMarkerSubscriptOn:
        return std::string(kSubscriptOnLabel);
    case kMarkerSubscriptOff:
        return std::string(kSubscriptOffLabel);
    case kMarkerSuperscriptOn:
        return std::string(kSuperscriptOnLabel);
    case kMarkerSuperscriptOff:
        return std::string(kSuperscriptOffLabel);
    case kMarkerEmoticonStart:
        return std::string(kEmoticonStartLabel);
    case kMarkerEmoticonEnd:
        return std::string(kEmoticonEndLabel);
    default:
        return std::string(text);
    }
}

std::string PageItem(int page)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", page);
    return std::string(kPagePrefix) + digits;
}

std::vector<std::string> PageItems(int pageCount)
{
    std::vector<std::string> items;
    for (int page = 1; page <= pageCount; ++page)
        items.push_back(PageItem(page));
    return items;
}

std::string PieceItem(int token, std::string_view label)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d ", token);
    return digits + std::string(label);
}

std::vector<std::string> FillPieceList(const Document& doc, int page)
{
    const PageTable& pages = doc.Pages();
    if (page < 1 || page > PageTable::kMaxPages) return {};
    const int tokenCount = doc.TokenCount();
    const int first = std::max(pages.Slot(page).firstToken, 1);
    int last = tokenCount;
    if (page != pages.pageCount && page < PageTable::kMaxPages)
        last = std::min(pages.Slot(page + 1).firstToken - 1, tokenCount);

    std::vector<std::string> items;
    for (int token = first; token <= last; ++token)
        items.push_back(PieceItem(token, TokenLabel(doc.TokenFirstByte(token), doc.TokenText(token))));
    return items;
}

void ChoosePage(ReEditState& state, std::string_view pageItem)
{
    const bool isPageItem = pageItem.substr(0, kPagePrefix.size()) == kPagePrefix;
    state.chosenPage = isPageItem ? ReadNumber(pageItem.substr(kPagePrefix.size())).value_or(0) : 0;
}

std::optional<std::string> ChoosePiece(ReEditState& state, std::string_view pieceItem)
{
    if (state.chosenPage == 0 || pieceItem.size() <= kPieceNumberDigits) return std::nullopt;
    const std::optional<int> token = ReadNumber(pieceItem.substr(0, kPieceNumberDigits));
    if (!token) return std::nullopt;
    state.chosenToken = *token;
    return std::string(pieceItem.substr(kPieceNumberDigits + 1));
}

std::string ChooseSpecial(ReEditState& state, std::string_view specialItem)
{
    state.specialChoice = ReadNumber(specialItem.substr(0, 2)).value_or(0);
    return std::string(specialItem.substr(std::min<std::size_t>(5, specialItem.size())));
}

ReEditOutcome ChangePiece(Document& doc, ReEditState& state, std::string_view boxText)
{
    if (state.chosenPage <= 0 || state.chosenToken < 1 || state.chosenToken > doc.TokenCount() || boxText.empty()
        || boxText.find(' ') != std::string_view::npos)
        return ReEditOutcome::Refused;
    // A special character counts only while the box still shows what choosing it put there: once the
    // user types something else, the typed text is what gets stored.
    std::string replacement(boxText);
    const int special = state.specialChoice;
    if (special >= 1 && special <= static_cast<int>(kSpecialChars.size())
        && boxText == kSpecialChars[static_cast<std::size_t>(special) - 1].shown)
        replacement = std::string(1, kSpecialChars[static_cast<std::size_t>(special) - 1].stored);
    doc.SetTokenField(state.chosenToken, replacement);
    state.replacement = std::move(replacement);
    return ReEditOutcome::Done;
}

ReEditOutcome HighlightPiece(Document& doc, const ReEditState& state)
{
    if (state.chosenPage <= 0 || state.chosenToken < 1 || state.chosenToken > doc.TokenCount())
        return ReEditOutcome::Refused;
    doc.Records().Set(state.chosenToken, doc.CurrentRecord());
    doc.NoteChange();
    return ReEditOutcome::Done;
}

std::string RebuildText(const Document& doc)
{
    const std::string& text = doc.Text();
    std::string out;
    out.reserve(text.size());
    for (int i = 1; i <= doc.TokenCount(); ++i) {
        const std::string_view token = doc.TokenText(i);
        if (!token.empty() && ClassifyChar(token) == CharClass::Word) {
            // A field holds only the first 256 bytes of a longer word; while the field was not
            // replaced, the word is taken whole from the text so that no byte of it is lost.
            const Token& span = doc.TokenSpan(i);
            const bool cutWord = span.length > kTokenFieldWidth
                && token == std::string_view(text).substr(span.start, kTokenFieldWidth);
            out += cutWord ? std::string_view(text).substr(span.start, span.length) : token;
        } else if (doc.TokenFirstByte(i) == ' ') {
            out += ' ';
        } else {
            out += token;
        }
    }
    return out;
}

EditStatus AcceptChanges(Document& doc)
{
    std::string text = RebuildText(doc);
    // Accepting without a change leaves the document as it was, not a changed document.
    if (text == doc.Text()) {
        DiscardChanges(doc);
        return EditStatus::Done;
    }
    return doc.SetText(std::move(text));
}

void DiscardChanges(Document& doc)
{
    // The fields go with a new cut of the same text; the document stays the same revision.
    doc.RestoreText(std::string(doc.Text()), doc.Revision());
}

} // namespace quirel
