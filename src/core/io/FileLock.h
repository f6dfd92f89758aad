#pragma once

#include <filesystem>

namespace quirel {

// An exclusive advisory lock (flock) on a lock file, held while the object lives. The system drops
// it when the process ends, however it ends, so a lock that can be taken tells that its former
// holder is no longer running (a reused process id cannot pretend otherwise).
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    enum class Create { IfMissing, OnlyNew };
    // Opens file (created when missing; with OnlyNew an existing file is refused) and locks it
    // without waiting. The lock returned is not held when another holder has it, when file cannot
    // be opened or made (error then receives the system's error number: EWOULDBLOCK for a held
    // lock, EEXIST for an existing file with OnlyNew), or when the file keeps being removed or
    // replaced under it. A held lock is always on the file that has the name now.
    static FileLock TryTake(const std::filesystem::path& file, Create create, int* error = nullptr);

    bool Held() const { return m_fd >= 0; }
    const std::filesystem::path& File() const { return m_file; }
    // Removes the lock file while the lock is still held, then releases it; so nobody else can be
    // holding a lock on a file of that name that has gone.
    void RemoveAndRelease();
    // Releases the lock and leaves the file.
    void Release();

private:
    int m_fd = -1;
    std::filesystem::path m_file;
};

} // namespace quirel
