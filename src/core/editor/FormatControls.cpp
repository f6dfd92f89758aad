#include "editor/FormatControls.h"

#include "layout/EmoticonNames.h"

#include <chrono>

namespace quirel {

FormatControls::FormatControls(Document& document)
    : m_document(document)
    , m_random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

void FormatControls::ToggleStyle(int styleBit)
{
    auto flip = [](bool& value) { value = !value; };
    switch (styleBit) {
    case kStyleBold:
        flip(m_switches.bold);
        break;
    case kStyleItalic:
        flip(m_switches.italic);
        break;
    case kStyleUnderline:
        flip(m_switches.underline);
        break;
    case kStyleStrikeOut:
        flip(m_switches.strikeOut);
        break;
    default:
        return;
    }
    m_document.Current().style = (m_switches.bold ? kStyleBold : 0) | (m_switches.italic ? kStyleItalic : 0)
        | (m_switches.underline ? kStyleUnderline : 0) | (m_switches.strikeOut ? kStyleStrikeOut : 0);
}

EditStatus FormatControls::ToggleSuperscript(std::size_t at, TextChange* change)
{
    const EditStatus status = m_document.SetSuperscript(!m_switches.superscript, at, change);
    if (status != EditStatus::Refused) m_switches.superscript = !m_switches.superscript;
    return status;
}

EditStatus FormatControls::ToggleSubscript(std::size_t at, TextChange* change)
{
    const EditStatus status = m_document.SetSubscript(!m_switches.subscript, at, change);
    if (status == EditStatus::Refused) return status;
    m_switches.subscript = !m_switches.subscript;
    // Once turned on, the size list stays off until "Nuevo".
    if (m_switches.subscript) m_sizeListEnabled = false;
    return status;
}

void FormatControls::ChooseEmoticon(int number)
{
    m_document.Current().emoticon = number;
    m_emoticonChoice = number;
}

int FormatControls::EmoticonToInsert(int number)
{
    if (number < 1 || number > kEmoticonCount) number = std::uniform_int_distribution<int>(1, kEmoticonCount)(m_random);
    m_emoticonChoice = number;
    return number;
}

} // namespace quirel
