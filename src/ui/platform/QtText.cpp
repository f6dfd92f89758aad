#include "platform/QtText.h"

#include "document/Cp1252.h"

#include <QList>

namespace quirel {
namespace {
// text as Windows-1252 bytes with "?" for what the code page cannot hold; false when there was any.
bool ConvertToCp1252(const QString& text, std::string& out)
{
    bool exact = true;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t codePoint : text.toUcs4()) {
        const int byte = UnicodeToCp1252(codePoint);
        exact = exact && byte >= 0;
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return exact;
}
} // namespace

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
    ConvertToCp1252(text, out);
    return out;
}

std::optional<std::string> ToCp1252Exactly(const QString& text)
{
    std::string out;
    if (!ConvertToCp1252(text, out)) return std::nullopt;
    return out;
}

} // namespace quirel
