#pragma once

#include "document/Document.h"
#include "io/DocumentFile.h"
#include "io/FileError.h"
#include "io/FileLock.h"
#include "io/FilePort.h"

#include <ctime>
#include <filesystem>
#include <string_view>
#include <vector>

namespace quirel {

// Recovery copies live in the program's folder, one for each running program: "recuperacion-PID.4tf"
// ("recuperacion-PID-N.4tf" when that name is taken), each beside a lock file of the same name with
// ".lock" in place of ".4tf", which its program holds locked while it runs. The lock dies with its
// process, so a copy whose lock can be taken was left by a program that ended without saving:
// an orphan. "recuperacion.4tf", the single copy of earlier versions, is an orphan too. A copy that
// could not be read is set aside as "NAME-no-leida.4tf" and offered no more.

// True for every name the recovery copies use: the copies, their lock files and the copies set aside.
bool IsRecoveryFileName(std::string_view name);

// A recovery copy whose program is no longer running, locked by this program while it holds it
// (so no other program offers it at the same time).
struct OrphanCopy {
    std::filesystem::path file;
    std::time_t writtenAt = 0; // when it was last written
    FileLock lock;

    // Deletes the copy and its lock file.
    void Delete();
    // Renames the copy to a name that is not offered again and removes its lock file; returns the
    // new name, or an empty path when it could not be renamed (it stays and is offered again).
    std::filesystem::path SetAside();
};

// Finds the recovery copies in folder whose programs are no longer running and locks each of them,
// newest first. Lock files left without a copy by programs that ended are removed on the way;
// whatever belongs to a running program is left alone.
std::vector<OrphanCopy> TakeOrphanCopies(const std::filesystem::path& folder);

// This program's own recovery copy. Its name and lock are taken when it is first written and held
// until the program ends; no other program's copy is ever written or removed through it.
class RecoveryCopy {
public:
    explicit RecoveryCopy(std::filesystem::path folder)
        : m_folder(std::move(folder))
    {
    }
    // Releases the lock; the lock file goes too unless a copy is on disk, which is then an orphan
    // for the next start, as after a crash.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Writes document as this program's copy through port (written beside and put in place in one
    // step, so the copy on disk is always whole). WriteFailed with why when its lock file cannot be
    // made; otherwise WriteDocument's result.
    DocumentFileResult Write(const Document& document, FilePort& port);
    // Removes the copy when it is on disk (the name and lock stay this program's).
    void Remove();
    // Removes the copy and the lock file: the program ends with nothing to recover.
    void Discard();
    // Makes orphan, as it is on disk, this program's copy, with its lock. Refused (false, orphan
    // untouched) when this program already has a name of its own.
    bool Adopt(OrphanCopy& orphan);

    bool OnDisk() const { return m_onDisk; }
    // The copy's file; empty until a name is taken.
    const std::filesystem::path& File() const { return m_file; }
    const std::filesystem::path& Folder() const { return m_folder; }

private:
    FileError TakeName();

    std::filesystem::path m_folder;
    std::filesystem::path m_file;
    FileLock m_lock;
    bool m_onDisk = false;
};

} // namespace quirel
