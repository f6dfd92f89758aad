#pragma once

#include "document/Cp1252.h"

#include <string>

// Test texts are written in UTF-8 and handed to the program as Windows-1252 bytes.
inline std::string W(const char* utf8)
{
    return quirel::Utf8ToCp1252(utf8);
}
