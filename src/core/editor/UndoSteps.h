#pragma once

#include "document/Document.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace quirel {

// The states of the document before the last few commands that rewrite the whole text ("Reemplazar",
// "Poner tílde ortográfica", "Re-Editar"), to take them back one at a time, newest first.
//
// A step keeps the text, and the format records and the font table only when its command changed
// them, so a step costs about the size of the text. Only the newest steps are kept: at most
// kMaxSteps, and older ones are dropped while the steps hold more than kMaxBytes together (the
// newest step is always kept).
//
// A step can be taken back only while the document is exactly as its command left it: any other
// change of the text (typing, a marker, another document) makes the steps stale, and they are dropped.
class UndoSteps {
public:
    static constexpr std::size_t kMaxSteps = 10;
    static constexpr std::size_t kMaxBytes = std::size_t { 64 } << 20;

    // The document as it was before a command.
    struct State {
        std::string text;
        std::optional<FormatRecords> records;
        std::optional<FontTable> fonts;
        std::uint64_t revision = 0;
    };

    // Copies what a command may change: text, records, fonts and revision.
    static State Capture(const Document& document);

    // After the command: keeps before as the newest step when the command changed the text, the
    // records or the fonts; records and fonts it left as they were are not kept. Stale steps are
    // dropped first. Returns true when a step was kept.
    bool Push(State before, const Document& document);

    // Takes the newest step back: the text (cut into tokens again), and the records and fonts it
    // kept, exactly as they were, with the revision they had (a document taken back to its saved
    // state counts as saved). False, with nothing changed, when there is no step or the steps are stale.
    bool Undo(Document& document);

    void Clear() { m_steps.clear(); }
    // The steps that Undo can take back now.
    std::size_t Count(const Document& document) const;
    // The memory the steps hold, in bytes.
    std::size_t Bytes() const;

private:
    struct Step {
        State before;
        std::uint64_t after = 0; // the revision the command left
    };
    static std::size_t StepBytes(const Step& step);
    bool Stale(const Document& document) const
    {
        return !m_steps.empty() && m_steps.back().after != document.Revision();
    }

    std::deque<Step> m_steps;
};

} // namespace quirel
