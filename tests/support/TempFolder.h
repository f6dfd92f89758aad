#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh folder of its own under the system's temporary folder, removed with everything in it at
// the end. Core, UI and tool tests all use it.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        // create_directory refuses a folder that exists: no two tests ever share one.
        do {
            m_path = std::filesystem::temp_directory_path()
                / ("quirel-test-" + std::to_string(seed()) + std::to_string(seed()));
        } while (!std::filesystem::create_directory(m_path));
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_path / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // How many files (not folders) the folder holds, at any depth.
    std::size_t FileCount() const
    {
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path))
            files += entry.is_regular_file() ? 1 : 0;
        return files;
    }

private:
    std::filesystem::path m_path;
};
