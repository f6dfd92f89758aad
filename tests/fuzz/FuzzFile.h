#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quirel::fuzz {

// A folder of this fuzzing process for the readers that take a file, removed at exit.
inline const std::filesystem::path& Folder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("quirel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return path;
    }();
    return folder;
}

// Writes the input as the file name in Folder() and returns its path.
inline std::filesystem::path WriteInput(const char* name, const std::uint8_t* data, std::size_t size)
{
    const auto path = Folder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// Stops the run with a finding when a rule of the reader does not hold.
inline void Check(bool holds)
{
    if (!holds) __builtin_trap();
}

} // namespace quirel::fuzz
