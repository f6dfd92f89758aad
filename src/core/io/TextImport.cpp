#include "io/TextImport.h"

#include "document/Cp1252.h"
#include "io/FileBytes.h"

namespace quirel {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kEndMark = '\x1A';
} // namespace

std::string JoinTextLines(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == kCr) {
            if (i + 1 < bytes.size() && bytes[i + 1] == kLf) ++i;
        } else if (c != kEndMark) {
            text.push_back(c);
        }
    }
    return text;
}

TextFileContents ReadTextFile(const std::filesystem::path& path)
{
    std::string bytes;
    switch (ReadFileBytes(path, kMaxTextFileBytes, bytes)) {
    case FileReadStatus::Done:
        return { TextImportStatus::Done, JoinTextLines(bytes) };
    case FileReadStatus::Unreadable:
        return { TextImportStatus::Unreadable, {} };
    case FileReadStatus::TooLarge:
        return { TextImportStatus::FileTooLarge, {} };
    }
    return { TextImportStatus::Unreadable, {} };
}

TextImportStatus ImportText(Document& document, std::string text, std::string_view face)
{
    if (document.SetText(std::move(text)) == EditStatus::Refused) return TextImportStatus::TooManyTokens;
    document.Fonts().Reset(face);
    document.Current().emoticon = 0;
    document.Records().Reset(document.CurrentRecord());
    return TextImportStatus::Done;
}

std::string TextImportMessage(TextImportStatus status, const std::filesystem::path& path)
{
    const std::string name = Utf8ToCp1252(path.string());
    switch (status) {
    case TextImportStatus::Done:
        return {};
    case TextImportStatus::Unreadable:
        return Utf8ToCp1252("No se ha podido leer el fichero de texto\r\n") + name
            + Utf8ToCp1252("\r\nEl documento actual no se ha modificado.");
    case TextImportStatus::FileTooLarge:
        return Utf8ToCp1252("El fichero es demasiado grande para leerlo como texto:\r\n") + name
            + Utf8ToCp1252("\r\nEl documento actual no se ha modificado.");
    case TextImportStatus::TooManyTokens:
        return Utf8ToCp1252("El texto tiene más de 300000 palabras, espacios y signos y no se puede leer:\r\n") + name
            + Utf8ToCp1252("\r\nEl documento actual no se ha modificado.");
    }
    return {};
}

} // namespace quirel
