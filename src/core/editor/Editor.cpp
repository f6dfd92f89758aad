#include "editor/Editor.h"

namespace quirel {

Editor::Editor(std::filesystem::path programFolder)
    : m_folder(std::move(programFolder))
{
    LoadSaveSettings("get", m_settings, m_folder);
    auto& current = m_document.Current();
    current.background = static_cast<std::uint32_t>(m_settings.backgroundColor);
    current.textColor = static_cast<std::uint32_t>(m_settings.textColor);
    current.size = m_settings.fontSize;
    current.normalSize = m_settings.fontSize;
    current.faceName = m_settings.fontName;
    m_document.Fonts().Reset(m_settings.fontName);
    m_document.Records().Reset(m_document.CurrentRecord());
}

bool Editor::SaveSettings() { return LoadSaveSettings("save", m_settings, m_folder); }

} // namespace quirel
