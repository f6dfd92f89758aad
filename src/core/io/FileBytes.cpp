#include "io/FileBytes.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quirel {
namespace {

// Temporary copies are named ".quirel-HASH-PID-N.tmp": HASH (16 hexadecimal digits) stands for
// the name of the file they will replace, PID is the saving process. Earlier versions named them
// ".NAME.tmp-PID-SEED-N", which does not fit beside long names; those are cleaned up too.
constexpr std::string_view kCopyPrefix = ".quirel-";
constexpr std::string_view kCopySuffix = ".tmp";
constexpr std::string_view kOldCopyMarker = ".tmp-";

std::string NameHash(const std::filesystem::path& target)
{
    // FNV-1a over the bytes of the file name.
    std::uint64_t hash = 14695981039346656037ull;
    const std::filesystem::path name = target.filename();
    for (const unsigned char c : name.native()) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[hash & 15];
    return text;
}

// A name for the new file beside target that no other save picks at the same moment.
std::filesystem::path TemporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter { 0 };
    return target.parent_path()
        / (std::string(kCopyPrefix) + NameHash(target) + "-" + std::to_string(::getpid()) + "-"
            + std::to_string(counter.fetch_add(1)) + std::string(kCopySuffix));
}

// The process that wrote the copy called name, when name is a temporary copy of target; 0 otherwise.
long CopyOwner(std::string_view name, const std::filesystem::path& target)
{
    std::string_view digits;
    const std::string current = std::string(kCopyPrefix) + NameHash(target) + "-";
    const std::string old = "." + target.filename().native() + std::string(kOldCopyMarker);
    if (name.starts_with(current) && name.ends_with(kCopySuffix))
        digits = name.substr(current.size());
    else if (name.starts_with(old))
        digits = name.substr(old.size());
    else
        return 0;
    long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end == digits.data() || *end != '-' || pid <= 0) return 0;
    return pid;
}

bool IsRunning(long pid)
{
    return pid != ::getpid() && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
}

// Makes the rename itself durable; a folder that cannot be flushed does not undo the save.
void SyncFolder(const std::filesystem::path& folder)
{
    const FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

// Refuses a target that exists but is not a regular file: renaming over it would replace a
// device or fail only after the whole file was written.
FileError CheckTarget(const std::filesystem::path& target)
{
    struct stat info { };
    if (::stat(target.c_str(), &info) != 0) return {};
    if (S_ISDIR(info.st_mode)) return { FileProblem::IsFolder, EISDIR };
    if (!S_ISREG(info.st_mode)) return { FileProblem::NotRegularFile, 0 };
    return {};
}

// Writes bytes to the new file temporary, created here (an existing file of that name is never
// touched), with the permissions described for ReplaceFileContents.
FileError WriteNewFile(
    const std::filesystem::path& temporary, const std::filesystem::path& target, std::string_view bytes, FilePort& port)
{
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Get() < 0) return WriteErrorOf(errno);
    struct stat old { };
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.Get(), (old.st_mode & 0777) | S_IWUSR);
    int error = port.Write(fd.Get(), bytes);
    if (error == 0) error = port.Sync(fd.Get());
    if (!fd.Close() && error == 0) error = errno != 0 ? errno : EIO;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return WriteErrorOf(error);
    }
    return {};
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

FileReadStatus ReadFileBytes(
    const std::filesystem::path& file, std::size_t maxBytes, std::string& bytes, FileError* error)
{
    FileError ignored;
    FileError& why = error ? *error : ignored;
    why = {};
    bytes.clear();
    // Non-blocking open so that a named pipe does not wait for a writer; it is refused below.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        why = ReadErrorOf(errno);
        return FileReadStatus::Unreadable;
    }
    struct stat info { };
    if (::fstat(fd.Get(), &info) != 0) {
        why = ReadErrorOf(errno);
        return FileReadStatus::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        why = S_ISDIR(info.st_mode) ? FileError { FileProblem::IsFolder, EISDIR }
                                    : FileError { FileProblem::NotRegularFile, 0 };
        return FileReadStatus::Unreadable;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size > maxBytes) {
        why = { FileProblem::TooLarge, 0 };
        return FileReadStatus::TooLarge;
    }
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd.Get(), bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            why = ReadErrorOf(errno);
            bytes.clear();
            return FileReadStatus::Unreadable;
        }
        if (got == 0) break; // the file shrank while it was read: keep what was there
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return FileReadStatus::Done;
}

FileError ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes, FilePort& port)
{
    std::error_code error;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(file, error)) {
        const auto resolved = std::filesystem::canonical(file, error);
        if (!error) target = resolved;
    }
    if (const FileError refused = CheckTarget(target); !refused.Ok()) return refused;
    RemoveStaleCopies(target);
    const auto temporary = TemporaryName(target);
    if (const FileError failed = WriteNewFile(temporary, target, bytes, port); !failed.Ok()) return failed;
    if (const int renameError = port.Rename(temporary, target); renameError != 0) {
        ::unlink(temporary.c_str());
        return WriteErrorOf(renameError);
    }
    SyncFolder(target.parent_path());
    return {};
}

void RemoveStaleCopies(const std::filesystem::path& file)
{
    std::error_code error;
    const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return;
    for (auto entry = std::filesystem::begin(entries); entry != std::filesystem::end(entries); entry.increment(error)) {
        if (error) return;
        const long owner = CopyOwner(entry->path().filename().native(), file);
        if (owner == 0 || IsRunning(owner) || !entry->is_regular_file(error) || entry->is_symlink(error)) continue;
        std::filesystem::remove(entry->path(), error);
    }
}

} // namespace quirel
