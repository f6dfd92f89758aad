#include "document/AcuteAccent.h"

namespace quirel {

std::string StripAcuteAccents(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(WithoutAcuteAccent(static_cast<unsigned char>(c)));
    return out;
}

} // namespace quirel
