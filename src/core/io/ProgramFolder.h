#pragma once

#include <filesystem>

namespace quirel {

// The program's folder, where config.ini, the word lists, rey.log and the favourite colours live:
// the folder named by the environment variable QUIREL_HOME when it is set and not empty, else the
// folder of the running executable.
std::filesystem::path ProgramFolder();

} // namespace quirel
