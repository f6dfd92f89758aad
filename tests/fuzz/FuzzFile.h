#pragma once

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace quirel::fuzz {

// A folder of this fuzzing process for the readers that take a file. libFuzzer may end the
// process without running exit handlers, so the folders of fuzzers that are no longer running
// are removed when the next one starts.
inline const std::filesystem::path& Folder()
{
    static const std::filesystem::path folder = [] {
        constexpr std::string_view kPrefix = "quirel-fuzz-";
        const auto temporary = std::filesystem::temp_directory_path();
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(temporary, error)) {
            const std::string name = entry.path().filename().string();
            if (!name.starts_with(kPrefix)) continue;
            const long pid = std::atol(name.c_str() + kPrefix.size());
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), error);
        }
        auto path = temporary / (std::string(kPrefix) + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
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
