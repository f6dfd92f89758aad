#include "io/PageRange.h"

#include "document/Cp1252.h"
#include "io/IoMessages.h"
#include "io/ProgramFolder.h"

namespace quirel {
namespace {
constexpr int kTooLarge = 99999;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}
} // namespace

int ReadPageNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.empty()) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > kTooLarge) value = kTooLarge;
    }
    return value;
}

FolderNameCheck CheckFolderName(std::string_view folderName)
{
    if (folderName.empty()) return { FolderNameProblem::Empty, {} };
    if (IsSeparator(folderName.front()) || (folderName.size() >= 2 && folderName[1] == ':'))
        return { FolderNameProblem::Absolute, {} };
    bool first = true;
    std::size_t start = 0;
    while (start <= folderName.size()) {
        std::size_t end = start;
        while (end < folderName.size() && !IsSeparator(folderName[end]))
            ++end;
        const std::string_view part = folderName.substr(start, end - start);
        if (part == "..") return { FolderNameProblem::LeavesProgramFolder, {} };
        // The folder made in the program's folder must not take the name of one of its files.
        if (first && part != "." && !part.empty()) {
            if (IsProgramFileName(part)) return { FolderNameProblem::ProgramFileName, std::string(part) };
            first = false;
        }
        start = end + 1;
    }
    return {};
}

bool IsFolderNameAccepted(std::string_view folderName)
{
    return CheckFolderName(folderName).problem == FolderNameProblem::None;
}

std::string FolderNameRefusal(std::string_view folderName)
{
    const FolderNameCheck check = CheckFolderName(folderName);
    const std::string head = std::string(kFolderRefusedHead).append(folderName).append(kFolderRefusedMiddle);
    switch (check.problem) {
    case FolderNameProblem::None:
    case FolderNameProblem::Empty:
        return {};
    case FolderNameProblem::Absolute:
        return head + std::string(kFolderAbsoluteReason);
    case FolderNameProblem::LeavesProgramFolder:
        return head + std::string(kFolderLeavesReason);
    case FolderNameProblem::ProgramFileName:
        return head + "\"" + check.part + std::string(kFolderIsProgramFileReason);
    }
    return {};
}

bool IsPageRangeAccepted(PageRangeForm form, const PageRange& range, int pageCount)
{
    if (form == PageRangeForm::Export && !IsFolderNameAccepted(range.folderName)) return false;
    if (range.choice != RangeChoice::Interval) return true;
    const int first = range.firstPage;
    const int last = range.lastPage;
    return first > 0 && first < last && first < pageCount && last <= pageCount;
}

std::filesystem::path ExportFolder(const std::filesystem::path& programFolder, std::string_view folderName)
{
    std::string name = Cp1252ToUtf8(folderName);
    for (char& c : name)
        if (c == '\\') c = '/';
    return programFolder / std::filesystem::path(name);
}

} // namespace quirel
