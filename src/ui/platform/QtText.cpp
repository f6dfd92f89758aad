#include "platform/QtText.h"

#include "document/Cp1252.h"

namespace quirel {

QString FromCp1252(std::string_view text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

std::string ToCp1252(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t codePoint : text.toUcs4()) {
        const int byte = UnicodeToCp1252(codePoint);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

} // namespace quirel
