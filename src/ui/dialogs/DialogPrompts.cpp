#include "dialogs/DialogPrompts.h"

#include "dialogs/AboutBox.h"
#include "dialogs/FavouriteColoursDialog.h"
#include "dialogs/PageRangeDialog.h"
#include "dialogs/PrintSetupDialog.h"
#include "dialogs/ReEditDialog.h"
#include "dialogs/SearchDialogs.h"
#include "dialogs/WordSearchDialog.h"
#include "platform/QtText.h"

namespace quirel {

SearchWords DialogPrompts::AskSearchWord()
{
    return quirel::AskSearchWord(Owner());
}

SearchWords DialogPrompts::AskReplaceWords()
{
    return quirel::AskReplaceWords(Owner());
}

DictionarySearchValues DialogPrompts::AskWordSearch(const SearchLists& lists, const DictionarySearchValues& values)
{
    return ShowWordSearch(lists, values);
}

std::uint32_t DialogPrompts::AskFavouriteColour(const std::filesystem::path& folder, std::uint32_t selected)
{
    return ShowFavouriteColours(Owner(), folder, selected);
}

bool DialogPrompts::ReEdit(Document& document)
{
    return ShowReEdit(document);
}

// The box has no owner: the main window stays usable while it is open.
void DialogPrompts::ShowAbout()
{
    quirel::ShowAbout(nullptr);
}

PageRange DialogPrompts::AskPageRange(const PageRangeRequest& request)
{
    return quirel::AskPageRange(request, Owner());
}

void DialogPrompts::AskPrintSetup(PrintSettings& settings, const std::string& printerName)
{
    quirel::AskPrintSetup(settings, FromCp1252(printerName), Owner());
}

} // namespace quirel
