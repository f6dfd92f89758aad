#pragma once

#include "io/FileError.h"
#include "io/FilePort.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

// Owns an open file descriptor and closes it at the end of its scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    // The descriptor; negative when the open failed.
    int Get() const { return m_fd; }
    // Closes now; false when the close reported an error (such as a delayed write error).
    bool Close();

private:
    int m_fd;
};

// Outcome of reading a whole file.
enum class FileReadStatus {
    Done,
    Unreadable, // missing, not a regular file, or an open or read error; bytes is empty
    TooLarge, // longer than the limit the caller gave; bytes is empty
};

// Reads every byte of file into bytes. Only regular files are read (a pipe or a device would block
// or never end). Files longer than maxBytes are refused before anything is read. When error is
// given it receives why the file was not read (None after Done).
FileReadStatus ReadFileBytes(
    const std::filesystem::path& file, std::size_t maxBytes, std::string& bytes, FileError* error = nullptr);

// Replaces the content of file with bytes so that a failure at any point leaves the old file as it
// was: the bytes go to a new file in the same folder (under a short name of its own, so that names
// up to the file system's limit can be saved), are flushed to the disk, and that file is then
// renamed over the old one in one step. A symbolic link is followed and its target replaced; a
// target that is not a regular file (a folder, a pipe, a device) is refused. The new file keeps
// the old file's permission bits with the owner's write permission added (a save replaces a
// read-only file, as long as the folder is writable); a new file gets the usual permissions of new
// files. Copies that earlier saves of file left behind when they were interrupted are removed
// first. Writes go through port. Returns why the file could not be replaced (nothing is left
// behind then), or no problem.
FileError ReplaceFileContents(
    const std::filesystem::path& file, std::string_view bytes, FilePort& port = SystemFiles());

// Removes the temporary copies that interrupted saves of file left in its folder: those of this
// program and those of saves by programs that are no longer running (a save in progress in another
// running program is left alone). Failures are ignored.
void RemoveStaleCopies(const std::filesystem::path& file);

} // namespace quirel
