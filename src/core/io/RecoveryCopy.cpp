#include "io/RecoveryCopy.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quirel {
namespace {

constexpr std::string_view kStemHead = "recuperacion";
constexpr std::string_view kCopySuffix = ".4tf";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kAsideMark = "-no-leida";

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "recuperacion", "recuperacion-PID" or "recuperacion-PID-N": the name of a copy without its suffix.
bool IsCopyStem(std::string_view stem)
{
    if (!stem.starts_with(kStemHead)) return false;
    stem.remove_prefix(kStemHead.size());
    if (stem.empty()) return true;
    if (stem.front() != '-') return false;
    stem.remove_prefix(1);
    const auto dash = stem.find('-');
    if (dash == std::string_view::npos) return AllDigits(stem);
    return AllDigits(stem.substr(0, dash)) && AllDigits(stem.substr(dash + 1));
}

std::filesystem::path WithSuffix(const std::filesystem::path& folder, std::string_view stem, std::string_view suffix)
{
    return folder / (std::string(stem) + std::string(suffix));
}

bool Exists(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(file, error));
}

std::filesystem::path LockOf(const std::filesystem::path& copy)
{
    auto lock = copy;
    return lock.replace_extension(kLockSuffix);
}

} // namespace

bool IsRecoveryFileName(std::string_view name)
{
    return name.starts_with(kStemHead) && (name.ends_with(kCopySuffix) || name.ends_with(kLockSuffix));
}

void OrphanCopy::Delete()
{
    std::error_code error;
    std::filesystem::remove(file, error);
    lock.RemoveAndRelease();
}

std::filesystem::path OrphanCopy::SetAside()
{
    const std::string stem = file.stem().native();
    for (int n = 1; n < 100; ++n) {
        const std::string aside = stem + std::string(kAsideMark) + (n > 1 ? "-" + std::to_string(n) : "");
        const auto target = WithSuffix(file.parent_path(), aside, kCopySuffix);
        if (Exists(target)) continue;
        std::error_code error;
        std::filesystem::rename(file, target, error);
        if (error) break;
        lock.RemoveAndRelease();
        return target;
    }
    lock.Release();
    return {};
}

std::vector<OrphanCopy> TakeOrphanCopies(const std::filesystem::path& folder)
{
    std::vector<OrphanCopy> orphans;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return orphans;
    std::vector<std::string> copies;
    std::vector<std::string> locks;
    for (auto entry = std::filesystem::begin(entries); entry != std::filesystem::end(entries); entry.increment(error)) {
        if (error) break;
        const std::string name = entry->path().filename().native();
        const std::string_view view(name);
        if (view.ends_with(kCopySuffix) && IsCopyStem(view.substr(0, view.size() - kCopySuffix.size())))
            copies.push_back(name);
        else if (view.ends_with(kLockSuffix) && IsCopyStem(view.substr(0, view.size() - kLockSuffix.size())))
            locks.push_back(name);
    }
    for (const std::string& name : copies) {
        const auto copy = folder / name;
        FileLock lock = FileLock::TryTake(LockOf(copy), FileLock::Create::IfMissing);
        if (!lock.Held()) continue; // its program runs, or another one is offering it right now
        struct stat status { };
        // Taken after the listing: the copy may have been saved or given up meanwhile.
        if (::stat(copy.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            lock.RemoveAndRelease();
            continue;
        }
        orphans.push_back({ copy, status.st_mtime, std::move(lock) });
    }
    for (const std::string& name : locks) {
        const auto lockFile = folder / name;
        auto copy = lockFile;
        copy.replace_extension(kCopySuffix);
        if (Exists(copy)) continue;
        FileLock lock = FileLock::TryTake(lockFile, FileLock::Create::IfMissing);
        if (lock.Held() && !Exists(copy)) lock.RemoveAndRelease();
    }
    std::stable_sort(orphans.begin(), orphans.end(),
        [](const OrphanCopy& a, const OrphanCopy& b) { return a.writtenAt > b.writtenAt; });
    return orphans;
}

RecoveryCopy::~RecoveryCopy()
{
    if (!m_onDisk) m_lock.RemoveAndRelease();
}

FileError RecoveryCopy::TakeName()
{
    const std::string pid = std::to_string(::getpid());
    int lastError = 0;
    for (int n = 1; n < 100; ++n) {
        const std::string stem = std::string(kStemHead) + "-" + pid + (n > 1 ? "-" + std::to_string(n) : "");
        const auto copy = WithSuffix(m_folder, stem, kCopySuffix);
        // A copy of that name is another program's (one that had the same process id), or no copy.
        if (Exists(copy)) continue;
        FileLock lock
            = FileLock::TryTake(WithSuffix(m_folder, stem, kLockSuffix), FileLock::Create::OnlyNew, &lastError);
        if (!lock.Held()) {
            if (lastError == EEXIST || lastError == ESTALE) continue;
            break;
        }
        m_lock = std::move(lock);
        m_file = copy;
        return {};
    }
    return WriteErrorOf(lastError == 0 ? EEXIST : lastError);
}

DocumentFileResult RecoveryCopy::Write(const Document& document, FilePort& port)
{
    if (!m_lock.Held()) {
        if (const FileError error = TakeName(); !error.Ok()) return { DocumentFileStatus::WriteFailed, error };
    }
    const auto result = WriteDocument(document, m_file, port);
    if (result == DocumentFileStatus::Done) m_onDisk = true;
    return result;
}

void RecoveryCopy::Remove()
{
    if (m_onDisk) {
        std::error_code error;
        std::filesystem::remove(m_file, error);
    }
    m_onDisk = false;
}

void RecoveryCopy::Discard()
{
    Remove();
    m_lock.RemoveAndRelease();
}

bool RecoveryCopy::Adopt(OrphanCopy& orphan)
{
    if (m_lock.Held() || !orphan.lock.Held()) return false;
    m_lock = std::move(orphan.lock);
    m_file = orphan.file;
    m_onDisk = true;
    return true;
}

} // namespace quirel
