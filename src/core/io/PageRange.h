#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

// Which pages an export or a print covers.
enum class RangeChoice {
    None = 0, // the dialog was left with "Salir"; the next opening shows the single page again
    SinglePage = 1, // the page shown when the command was given
    Interval = 2,
    AllPages = 3,
};

// The page-range dialog's two forms: export (folder box and "Grabar") or print ("Imprimir").
enum class PageRangeForm { Export, Print };

// What the page-range dialog opens with.
struct PageRangeRequest {
    PageRangeForm form = PageRangeForm::Export;
    RangeChoice choice = RangeChoice::SinglePage; // the option checked on opening (None shows SinglePage)
    int shownPage = 1; // named in the single-page option
    int pageCount = 1; // the pages of the last layout, the bound of an interval
};

// What the page-range dialog gives back.
struct PageRange {
    RangeChoice choice = RangeChoice::SinglePage;
    int firstPage = 0; // the interval, as read from the page boxes (0 for text that is not a number)
    int lastPage = 0;
    std::string folderName; // the folder box (export form), Windows-1252, exactly as typed
    bool cancelled = false; // left with "Salir" (or the close box or Escape); choice is then None
};

// A page box read as a number: decimal digits with blanks around them; anything else reads 0.
// Numbers too large for any page read as 99999.
int ReadPageNumber(std::string_view text);

// Why an export folder name is refused.
enum class FolderNameProblem {
    None,
    Empty,
    Absolute, // a leading "/" or "\", or a drive letter
    LeavesProgramFolder, // ".." among its parts
    ProgramFileName, // its first part is the name of one of the program's own files
};
struct FolderNameCheck {
    FolderNameProblem problem = FolderNameProblem::None;
    std::string part; // for ProgramFileName: the part that takes the file's name
};

// Checks that folderName names a folder inside the program's folder: not empty, not absolute (no
// leading "/" or "\", no drive letter), without ".." among its parts ("/" and "\" both separate
// parts), and not beginning with the name of one of the program's own files ("config.ini",
// "tildes.dat"; see IsProgramFileName).
FolderNameCheck CheckFolderName(std::string_view folderName);
// True when CheckFolderName finds no problem.
bool IsFolderNameAccepted(std::string_view folderName);
// What the user is told (Windows-1252) when the export dialog refuses folderName: the name and
// the reason; empty for an accepted name and for an empty box, which is refused without a message.
std::string FolderNameRefusal(std::string_view folderName);

// The dialog's acceptance rule for "Grabar" (export form) and "Imprimir" (print form): an interval
// needs 0 < first < last, first < pageCount and last <= pageCount; the export form also needs an
// accepted folder name whatever the choice. Anything refused keeps the dialog open; a refused
// folder name is explained (FolderNameRefusal), an empty box or a refused interval is not.
bool IsPageRangeAccepted(PageRangeForm form, const PageRange& range, int pageCount);

// Where the pages of an export go: the program's folder and the folder name, "\" read as a
// separator and the Windows-1252 text turned into the file system's UTF-8.
std::filesystem::path ExportFolder(const std::filesystem::path& programFolder, std::string_view folderName);

} // namespace quirel
