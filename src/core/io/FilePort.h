#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace quirel {

// The operations through which the program writes its files. The system's own (SystemFiles())
// serve everywhere; a test puts a port in their place that fails as a full disk or a broken
// device would. Each returns 0 or the system's error number.
class FilePort {
public:
    virtual ~FilePort() = default;
    // Writes all of bytes to the open file fd at its position; on failure the bytes before the
    // failed write may be in the file.
    virtual int Write(int fd, std::string_view bytes);
    // The same at offset, without moving the position.
    virtual int WriteAt(int fd, std::string_view bytes, std::int64_t offset);
    // Flushes what was written to fd to the disk.
    virtual int Sync(int fd);
    // Renames from to to in one step, replacing a file named to.
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

// The system's file operations.
FilePort& SystemFiles();

} // namespace quirel
