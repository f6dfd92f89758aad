#pragma once

#include "io/FilePort.h"

#include <cerrno>
#include <cstddef>
#include <string_view>

namespace quirel {

// The system's file operations with faults put in: a disk that fills up after writeLimit bytes
// (the bytes before the limit are written, then ENOSPC, as a full disk does), and a rename that
// fails with renameError.
class FailingFiles : public FilePort {
public:
    std::size_t writeLimit = static_cast<std::size_t>(-1);
    int renameError = 0;
    std::size_t written = 0; // bytes let through so far

    int Write(int fd, std::string_view bytes) override
    {
        return Limited(bytes, [&](std::string_view part) { return FilePort::Write(fd, part); });
    }
    int WriteAt(int fd, std::string_view bytes, std::int64_t offset) override
    {
        return Limited(bytes, [&](std::string_view part) { return FilePort::WriteAt(fd, part, offset); });
    }
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        return renameError != 0 ? renameError : FilePort::Rename(from, to);
    }

private:
    template <typename Write> int Limited(std::string_view bytes, Write&& write)
    {
        const std::size_t room = writeLimit - written;
        const std::string_view part = bytes.substr(0, room);
        if (const int error = write(part); error != 0) return error;
        written += part.size();
        return part.size() < bytes.size() ? ENOSPC : 0;
    }
};

} // namespace quirel
