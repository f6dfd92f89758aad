#include "io/DocumentName.h"

#include "document/Cp1252.h"

#include <string>

namespace quirel {

std::filesystem::path WithDocumentExtension(const std::filesystem::path& file)
{
    if (file.empty()) return file;
    const std::string name = file.filename().string();
    const std::string extension(kDocumentExtension);
    if (name.size() >= extension.size() && ToLower(name.substr(name.size() - extension.size())) == extension)
        return file;
    std::filesystem::path extended = file;
    extended += extension;
    return extended;
}

} // namespace quirel
