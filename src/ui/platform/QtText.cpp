#include "platform/QtText.h"

#include "document/Cp1252.h"

#include <QList>

namespace quirel {

QString FromCp1252(std::string_view text)
{
    // Every byte is one UTF-16 unit: the code page's characters all lie in the basic plane.
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* unit = out.data();
    for (const char c : text)
        *unit++ = QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return out;
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
