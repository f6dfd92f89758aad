#pragma once

#include <cstddef>
#include <string_view>

namespace quirel {

// Calls take(line) for each line of text, without its line end (LF, or CR LF); a last line without
// a line end counts, an empty text has no lines.
template <typename Take> void ForEachLine(std::string_view text, Take take)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        take(line);
        start = end + 1;
    }
}

} // namespace quirel
