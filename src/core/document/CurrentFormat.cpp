#include "document/CurrentFormat.h"

namespace quirel {

int SmallSize(int size)
{
    if (size < 1 || size > 90) return 0;
    return size <= 13 ? 6 : size / 2;
}

FormatRecord CurrentFormat::Record(int fontIndex) const
{
    return MakeFormatRecord({ background, size, fontIndex, style, emoticon, textColor });
}

} // namespace quirel
