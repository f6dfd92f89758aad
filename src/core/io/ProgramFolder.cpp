#include "io/ProgramFolder.h"

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

} // namespace quirel
