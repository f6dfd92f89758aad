#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quirel {

// Windows-1252 bytes of the core shown as Qt text.
QString FromCp1252(std::string_view text);

// Text the user typed into a Qt box, as the core's Windows-1252 bytes. A character the code page
// cannot hold becomes "?", so it is neither lost unseen nor taken for a letter.
std::string ToCp1252(const QString& text);

} // namespace quirel
