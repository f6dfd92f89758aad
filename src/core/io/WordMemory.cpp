#include "io/WordMemory.h"

#include "document/Cp1252.h"
#include "io/FileBytes.h"
#include "io/IoMessages.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quirel {
namespace {

// Records read from the file at a time; a thousand words need one read.
constexpr std::size_t kRecordsPerRead = 1024;

// The word of one record: up to its zero byte (the whole record when there is none), trimmed.
std::string_view RecordWord(const char* record)
{
    const void* zero = std::memchr(record, 0, kWordMemoryRecordSize);
    const std::size_t length
        = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - record) : kWordMemoryRecordSize;
    return TrimBlanks(std::string_view(record, length));
}

// True when text starts with lowerPrefix once text is lower-cased.
bool StartsWithLowered(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (ToLowerByte(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(lowerPrefix[i]))
            return false;
    }
    return true;
}

bool ReadAt(int fd, char* buffer, std::size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t got = ::pread(fd, buffer, size, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        buffer += got;
        size -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

} // namespace

WordMemory::WordMemory(const std::filesystem::path& folder)
    : m_file(folder / kWordMemoryFileName)
{
}

template <typename Visit> bool WordMemory::ScanRecords(Visit&& visit) const
{
    FileDescriptor fd(::open(m_file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) return false;
    struct stat info { };
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size % kWordMemoryRecordSize != 0) return false;
    std::array<char, kRecordsPerRead * kWordMemoryRecordSize> buffer;
    for (std::size_t offset = 0; offset < size; offset += buffer.size()) {
        const std::size_t chunk = std::min(buffer.size(), size - offset);
        // A file that shrinks while it is read ends the scan at what could be read.
        if (!ReadAt(fd.Get(), buffer.data(), chunk, static_cast<off_t>(offset))) return true;
        for (std::size_t record = 0; record < chunk; record += kWordMemoryRecordSize) {
            if (visit(RecordWord(buffer.data() + record))) return true;
        }
    }
    return true;
}

std::string WordMemory::CompleteWord(std::string_view prefix) const
{
    const std::string lowerPrefix = ToLower(TrimBlanks(prefix));
    std::string result;
    ScanRecords([&](std::string_view word) {
        if (word.size() <= lowerPrefix.size() || !StartsWithLowered(word, lowerPrefix)) return false;
        result = std::string(TrimBlanks(word.substr(lowerPrefix.size())));
        return true;
    });
    return result;
}

bool WordMemory::IsRemembered(std::string_view word) const
{
    const std::string lowerWord = ToLower(TrimBlanks(word));
    bool found = false;
    ScanRecords([&](std::string_view stored) {
        found = stored.size() == lowerWord.size() && StartsWithLowered(stored, lowerWord);
        return found;
    });
    return found;
}

RememberStatus WordMemory::RememberWord(
    std::string_view word, const KnownWordTest& isKnown, FilePort& port, FileError* error) const
{
    const std::string_view trimmed = TrimBlanks(word);
    // The word as its record will read back (cut to 29 bytes, ended at a zero byte, trimmed): testing
    // that form keeps a word that does not fit a record from being stored again on every call.
    std::string_view stored = trimmed.substr(0, kWordMemoryWordLength);
    stored = TrimBlanks(stored.substr(0, stored.find('\0')));
    if (stored.empty()) return RememberStatus::Empty;
    const auto letters = std::count_if(
        stored.begin(), stored.end(), [](char c) { return IsLetterByte(static_cast<unsigned char>(c)); });
    if (static_cast<std::size_t>(letters) < kWordMemoryMinLetters) return RememberStatus::TooShort;
    if (!isKnown(trimmed)) return RememberStatus::NotKnown;
    if (IsRemembered(stored)) return RememberStatus::AlreadyRemembered;

    FileError ignored;
    FileError& why = error ? *error : ignored;
    FileDescriptor fd(::open(m_file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    struct stat info { };
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) {
        why = WriteErrorOf(errno);
        return RememberStatus::WriteFailed;
    }
    if (!S_ISREG(info.st_mode)) {
        why = { FileProblem::NotRegularFile, 0 };
        return RememberStatus::WriteFailed;
    }
    std::array<char, kWordMemoryRecordSize> record {};
    std::copy(stored.begin(), stored.end(), record.begin());
    // Writing at the last whole record overwrites an incomplete one and so mends the file.
    const auto offset = static_cast<std::size_t>(info.st_size) / kWordMemoryRecordSize * kWordMemoryRecordSize;
    const int failed
        = port.WriteAt(fd.Get(), std::string_view(record.data(), record.size()), static_cast<std::int64_t>(offset));
    if (failed != 0) {
        why = WriteErrorOf(failed);
        return RememberStatus::WriteFailed;
    }
    return RememberStatus::Stored;
}

std::string WordMemoryWriteMessage(const FileError& error, const std::filesystem::path& file)
{
    return std::string(kWordMemoryNotWrittenHead) + NameForMessage(file) + "\r\n" + FileProblemText(error)
        + std::string(kWordMemoryNotWrittenTail);
}

} // namespace quirel
