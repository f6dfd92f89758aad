#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

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

// Reads ("get") or writes ("save") all nine settings of folder/config.ini; any other mode does
// nothing. Reading: a missing file, section or key gives the default; a number is read like
// " 12" → 12, "abc" → 0, "" → 0, "12.6" → 13; a number that does not fit its field's width falls
// back to that key's default. Writing rewrites the nine keys in place, keeps every other line of
// the file, and returns false when the file cannot be written (the settings stay in memory).
bool LoadSaveSettings(std::string_view mode, Settings& settings, const std::filesystem::path& folder);

// The number at the start of text: leading blanks, an optional sign, digits and an optional
// fraction; 0 when the text does not begin with a number.
double ParseProfileNumber(std::string_view text);

} // namespace quirel
