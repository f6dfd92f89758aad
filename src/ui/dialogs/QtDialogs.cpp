#include "dialogs/QtDialogs.h"

#include "dialogs/AboutBox.h"
#include "dialogs/FavouriteColoursDialog.h"
#include "dialogs/ReEditDialog.h"
#include "dialogs/SearchDialogs.h"
#include "dialogs/WordSearchDialog.h"

namespace quirel {

SearchWords QtDialogs::AskSearchWord()
{
    return quirel::AskSearchWord(m_owner);
}

SearchWords QtDialogs::AskReplaceWords()
{
    return quirel::AskReplaceWords(m_owner);
}

DictionarySearchValues QtDialogs::AskWordSearch(const SearchLists& lists, const DictionarySearchValues& values)
{
    return ShowWordSearch(lists, values);
}

std::uint32_t QtDialogs::AskFavouriteColour(const std::filesystem::path& folder, std::uint32_t selected)
{
    return ShowFavouriteColours(m_owner, folder, selected);
}

bool QtDialogs::ReEdit(Document& document)
{
    return ShowReEdit(document);
}

// The box has no owner: the main window stays usable while it is open.
void QtDialogs::ShowAbout()
{
    quirel::ShowAbout(nullptr);
}

} // namespace quirel
