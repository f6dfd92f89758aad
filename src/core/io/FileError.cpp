#include "io/FileError.h"

#include "document/Cp1252.h"
#include "io/IoMessages.h"

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
        return std::string(kFileMissingReason);
    case FileProblem::FolderMissing:
        return std::string(kFolderMissingReason);
    case FileProblem::IsFolder:
        return std::string(kIsFolderReason);
    case FileProblem::NotRegularFile:
        return std::string(kNotRegularFileReason);
    case FileProblem::NoPermission:
        return std::string(kNoPermissionReason);
    case FileProblem::ReadOnly:
        return std::string(kReadOnlyReason);
    case FileProblem::NoSpace:
        return std::string(kNoSpaceReason);
    case FileProblem::NameTooLong:
        return std::string(kNameTooLongReason);
    case FileProblem::TooLarge:
        return std::string(kFileTooLargeReason);
    case FileProblem::Other:
        break;
    }
    return std::string(kSystemErrorHead) + std::to_string(error.number) + std::string(kSystemErrorTail);
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
