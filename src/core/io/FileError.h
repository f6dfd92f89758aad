#pragma once

#include <filesystem>
#include <string>

namespace quirel {

// Why a file could not be read or written, in the terms the user is told.
enum class FileProblem {
    None,
    Missing, // the file does not exist
    FolderMissing, // a folder of the name does not exist
    IsFolder, // the name is a folder
    NotRegularFile, // a pipe, a device or a socket
    NoPermission,
    ReadOnly, // the disk or the folder does not allow writing
    NoSpace, // no space (or no quota) left on the disk
    NameTooLong,
    TooLarge, // larger than the program reads, or than the file system allows
    Other,
};

// A failed file operation: the problem and the system's error number (0 when none applies).
struct FileError {
    FileProblem problem = FileProblem::None;
    int number = 0;

    bool Ok() const { return problem == FileProblem::None; }
    bool operator==(const FileError&) const = default;
};

// The problem an error number of an open or read means (ENOENT: the file is missing).
FileError ReadErrorOf(int number);
// The problem an error number of a create, write, flush or rename means (ENOENT: a folder is missing).
FileError WriteErrorOf(int number);

// One sentence in Spanish (Windows-1252) saying what went wrong, for the program's messages;
// empty for None.
std::string FileProblemText(const FileError& error);

// A file name as the program's messages show it (Windows-1252): UTF-8 names are converted, and
// names that are not UTF-8 are taken byte for byte, as they were typed.
std::string NameForMessage(const std::filesystem::path& file);

} // namespace quirel
