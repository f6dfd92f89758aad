#pragma once

#include "document/Document.h"

#include <cstdint>
#include <random>

namespace quirel {

// The controls that shape new text, over one document: the style switches of the "Estilos" menu,
// whether the font and size lists take a choice, the emoticon list's choice (and the draw of a
// random one), and the colour last chosen among the favourite colours.
class FormatControls {
public:
    // Works on document's current format; the document must outlive this object. The random
    // emoticon is drawn from a source seeded from the clock.
    explicit FormatControls(Document& document);

    struct Switches {
        bool bold = false, italic = false, underline = false, strikeOut = false;
        bool superscript = false, subscript = false;
    };
    const Switches& GetSwitches() const { return m_switches; }
    // Flips one style switch (kStyleBold, kStyleItalic, kStyleUnderline or kStyleStrikeOut) and
    // recomputes the current style; other bits are ignored.
    void ToggleStyle(int styleBit);
    // Flip the superscript or subscript switch: the document appends its marker and changes the
    // current size. Refused (the switch left as it was) when the marker would pass the token limit.
    // Subscript once turned on switches the size list off until the next new document.
    EditStatus ToggleSuperscript(std::size_t at = Document::kAtEnd, TextChange* change = nullptr);
    EditStatus ToggleSubscript(std::size_t at = Document::kAtEnd, TextChange* change = nullptr);

    // The font list takes a choice only after "Seleccionar Fuente", for one choice.
    bool FontListEnabled() const { return m_fontListEnabled; }
    void EnableFontList() { m_fontListEnabled = true; }
    // A face was chosen in the font list: it takes no other until enabled again.
    void FaceChosen() { m_fontListEnabled = false; }
    // The size list is off from the moment subscript is turned on until a new document.
    bool SizeListEnabled() const { return m_sizeListEnabled; }
    // A new document: the size list takes choices again.
    void NewDocument() { m_sizeListEnabled = true; }

    // An emoticon chosen in the emoticon list (1 to kEmoticonCount, 0 for none) becomes the current one and
    // the list's selection.
    void ChooseEmoticon(int number);
    // The emoticon list's selection: 1 to kEmoticonCount, 0 for none.
    int EmoticonChoice() const { return m_emoticonChoice; }
    // The emoticon an insertion uses: number when it is 1 to kEmoticonCount, else one drawn at random; it
    // becomes the list's selection.
    int EmoticonToInsert(int number);
    // Seeds the draw of the random emoticon.
    void SeedEmoticonRandom(unsigned seed) { m_random.seed(seed); }

    // The colour last chosen among the favourite colours (0 until one is chosen).
    std::uint32_t SelectedColour() const { return m_selectedColour; }
    void SelectColour(std::uint32_t colour) { m_selectedColour = colour; }

private:
    Document& m_document;
    Switches m_switches;
    bool m_fontListEnabled = false;
    bool m_sizeListEnabled = true;
    int m_emoticonChoice = 0;
    std::mt19937 m_random;
    std::uint32_t m_selectedColour = 0;
};

} // namespace quirel
