#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quirel {

// The favourite colours: a grid of 13 × 10 cells kept in "Mis Colores.log" in the program's folder.

inline constexpr std::string_view kFavouriteColoursFileName = "Mis Colores.log";

inline constexpr int kPaletteColumns = 13;
inline constexpr int kPaletteRows = 10;
inline constexpr int kPaletteCells = kPaletteColumns * kPaletteRows; // 130
inline constexpr int kColourTableSide = 51; // the table holds columns and rows 0 to 50
inline constexpr int kCellPitch = 25; // pixels from one cell to the next, both ways
inline constexpr int kGridOrigin = 1; // left and top of cell (0, 0)
inline constexpr int kCellGap = 3; // white pixels left and above each cell's box
inline constexpr std::size_t kColourRecordBytes = 24;
inline constexpr std::size_t kColourFileBytes = kPaletteCells * kColourRecordBytes; // 3120
inline constexpr std::uint32_t kWhiteColour = 0xFFFFFF;

// One cell: its box in grid pixels (left, right, top, bottom), where it stands, and its colour
// (0x00BBGGRR, red in the low byte). Stored as 24 little-endian bytes in this order.
struct ColourCell {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::int16_t column = 0;
    std::int16_t row = 0;
    std::uint32_t colour = 0;

    bool operator==(const ColourCell&) const = default;
};

// The cells by column and row, 0 to 50 each; the palette shows columns 0 to 12 and rows 0 to 9.
class ColourTable {
public:
    // Cell (column, row); both must be within 0 to 50.
    ColourCell& At(int column, int row) { return m_cells[Index(column, row)]; }
    const ColourCell& At(int column, int row) const { return m_cells[Index(column, row)]; }

private:
    static std::size_t Index(int column, int row)
    {
        return static_cast<std::size_t>(column) * kColourTableSide + static_cast<std::size_t>(row);
    }
    std::array<ColourCell, kColourTableSide * kColourTableSide> m_cells {};
};

// Cell (column, row) of a fresh palette: box from (25c + 1, 25r + 1) to (25(c + 1) + 1, 25(r + 1) + 1), white.
ColourCell DefaultColourCell(int column, int row);

// A fresh palette: the 130 palette cells at their default places, white; every other cell zero.
ColourTable DefaultColourTable();

// The table a favourite-colours file holds. Every complete 24-byte record goes to the cell named
// by its own column and row fields, so their order does not matter and a later record for a cell
// replaces an earlier one; a trailing partial record, and records for a column or row outside 0 to
// 50, are ignored. Cells outside the palette without a record are zero; a palette cell without a
// record (a damaged or shortened file) keeps its default place and colour, so it stays visible.
ColourTable ParseColourRecords(std::string_view bytes);

// The 130 palette cells as records, row 0 columns 0 to 12, then row 1, and so on: 3120 bytes.
// Cells outside the palette are not written.
std::string ColourRecords(const ColourTable& table);

// The palette of folder's "Mis Colores.log": parsed as above when the file exists, the default
// palette when it does not. A file that exists but cannot be read (a folder, a device, no
// permission) reads as empty; only its first kMaxColourFileBytes bytes are read.
inline constexpr std::size_t kMaxColourFileBytes = std::size_t { 1 } << 20;
ColourTable ReadFavouriteColours(const std::filesystem::path& folder);

// Writes the palette to folder's "Mis Colores.log", replacing the old file only once the new one
// is complete, so a failed save never leaves the user without the previous file. Returns the
// message to show on failure: "Err:  ", the system's error number and why in Spanish ("Err:  28 No
// queda espacio en el disco."), or nothing when the file was written.
std::optional<std::string> SaveFavouriteColours(const std::filesystem::path& folder, const ColourTable& table);

// Deletes folder's "Mis Colores.log"; a missing file or a failure is ignored.
void DeleteFavouriteColours(const std::filesystem::path& folder);

// The palette cell under a point of the grid (pixels from its top left): column x ÷ 25 and
// row y ÷ 25, or nothing when that lies outside columns 0 to 12 and rows 0 to 9.
struct CellPosition {
    int column;
    int row;
    bool operator==(const CellPosition&) const = default;
};
std::optional<CellPosition> PaletteCellAt(int x, int y);

} // namespace quirel
