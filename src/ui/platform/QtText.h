#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quirel {

// The one place where the core's Windows-1252 bytes and Qt's text meet.

// Windows-1252 bytes of the core shown as Qt text.
QString FromCp1252(std::string_view text);

// Text the user typed into a Qt box, as the core's Windows-1252 bytes. A character the code page
// cannot hold becomes "?", so it is neither lost unseen nor taken for a letter.
std::string ToCp1252(const QString& text);

// The same when the code page holds every character of text; nothing when it holds one not, for
// input that is taken whole or refused (a typed key, a search word).
std::optional<std::string> ToCp1252Exactly(const QString& text);

} // namespace quirel
