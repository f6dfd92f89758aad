#include "editor/ListLoader.h"

#include <utility>

namespace quirel {

ListLoader::ListLoader(std::filesystem::path folder)
    : m_folder(std::move(folder))
{
}

void ListLoader::AfterLoad(std::function<void()> action)
{
    if (m_ready)
        action();
    else
        m_waiting.push_back(std::move(action));
}

void ListLoader::Load(EventPump* pump, Prompts* prompts)
{
    if (m_loading) return;
    Expect();
    m_loading = true;
    LoadAllWordLists(m_folder, m_lists, pump, prompts);
    LoadAccentModel(m_folder / kAccentModelFileName, m_accents); // without it: the list rule alone
    m_loading = false;
    Loaded();
}

void ListLoader::Loaded()
{
    m_ready = true;
    // An action may announce another load: what is still waiting then waits for that one.
    while (m_ready && !m_waiting.empty()) {
        auto action = std::move(m_waiting.front());
        m_waiting.pop_front();
        action();
    }
}

} // namespace quirel
