#pragma once

#include <array>
#include <string_view>

namespace quirel {

// Names of the program's own data files in its folder that the language subsystem reads. They
// live here, beside the other files of the folder, so the folder's file rules can name them
// without depending on the readers.

// The accent model.
inline constexpr const char* kAccentModelFileName = "tildes.dat";

// The word lists, in the order they are loaded at start-up (the order of WordListId).
inline constexpr std::array<std::string_view, 5> kWordListFileNames
    = { "dictionary.log", "diccionario.log", "verbos.log", "npropios.log", "Apellidos.log" };

} // namespace quirel
