#include "io/FilePort.h"

#include <cerrno>
#include <cstdio>
#include <sys/types.h>
#include <unistd.h>

namespace quirel {

int FilePort::Write(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int FilePort::WriteAt(int fd, std::string_view bytes, std::int64_t offset)
{
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return 0;
}

int FilePort::Sync(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

int FilePort::Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

FilePort& SystemFiles()
{
    static FilePort system;
    return system;
}

} // namespace quirel
