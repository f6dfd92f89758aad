#pragma once

#include "io/FileError.h"
#include "io/FilePort.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

class ProfileFile;

inline constexpr const char* kSettingsFileName = "config.ini";

// The nine user settings kept in config.ini. Colours are 0x00BBGGRR.
struct Settings {
    std::int32_t backgroundColor = 16777215;
    std::int32_t textColor = 0;
    std::int32_t cursorColor = 0;
    std::int32_t shadowColor = 12632256;
    std::int16_t margin = 40;
    std::int16_t tabWidth = 6;
    std::string fontName = "Candara";
    std::int16_t fontSize = 10;
    std::uint8_t cursorChar = 124;
};

// The settings a settings file holds, each key read over its default: a missing section or key
// gives the default; a number is read like " 12" → 12, "abc" → 0, "" → 0, "12.6" → 13; a number
// that does not fit its field's width, and a face name that a document file cannot store (one
// holding "|"), fall back to that key's default.
Settings SettingsFromProfile(const ProfileFile& file);
// Writes the nine settings into file, each key in place where it already stands.
void StoreSettings(const Settings& settings, ProfileFile& file);

// Reads folder/config.ini into settings as SettingsFromProfile does. Only a regular file of
// bounded size is read: anything else (a folder, a pipe, a device, an unreadable file) gives the
// defaults, and the result says why. A missing file gives the defaults and no problem.
FileError ReadSettingsFile(Settings& settings, const std::filesystem::path& folder);
// Writes the nine settings into folder/config.ini, keeping every other line of the file. The old
// file is replaced only once the new one is completely written (through port), so a failed write
// leaves it as it was; a file that exists but cannot be read is not replaced (its other lines
// would be lost). Returns why the file was not written; the settings in memory stay as they are.
FileError WriteSettingsFile(
    const Settings& settings, const std::filesystem::path& folder, FilePort& port = SystemFiles());

// Reads ("get") or writes ("save") all nine settings of folder/config.ini as the two functions
// above do; any other mode does nothing. False when a save failed.
bool LoadSaveSettings(std::string_view mode, Settings& settings, const std::filesystem::path& folder);

// The messages for the user (Windows-1252) when the settings file could not be read or written.
std::string SettingsReadMessage(const FileError& error, const std::filesystem::path& folder);
std::string SettingsWriteMessage(const FileError& error, const std::filesystem::path& folder);

// The number at the start of text: leading blanks, an optional sign, digits and an optional
// fraction; 0 when the text does not begin with a number.
double ParseProfileNumber(std::string_view text);

} // namespace quirel
