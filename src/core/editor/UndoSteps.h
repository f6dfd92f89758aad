#pragma once

#include "document/Document.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quirel {

// What "Deshacer" takes back and "Rehacer" brings back, newest first: the commands that rewrite the
// whole text ("Reemplazar", "Poner tílde ortográfica", "Re-Editar") and typing and deleting, in the
// order they happened. Typing is taken back a word at a time: a run of keys at one place is one
// step, which a blank or a line end closes.
//
// A rewrite keeps the text, and the format records and the font table only when its command
// changed them, so it costs about the size of the text; a run of typing keeps its changes (see
// TextChange), some tens of bytes a key. Only the newest steps are kept: at most kMaxSteps, and
// older ones are dropped while the steps hold more than kMaxBytes together (the newest step is
// always kept). Any new change drops what could be brought back.
//
// A step can be taken back only while the document is exactly as its change left it: a change of
// the text that is no step (another document, a marker typed at the end) makes the steps stale, and
// they are dropped.
class UndoSteps {
public:
    static constexpr std::size_t kMaxSteps = 500;
    static constexpr std::size_t kMaxBytes = std::size_t { 64 } << 20;

    // The document as it was before a rewrite.
    struct State {
        std::string text;
        std::optional<FormatRecords> records;
        std::optional<FontTable> fonts;
        std::uint64_t revision = 0;
    };
    // Whether a run of typing goes on after a change, or the change closes it.
    enum class Run { GoesOn, Closed };
    // What Undo or Redo did: nothing, a rewrite (the text replaced whole), or changes at places of
    // the text (in the order they were made), after which the insertion point belongs at caret.
    struct Outcome {
        enum class Kind { None, Rewrite, Typing };
        Kind kind = Kind::None;
        std::vector<TextChange> changes;
        std::size_t caret = 0;
    };

    // Copies what a command may change: text, records, fonts and revision.
    static State Capture(const Document& document);

    // After a rewrite: keeps before as the newest step when the command changed the text, the
    // records or the fonts; records and fonts it left as they were are not kept. Stale steps are
    // dropped first. Returns true when a step was kept.
    bool Push(State before, const Document& document);
    // After changes made by typing or deleting (in order), with the insertion point at caretBefore
    // before them and at caretAfter after them: one change that goes on from the last one of an open
    // run joins it; anything else starts a step of its own.
    void Record(std::vector<TextChange> changes, std::size_t caretBefore, std::size_t caretAfter, Run run,
        const Document& document);

    // Takes the newest step back: a rewrite's text (cut into tokens again), records and fonts exactly
    // as they were, with the revision they had (a document taken back to its saved state counts as
    // saved); a run of typing's changes, newest first. The step can then be brought back.
    Outcome Undo(Document& document);
    // Brings back the step taken back last, while nothing changed since.
    Outcome Redo(Document& document);

    void Clear();
    // The steps that Undo can take back and Redo can bring back now.
    std::size_t Count(const Document& document) const;
    std::size_t RedoCount(const Document& document) const;
    // The memory the steps hold, in bytes.
    std::size_t Bytes() const;

private:
    struct Step {
        std::unique_ptr<State> before; // a rewrite
        std::vector<TextChange> changes; // a run of typing
        std::size_t caretBefore = 0;
        std::size_t caretAfter = 0;
        bool open = false; // a run of typing that a change may still join
        std::uint64_t after = 0; // the revision the step left
    };
    static std::size_t StepBytes(const Step& step);
    static std::size_t ChangeBytes(const TextChange& change);
    static bool Stale(const std::deque<Step>& steps, const Document& document)
    {
        return !steps.empty() && steps.back().after != document.Revision();
    }
    // Takes step back and keeps what brings it back again in into.
    Outcome TakeBack(Step step, Document& document, std::deque<Step>& into);
    void Keep(Step step);
    void Trim();

    std::deque<Step> m_steps;
    std::deque<Step> m_redo;
    std::size_t m_bytes = 0; // of m_steps
};

} // namespace quirel
