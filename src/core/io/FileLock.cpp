#include "io/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quirel {

FileLock::~FileLock()
{
    Release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_file(std::move(other.m_file))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
        m_file = std::move(other.m_file);
    }
    return *this;
}

FileLock FileLock::TryTake(const std::filesystem::path& file, Create create, int* error)
{
    const int flags = O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (create == Create::OnlyNew ? O_EXCL : 0);
    int lastError = 0;
    // A holder removes its lock file while it still holds the lock: a lock taken on a file that has
    // gone, or been made anew, in the meantime is worth nothing, and the name is tried again.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = ::open(file.c_str(), flags, 0644);
        if (fd < 0) {
            lastError = errno;
            break;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            lastError = errno;
            ::close(fd);
            break;
        }
        struct stat opened { };
        struct stat named { };
        if (::fstat(fd, &opened) == 0 && ::lstat(file.c_str(), &named) == 0 && opened.st_dev == named.st_dev
            && opened.st_ino == named.st_ino) {
            FileLock lock;
            lock.m_fd = fd;
            lock.m_file = file;
            return lock;
        }
        lastError = ESTALE;
        ::close(fd);
    }
    if (error) *error = lastError;
    return {};
}

void FileLock::RemoveAndRelease()
{
    if (m_fd >= 0) ::unlink(m_file.c_str());
    Release();
}

void FileLock::Release()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

} // namespace quirel
