#include "io/FileError.h"

#include "document/Cp1252.h"

#include <cerrno>

namespace quirel {
namespace {

// The problems both directions share.
FileProblem CommonProblem(int number)
{
    switch (number) {
    case EISDIR:
        return FileProblem::IsFolder;
    case EACCES:
    case EPERM:
        return FileProblem::NoPermission;
    case EROFS:
        return FileProblem::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return FileProblem::NoSpace;
    case ENAMETOOLONG:
        return FileProblem::NameTooLong;
    case EFBIG:
    case EOVERFLOW:
        return FileProblem::TooLarge;
    case ENXIO:
    case ENODEV:
        return FileProblem::NotRegularFile;
    default:
        return FileProblem::Other;
    }
}

} // namespace

FileError ReadErrorOf(int number)
{
    if (number == ENOENT) return { FileProblem::Missing, number };
    if (number == ENOTDIR) return { FileProblem::FolderMissing, number };
    return { CommonProblem(number), number };
}

FileError WriteErrorOf(int number)
{
    if (number == ENOENT || number == ENOTDIR) return { FileProblem::FolderMissing, number };
    return { CommonProblem(number), number };
}

std::string FileProblemText(const FileError& error)
{
    switch (error.problem) {
    case FileProblem::None:
        return {};
    case FileProblem::Missing:
        return "El fichero no existe.";
    case FileProblem::FolderMissing:
        return "La carpeta no existe.";
    case FileProblem::IsFolder:
        return "Es una carpeta, no un fichero.";
    case FileProblem::NotRegularFile:
        return "No es un fichero normal (es una tuber\xED"
               "a o un dispositivo).";
    case FileProblem::NoPermission:
        return "No tiene permiso para usar el fichero o su carpeta.";
    case FileProblem::ReadOnly:
        return "El disco o la carpeta son de solo lectura.";
    case FileProblem::NoSpace:
        return "No queda espacio en el disco.";
    case FileProblem::NameTooLong:
        return "El nombre del fichero es demasiado largo.";
    case FileProblem::TooLarge:
        return "El fichero es demasiado grande.";
    case FileProblem::Other:
        break;
    }
    return "Error del sistema n\xFAmero " + std::to_string(error.number) + ".";
}

std::string NameForMessage(const std::filesystem::path& file)
{
    const std::string& bytes = file.native();
    std::string shown;
    for (std::size_t at = 0; at < bytes.size();) {
        const char32_t code = DecodeUtf8At(bytes, at);
        if (code == kMalformedUtf8) return bytes;
        const int byte = UnicodeToCp1252(code);
        shown.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return shown;
}

} // namespace quirel
