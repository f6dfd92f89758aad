#include "layout/EmoticonNames.h"

#include <array>

namespace quirel {

namespace {

// Windows-1252: \xF1 is ñ, \xA1 is ¡.
constexpr std::array<const char*, 26> kNamedEmoticons = {
    "enfadado",
    "pesta\xF1"
    "ear",
    "sonrojo",
    "alegre",
    "guay",
    "diablo",
    "mareado",
    "ellos",
    "es",
    "(amplia) sonrisa",
    "besos",
    "risue\xF1o",
    "pellizco",
    "triste",
    "sorprendido",
    "enfermo",
    "de reojo",
    "tonto",
    "sonrisa",
    "lengua",
    "inseguro",
    "us",
    "\xA1guau!",
    "cortado",
    "silbando",
    "gui\xF1o",
};

} // namespace

const char* EmoticonName(int number)
{
    if (number >= 1 && number <= static_cast<int>(kNamedEmoticons.size()))
        return kNamedEmoticons[static_cast<std::size_t>(number - 1)];
    if (number > static_cast<int>(kNamedEmoticons.size()) && number <= kEmoticonCount) return "emoji";
    return "";
}

} // namespace quirel
