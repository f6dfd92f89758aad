#pragma once

#include "document/FormatRecord.h"

#include <cstdint>
#include <string>

namespace quirel {

// Size used inside superscript and subscript spans: 6 for sizes 1 to 13, half the size
// (rounded down) for 14 to 90; sizes outside 1 to 90 are outside the table and give 0.
int SmallSize(int size);

// The attributes that newly typed text receives.
struct CurrentFormat {
    std::uint32_t background = 0xFFFFFF;
    std::uint32_t textColor = 0;
    int size = 10;
    std::string faceName = "Candara";
    int style = 0; // StyleBits
    int emoticon = 0;
    bool superscript = false;
    bool subscript = false;
    int normalSize = 10; // size in force when a superscript or subscript switch was turned on

    // The record of these attributes with the given font index.
    FormatRecord Record(int fontIndex) const;
};

} // namespace quirel
