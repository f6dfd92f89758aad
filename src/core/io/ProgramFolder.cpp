#include "io/ProgramFolder.h"

#include "io/FavouriteColours.h"
#include "io/ProgramFiles.h"
#include "io/RecoveryCopy.h"
#include "io/Settings.h"
#include "io/WordMemory.h"

#include <cstdlib>
#include <system_error>

namespace quirel {

std::filesystem::path ProgramFolder()
{
    if (const char* home = std::getenv("QUIREL_HOME"); home && *home) return std::filesystem::path(home);
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error);
    return executable.parent_path();
}

// Every file the program keeps in its folder is named here, and only here: a file the program
// comes to keep there (such as the user's own word file) adds its name to this list.
bool IsProgramFileName(std::string_view name)
{
    if (name == kSettingsFileName || name == kWordMemoryFileName || name == kFavouriteColoursFileName
        || IsRecoveryFileName(name) || name == kAccentModelFileName)
        return true;
    for (const std::string_view listName : kWordListFileNames)
        if (name == listName) return true;
    return name.starts_with(".quirel-");
}

} // namespace quirel
