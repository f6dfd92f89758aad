#pragma once

#include "language/AccentContext.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

class AccentModel;
class EventPump;

// The report lists at most this many changed words; the count goes on beyond it.
inline constexpr std::uint64_t kAccentReportLimit = 40;

// What one accent pass gives.
struct AccentResult {
    std::string text; // the new document text
    std::uint64_t count = 0; // words that received an accent
    std::string report; // the first 40 of them in lower case, each followed by CR LF
};

// word (lower case) with the leftmost of a, e, i, o, u replaced by á, é, í, ó, ú for which isKnown
// accepts the result; word unchanged when no single accent makes it known. Only these five vowels are
// accented, and a word that already carries an accent may receive a second one.
std::string AccentWord(std::string_view word, const KnownWordTest& isKnown);

// The accent pass over a document text and its tokens (the whole text cut without a limit, as the
// document keeps them: Document::Tokens, or Tokenize). Each word the lists do not know (asked
// in lower case) goes through AccentWord; a word that gains an accent is written back in its own case
// pattern (a mixed-case word comes back in lower case). Every other token and every word left without
// an accent is copied as it stands, so the result has the same tokens and the format records keep
// their slots. Words longer than a token field (256 bytes) are copied and not tried. The pump, when
// given, runs pending events once for every word that is tried.
AccentResult AccentDocument(
    std::string_view text, const std::vector<Token>& tokens, const KnownWordTest& isKnown, EventPump* pump);

// The same pass followed by the context step when model is given and not empty. First, a capitalised
// word that the model knows as an English name (Paul, Max), or that stands inside a sentence (Londres:
// not after the start of a line, . ? ! ¿ ¡ : " ( “ « …), gets no accent from the list rule, unless the
// training text wrote its accented form with a capital and never the typed one (Simon → Simón). Then
// every word whose form without accents has two or more written forms in the lists is weighed by its
// neighbours (see AccentChooser): a word the lists know and that carries no accent may take the form
// its context makes clearly more likely, with each letter's case kept (ESTA → ESTÁ); a word that got
// an accent from the list rule takes the most likely of its forms instead of the leftmost. Last, el and tu
// before a word the lists know only as a finite verb form (after those choices) become él and tú. The result
// counts and reports every changed word once, in text order. The pump also runs every 512 words of
// the context step.
AccentResult AccentDocument(std::string_view text, const std::vector<Token>& tokens, const AccentLexicon& lexicon,
    const AccentModel* model, EventPump* pump);

// The message shown after the pass: "Encontradas <count> palabras a las que se le ha puesto tílde
// ortográfica ...", followed by CR LF and the report when the count is above 0 (Windows-1252).
std::string AccentMessage(const AccentResult& result);

} // namespace quirel
