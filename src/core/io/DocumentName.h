#pragma once

#include <filesystem>

namespace quirel {

// The extension of document files, which the file dialog's filter and the desktop's file type
// look for.
inline constexpr const char* kDocumentExtension = ".4tf";

// file with ".4tf" appended unless its name already ends in ".4tf" (in any case). A name with a
// dot elsewhere ("Carta a la Sra. Lopez", "notas.txt") still gets it, so that every saved document
// carries the extension. An empty path stays empty.
std::filesystem::path WithDocumentExtension(const std::filesystem::path& file);

} // namespace quirel
