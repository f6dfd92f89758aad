#include "io/FileBytes.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quirel {
namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name for the new file beside target that no other save picks at the same moment.
std::filesystem::path TemporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter { 0 };
    static const unsigned seed = std::random_device {}();
    const std::string suffix = ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(seed) + "-"
        + std::to_string(counter.fetch_add(1));
    return target.parent_path() / ("." + target.filename().string() + suffix);
}

// Makes the rename itself durable; a folder that cannot be flushed does not undo the save.
void SyncFolder(const std::filesystem::path& folder)
{
    const FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

// Writes bytes to the new file temporary, created here (an existing file of that name is never
// touched), with the permissions described for ReplaceFileContents.
bool WriteNewFile(const std::filesystem::path& temporary, const std::filesystem::path& target, std::string_view bytes)
{
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Get() < 0) return false;
    struct stat old { };
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.Get(), (old.st_mode & 0777) | S_IWUSR);
    const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0) ::close(m_fd);
}

bool FileDescriptor::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd >= 0 && ::close(fd) == 0;
}

FileReadStatus ReadFileBytes(const std::filesystem::path& file, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    // Non-blocking open so that a named pipe does not wait for a writer; it is refused below.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) return FileReadStatus::Unreadable;
    struct stat info { };
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileReadStatus::Unreadable;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size > maxBytes) return FileReadStatus::TooLarge;
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd.Get(), bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            bytes.clear();
            return FileReadStatus::Unreadable;
        }
        if (got == 0) break; // the file shrank while it was read: keep what was there
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return FileReadStatus::Done;
}

bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes)
{
    std::error_code error;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(file, error)) {
        const auto resolved = std::filesystem::canonical(file, error);
        if (!error) target = resolved;
    }
    const auto temporary = TemporaryName(target);
    if (!WriteNewFile(temporary, target, bytes)) return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

} // namespace quirel
