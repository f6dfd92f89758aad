#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quirel {

class EventPump;

// Whether a lower-case word stands in the spelling lists (diccionario, verbos, npropios, Apellidos).
using KnownWordTest = std::function<bool(std::string_view)>;

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

// The accent pass over a document text, cut into tokens afresh. Each word the lists do not know (asked
// in lower case) goes through AccentWord; a word that gains an accent is written back in its own case
// pattern (a mixed-case word comes back in lower case). Every other token and every word left without
// an accent is copied as it stands, so the result has the same tokens and the format records keep
// their slots. Words longer than a token field (256 bytes) are copied and not tried. The pump, when
// given, runs pending events once for every word that is tried.
AccentResult AccentDocument(std::string_view text, const KnownWordTest& isKnown, EventPump* pump);

// The message shown after the pass: "Encontradas <count> palabras a las que se le ha puesto tílde
// ortográfica ...", followed by CR LF and the report when the count is above 0 (Windows-1252).
std::string AccentMessage(const AccentResult& result);

} // namespace quirel
