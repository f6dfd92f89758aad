#include "language/AccentMarks.h"

#include "document/CasePattern.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Tokenize.h"
#include "io/Ports.h"
#include "language/LanguageMessages.h"

#include <limits>
#include <vector>

namespace quirel {
namespace {

// The accented form of a small vowel, 0 for any other byte.
unsigned char AccentedVowel(unsigned char c)
{
    switch (c) {
    case 'a':
        return 0xE1; // á
    case 'e':
        return 0xE9; // é
    case 'i':
        return 0xED; // í
    case 'o':
        return 0xF3; // ó
    case 'u':
        return 0xFA; // ú
    default:
        return 0;
    }
}

} // namespace

std::string AccentWord(std::string_view word, const KnownWordTest& isKnown)
{
    std::string candidate(word);
    for (std::size_t p = 0; p < candidate.size(); ++p) {
        const unsigned char vowel = static_cast<unsigned char>(candidate[p]);
        const unsigned char accented = AccentedVowel(vowel);
        if (accented == 0) continue;
        candidate[p] = static_cast<char>(accented);
        if (isKnown(candidate)) return candidate;
        candidate[p] = static_cast<char>(vowel);
    }
    return candidate;
}

AccentResult AccentDocument(std::string_view text, const KnownWordTest& isKnown, EventPump* pump)
{
    AccentResult result;
    result.text.reserve(text.size());
    std::vector<Token> tokens;
    tokens.reserve(text.size() / 3 + 1);
    TokenizeInto(text, 0, tokens, std::numeric_limits<std::size_t>::max());

    std::string lower;
    std::size_t copiedUpTo = 0; // text before this offset is already in the result
    for (const Token& token : tokens) {
        const std::string_view word = text.substr(token.start, token.length);
        if (ClassifyByte(static_cast<unsigned char>(word.front())) != CharClass::Word || word.size() > kTokenFieldWidth)
            continue;
        lower.assign(word);
        ToLowerInPlace(lower);
        if (isKnown(lower)) continue;
        const std::string accented = AccentWord(lower, isKnown);
        if (pump) pump->ProcessPendingEvents();
        if (accented == lower) continue;
        ++result.count;
        if (result.count <= kAccentReportLimit) {
            result.report += accented;
            result.report += "\r\n";
        }
        // Signs, blanks, line ends, markers and unchanged words go over in one piece.
        result.text.append(text.substr(copiedUpTo, token.start - copiedUpTo));
        result.text += RestoreCase(accented, CasePattern(word));
        copiedUpTo = token.start + token.length;
    }
    result.text.append(text.substr(copiedUpTo));
    return result;
}

std::string AccentMessage(const AccentResult& result)
{
    std::string message = std::string(kFoundHead) + std::to_string(result.count) + std::string(kAccentedWordsTail);
    if (result.count > 0) message += "\r\n" + result.report;
    return message;
}

} // namespace quirel
