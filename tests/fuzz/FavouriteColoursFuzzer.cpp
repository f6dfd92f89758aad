// The favourite-colours file: any bytes give a palette without fault, and the palette saved reads
// back the same.
#include "FuzzFile.h"
#include "io/FavouriteColours.h"

using namespace quirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ColourTable table = ParseColourRecords(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string saved = ColourRecords(table);
    fuzz::Check(saved.size() == kColourFileBytes);
    const ColourTable again = ParseColourRecords(saved);
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column)
            fuzz::Check(again.At(column, row) == table.At(column, row));
    return 0;
}
