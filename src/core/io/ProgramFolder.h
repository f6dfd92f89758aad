#pragma once

#include <filesystem>
#include <string_view>

namespace quirel {

// The program's folder, where config.ini, the word lists, rey.log and the favourite colours live:
// the folder named by the environment variable QUIREL_HOME when it is set and not empty, else the
// folder of the running executable.
std::filesystem::path ProgramFolder();

// The single recovery copy of earlier versions; each running program now keeps its own (see
// RecoveryCopy.h), and this one is still offered at start.
inline constexpr std::string_view kRecoveryFileName = "recuperacion.4tf";

// True when name is one of the files the program keeps in its folder: config.ini, the word lists,
// rey.log, "Mis Colores.log", the accent model tildes.dat, a recovery copy or its lock file, or a
// temporary copy of a save in progress. A folder of such a name would keep the program from
// reading or writing that file.
bool IsProgramFileName(std::string_view name);

} // namespace quirel
